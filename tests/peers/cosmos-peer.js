#!/usr/bin/env node
// The Cosmos DB peer: @vercel/cosmosdb-server over HTTPS on 127.0.0.1.
//   node cosmos-peer.js CERT.pem KEY.pem [--port N] [--detached]
// Prints "listening on PORT" when ready (PORT the system's choice unless --port is given) and
// exits when its standard input closes (unless --detached) or on SIGTERM. It checks no
// authorization.
"use strict";
const fs = require("fs");
const { announceAndServe, fail, portArgument } = require("./peer-lifetime");

const [certFile, keyFile] = process.argv.slice(2);
if (!certFile || !keyFile || certFile.startsWith("--") || keyFile.startsWith("--")) {
  fail("usage", "node cosmos-peer.js CERT.pem KEY.pem [--port N] [--detached]");
}
let server;
try {
  const { createHttpsServer } = require("@vercel/cosmosdb-server");
  server = createHttpsServer({ cert: fs.readFileSync(certFile), key: fs.readFileSync(keyFile) });
} catch (error) {
  fail("cosmos-peer cannot start", error);
}
server.on("error", (error) => fail("cosmos-peer cannot listen", error));
server.listen(portArgument(process.argv), "127.0.0.1", () => {
  announceAndServe(server.address().port, () => new Promise((done) => server.close(done)));
});
