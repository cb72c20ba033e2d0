#!/usr/bin/env node
// Azurite's Table service on 127.0.0.1, in memory, without telemetry or access log.
//   node azurite-table-peer.js WORK_FOLDER [--port N] [--detached]
// Prints "listening on PORT" when ready (PORT the system's choice unless --port is given; the
// azurite-table command cannot tell which port it got) and exits when its standard input closes
// (unless --detached) or on SIGTERM. Azurite's well-known dev account devstoreaccount1 is
// available.
"use strict";
const path = require("path");
const { announceAndServe, fail, portArgument } = require("./peer-lifetime");

const workFolder = process.argv[2];
if (!workFolder || workFolder.startsWith("--")) {
  fail("usage", "node azurite-table-peer.js WORK_FOLDER [--port N] [--detached]");
}

async function main() {
  // Azurite 3.37.0 (pinned in package-lock.json) exposes no API for this; its own modules it is.
  const table = "azurite/dist/src/table";
  const Logger = require("azurite/dist/src/common/Logger");
  const TableConfiguration = require(`${table}/TableConfiguration`).default;
  const TableServer = require(`${table}/TableServer`).default;
  const { DEFAULT_TABLE_LOKI_DB_PATH } = require(`${table}/utils/constants`);
  const config = new TableConfiguration(
    "127.0.0.1",
    portArgument(process.argv),
    undefined, // keep-alive time-out: Azurite's default
    path.join(workFolder, DEFAULT_TABLE_LOKI_DB_PATH),
    false, // debug log
    false, // access log
    undefined,
    undefined,
    false, // loose
    false, // skip API version check
    "", "", "", undefined,
    false, // product-style URLs (ACCOUNT.localhost) stay on
    true // in-memory persistence
  );
  Logger.configLogger(false);
  const server = new TableServer(config);
  await server.start();
  announceAndServe(server.httpServer.address().port, () => server.close());
}

main().catch((error) => fail("azurite-table-peer cannot start", error));
