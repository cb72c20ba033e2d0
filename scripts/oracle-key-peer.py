#!/usr/bin/env python3
"""The demo account's compute API, as far as a database-service request needs it.

Serves HTTPS on 127.0.0.1: POST /authenticate/ takes {"user": "/Compute-<user>", "password": ...}
and answers with a session cookie; GET /sshkey<name> with that cookie answers the key object.
The account (user, password, keys) is the demo's of examples/; see scripts/oracle-key-peer.sh.
"""
import argparse
import http.server
import json
import secrets
import ssl

USER = "/Compute-cloud.admin"
PASSWORD = "demo-classic-pass-0001"
KEYS = {
    "/Compute-demo/cloud.admin/deploy": "ssh-rsa AAAAB3NzaC1yc2EAAAADAQABAAABAQDdemo deploy@demo",
}
MAX_BODY = 64 * 1024


class ComputeApi(http.server.BaseHTTPRequestHandler):
    sessions = set()

    def answer(self, status, body=b"", headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Type", "application/oracle-compute-v3+json")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_POST(self):
        length = min(int(self.headers.get("Content-Length") or 0), MAX_BODY)
        try:
            login = json.loads(self.rfile.read(length) or b"{}")
        except ValueError:
            login = {}
        if self.path != "/authenticate/" or login.get("user") != USER or login.get("password") != PASSWORD:
            return self.answer(401)
        session = "nimbula=" + secrets.token_hex(16)
        self.sessions.add(session)
        self.answer(204, headers=[("Set-Cookie", session + "; Path=/; Max-Age=1800")])

    def do_GET(self):
        cookie = (self.headers.get("Cookie") or "").split(";")[0].strip()
        name = self.path[len("/sshkey"):] if self.path.startswith("/sshkey") else None
        if cookie not in self.sessions:
            return self.answer(401)
        if name not in KEYS:
            return self.answer(404)
        self.answer(200, json.dumps({"name": name, "key": KEYS[name]}).encode())

    def log_message(self, *args):
        pass


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--cert", required=True)
    parser.add_argument("--key", required=True)
    options = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", options.port), ComputeApi)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(options.cert, options.key)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    print("listening on 127.0.0.1:%d" % options.port, flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
