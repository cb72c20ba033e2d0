#!/usr/bin/env node
// Seeds the demo's Azure peers and writes the cloud fixture copy that points at them.
//   node seed-demo-peers.js CLOUD.json TABLES.json AZURITE_PORT COSMOS_PORT CA.pem OUT.json
// Every Azure storage account of CLOUD.json keeps its name and key and gets Azurite as its Table
// endpoint (host-style, ACCOUNT.localhost): Azurite serves it when started with the accounts of
// `--azurite-accounts` below. The tables of TABLES.json are created in each. Every database
// account gets the Cosmos peer as endpoint, and its databases and containers are created in it.
// Existing ones are fine (409).
//   node seed-demo-peers.js --azurite-accounts CLOUD.json   prints the AZURITE_ACCOUNTS value
"use strict";
const crypto = require("crypto");
const fs = require("fs");
const http = require("http");
const https = require("https");

const DEV_ACCOUNT = "devstoreaccount1";
const DEV_KEY = "Eby8vdM02xNOcqFlqUwJPLlmEtlCDXJ1OUzFT50uSRZ6IFsuFq2UVErCz4I6tq/K1SZFPTOtr/KBHBeksoGMGw==";

function send(transport, options, body) {
  return new Promise((resolve, reject) => {
    const request = transport.request({ ...options, timeout: 30000 }, (response) => {
      let text = "";
      response.setEncoding("utf8");
      response.on("data", (chunk) => (text += chunk));
      response.on("end", () => resolve({ status: response.statusCode, body: text }));
    });
    request.on("timeout", () => request.destroy(new Error("no answer within 30 s")));
    request.on("error", reject);
    request.end(body);
  });
}

function created(reply, what) {
  if (![201, 204, 409].includes(reply.status)) {
    throw new Error(`${what}: HTTP ${reply.status} ${reply.body}`);
  }
}

// Create Table, signed with the account's Shared Key.
async function createTable(port, account, key, name) {
  const body = JSON.stringify({ TableName: name });
  const date = new Date().toUTCString();
  const toSign = ["POST", "", "application/json", date, `/${account}/Tables`].join("\n");
  const signature = crypto.createHmac("sha256", Buffer.from(key, "base64")).update(toSign).digest("base64");
  const headers = {
    Host: `${account}.localhost:${port}`,
    "Content-Type": "application/json",
    "Content-Length": Buffer.byteLength(body),
    "x-ms-date": date,
    "x-ms-version": "2015-12-11",
    Accept: "application/json;odata=minimalmetadata",
    MaxDataServiceVersion: "3.0;NetFx",
    Authorization: `SharedKey ${account}:${signature}`,
  };
  const reply = await send(http, { host: "127.0.0.1", port, method: "POST", path: "/Tables", headers }, body);
  created(reply, `creating table ${name} in Azurite`);
}

async function cosmosPost(port, ca, path, document) {
  const body = JSON.stringify(document);
  const headers = { "Content-Type": "application/json", "Content-Length": Buffer.byteLength(body) };
  const options = { host: "127.0.0.1", servername: "localhost", port, ca, method: "POST", path, headers };
  created(await send(https, options, body), `POST ${path} to the Cosmos peer`);
}

function storageAccounts(cloud) {
  return cloud.accounts.filter((a) => a.cloud === "azure").flatMap((a) => a.storageAccounts || []);
}

async function main() {
  if (process.argv[2] === "--azurite-accounts") {
    const cloud = JSON.parse(fs.readFileSync(process.argv[3], "utf8"));
    const accounts = storageAccounts(cloud).map((storage) => `${storage.name}:${storage.accessKey}`);
    process.stdout.write([`${DEV_ACCOUNT}:${DEV_KEY}`, ...accounts].join(";") + "\n");
    return;
  }
  const [cloudFile, tablesFile, azuritePort, cosmosPort, caFile, outFile] = process.argv.slice(2);
  if (!outFile) throw new Error("usage: seed-demo-peers.js CLOUD.json TABLES.json AZURITE_PORT COSMOS_PORT CA.pem OUT.json");
  const cloud = JSON.parse(fs.readFileSync(cloudFile, "utf8"));
  const { tables } = JSON.parse(fs.readFileSync(tablesFile, "utf8"));
  const ca = fs.readFileSync(caFile);
  for (const storage of storageAccounts(cloud)) {
    for (const name of tables) await createTable(Number(azuritePort), storage.name, storage.accessKey, name);
    storage.tableEndpoint = `http://${storage.name}.localhost:${azuritePort}/`;
  }
  for (const account of cloud.accounts.filter((a) => a.cloud === "azure")) {
    for (const databaseAccount of account.databaseAccounts || []) {
      databaseAccount.endpoint = `https://localhost:${cosmosPort}/`;
      for (const database of databaseAccount.databases || []) {
        await cosmosPost(Number(cosmosPort), ca, "/dbs", { id: database.name });
        for (const container of database.containers || []) {
          const partitionKey = { paths: ["/id"], kind: "Hash" };
          await cosmosPost(Number(cosmosPort), ca, `/dbs/${encodeURIComponent(database.name)}/colls`,
                           { id: container, partitionKey });
        }
      }
    }
  }
  fs.writeFileSync(outFile, JSON.stringify(cloud, null, 2) + "\n");
}

main().catch((error) => {
  process.stderr.write(`seed-demo-peers: ${error.message}\n`);
  process.exit(1);
});
