#!/usr/bin/env bash
# Starts the demo account's compute API (scripts/oracle-key-peer.py) over HTTPS on 127.0.0.1,
# with a certificate of a throw-away CA made in FOLDER, so that a database-service request of the
# demo can fetch its SSH key. The host trusts that CA with --https-ca FOLDER/ca.pem.
#
# usage: scripts/oracle-key-peer.sh start FOLDER [PORT]   (default port 18443, as examples/platform.json)
#        scripts/oracle-key-peer.sh stop FOLDER
set -euo pipefail
command=${1:-}
folder=${2:-}
port=${3:-18443}
[ -n "$command" ] && [ -n "$folder" ] || { sed -n '2,8p' "$0" >&2; exit 2; }

case "$command" in
  start)
    mkdir -p "$folder"
    openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 1 -subj "/CN=clouddb demo CA" \
      -keyout "$folder/ca-key.pem" -out "$folder/ca.pem" 2>/dev/null
    openssl req -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -subj "/CN=127.0.0.1" \
      -keyout "$folder/server-key.pem" -out "$folder/server.csr" 2>/dev/null
    printf 'subjectAltName=IP:127.0.0.1,DNS:localhost\n' >"$folder/server.ext"
    openssl x509 -req -in "$folder/server.csr" -CA "$folder/ca.pem" -CAkey "$folder/ca-key.pem" -CAcreateserial \
      -days 1 -extfile "$folder/server.ext" -out "$folder/server.pem" 2>/dev/null
    python3 "$(dirname "$0")/oracle-key-peer.py" --port "$port" --cert "$folder/server.pem" \
      --key "$folder/server-key.pem" >"$folder/peer.out" 2>&1 &
    echo $! >"$folder/peer.pid"
    for _ in $(seq 50); do
      grep -q '^listening on' "$folder/peer.out" 2>/dev/null && { cat "$folder/peer.out"; exit 0; }
      kill -0 "$(cat "$folder/peer.pid")" 2>/dev/null || break
      sleep 0.1
    done
    echo "oracle-key-peer: did not start:" >&2
    cat "$folder/peer.out" >&2
    exit 1
    ;;
  stop)
    [ -f "$folder/peer.pid" ] && kill "$(cat "$folder/peer.pid")" 2>/dev/null || true
    rm -f "$folder/peer.pid"
    ;;
  *)
    sed -n '2,8p' "$0" >&2
    exit 2
    ;;
esac
