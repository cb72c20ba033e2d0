// Shared by the peer launchers: the one "listening on PORT" line once the server listens, and
// an orderly end when standard input closes (the parent went away) or on SIGTERM/SIGINT.
// With --detached (scripts/azure-peers.sh), standard input is not watched.
"use strict";

function announceAndServe(port, close) {
  process.stdout.write(`listening on ${port}\n`);
  let ending = false;
  const end = () => {
    if (ending) return;
    ending = true;
    // Whatever close does, leave within two seconds.
    setTimeout(() => process.exit(0), 2000).unref();
    Promise.resolve()
      .then(close)
      .catch(() => {})
      .then(() => process.exit(0));
  };
  if (!process.argv.includes("--detached")) {
    process.stdin.on("end", end);
    process.stdin.on("error", end);
    process.stdin.resume();
  }
  process.once("SIGTERM", end);
  process.once("SIGINT", end);
}

function fail(what, error) {
  process.stderr.write(`${what}: ${error && error.stack ? error.stack : error}\n`);
  process.exit(1);
}

// "--port N" from argv (0, the system's choice, when absent).
function portArgument(argv) {
  const at = argv.indexOf("--port");
  if (at < 0) return 0;
  const port = Number(argv[at + 1]);
  if (!Number.isInteger(port) || port < 0 || port > 65535) fail("usage", `bad --port ${argv[at + 1]}`);
  return port;
}

module.exports = { announceAndServe, fail, portArgument };
