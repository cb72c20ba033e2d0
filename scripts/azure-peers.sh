#!/usr/bin/env bash
# The Azure peers for the demo: Azurite's Table service and the Cosmos DB peer on this machine,
# seeded with the demo account of examples/cloud.json, and a copy of that fixture pointing at them.
#
#   scripts/azure-peers.sh [BUILD]        start them, print the commands to browse, stop on Ctrl-C
#   scripts/azure-peers.sh start [BUILD]  start them and return; they run until `stop`
#   scripts/azure-peers.sh stop           stop them
#
# Ports: AZURITE_PORT (default 10002) and COSMOS_PORT (default 8081); 0 lets the system choose.
# AZURE_PEERS_STATE names the folder for their state (default /tmp/clouddb-azure-peers-UID).
# Needs `make setup`.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
peers="$root/tests/peers"
state="${AZURE_PEERS_STATE:-${TMPDIR:-/tmp}/clouddb-azure-peers-$(id -u)}"
azurite_port="${AZURITE_PORT:-10002}"
cosmos_port="${COSMOS_PORT:-8081}"

# Stops the peers this script recorded, only if the pid still runs one of our launchers.
stop_peers() {
  local file pid
  for file in "$state"/*.pid; do
    [ -f "$file" ] || continue
    pid="$(cat "$file")"
    if grep -qs "tests/peers/.*-peer\.js" "/proc/$pid/cmdline"; then
      kill -TERM "$pid" 2>/dev/null || true
      for _ in 1 2 3 4 5 6 7 8 9 10; do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
      done
      kill -KILL "$pid" 2>/dev/null || true
    fi
  done
  rm -rf "$state"
}

# Starts tests/peers/SCRIPT ARGS... detached and waits for its "listening on" line.
start_peer() {
  local name="$1"
  shift
  setsid node "$peers/$1" "${@:2}" --detached </dev/null >"$state/$name.out" 2>"$state/$name.err" &
  echo $! >"$state/$name.pid"
  for _ in $(seq 150); do
    if grep -q "^listening on " "$state/$name.out"; then
      return 0
    fi
    kill -0 "$(cat "$state/$name.pid")" 2>/dev/null || break
    sleep 0.2
  done
  echo "azure-peers: $name did not start:" >&2
  cat "$state/$name.err" >&2
  stop_peers
  exit 1
}

make_ca() {
  local dir="$state/pki"
  mkdir -p "$dir"
  openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 2 -subj "/CN=clouddb demo CA" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
    -keyout "$dir/ca.key" -out "$dir/ca.pem" 2>/dev/null
  openssl req -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -subj "/CN=localhost" \
    -keyout "$dir/server.key" -out "$dir/server.csr" 2>/dev/null
  printf 'subjectAltName=DNS:localhost,IP:127.0.0.1\nbasicConstraints=critical,CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=serverAuth\n' \
    >"$dir/server.ext"
  openssl x509 -req -in "$dir/server.csr" -CA "$dir/ca.pem" -CAkey "$dir/ca.key" -CAcreateserial -days 2 \
    -extfile "$dir/server.ext" -out "$dir/server.pem" 2>/dev/null
}

start_peers() {
  local build="$1"
  if ! command -v node >/dev/null || [ ! -d "$peers/node_modules/azurite" ]; then
    echo "azure-peers: the peers are not installed; run make setup" >&2
    exit 1
  fi
  if ls "$state"/*.pid >/dev/null 2>&1; then
    echo "azure-peers: already running (state in $state); run scripts/azure-peers.sh stop first" >&2
    exit 1
  fi
  rm -rf "$state"
  mkdir -p "$state/azurite"
  chmod 700 "$state"
  make_ca
  # Azurite serves the demo's storage accounts under their own names and keys.
  AZURITE_ACCOUNTS="$(node "$peers/seed-demo-peers.js" --azurite-accounts "$root/examples/cloud.json")" \
    start_peer azurite azurite-table-peer.js "$state/azurite" --port "$azurite_port"
  start_peer cosmos cosmos-peer.js "$state/pki/server.pem" "$state/pki/server.key" --port "$cosmos_port"
  # The ports they got (the ones asked for, or the system's choice for 0).
  azurite_port="$(sed -n 's/^listening on //p' "$state/azurite.out" | head -n 1)"
  cosmos_port="$(sed -n 's/^listening on //p' "$state/cosmos.out" | head -n 1)"
  local cloud="$state/cloud.json" ca="$state/pki/ca.pem"
  if ! node "$peers/seed-demo-peers.js" "$root/examples/cloud.json" "$root/examples/azure-tables.json" \
    "$azurite_port" "$cosmos_port" "$ca" "$cloud"; then
    stop_peers
    exit 1
  fi

  local host="$build/host/clouddb-host" request found=0
  echo "Azurite's Table service: http://ACCOUNT.localhost:$azurite_port/ (each demo storage account holds the tables of examples/azure-tables.json)"
  echo "Cosmos DB peer:          https://localhost:$cosmos_port/ (databases of examples/cloud.json)"
  echo "Cloud fixture copy:      $cloud"
  echo "Test CA:                 $ca"
  echo
  echo "Browse, one call each:"
  for request in "$root"/examples/requests/browse-azure-*.xml "$root"/examples/requests/browse-cosmos-*.xml; do
    [ -f "$request" ] || continue
    found=1
    echo "  $host call BrowseInventoryHandler --request $request --cloud $cloud --https-ca $ca"
  done
  if [ "$found" = 0 ]; then
    echo "  $host call BrowseInventoryHandler --request REQUEST.xml --cloud $cloud --https-ca $ca"
  fi
  echo "or serve them, and call with --unix $state/host.sock:"
  echo "  $host serve --unix $state/host.sock --cloud $cloud --https-ca $ca"
}

case "${1:-}" in
  stop)
    stop_peers
    ;;
  start)
    start_peers "${2:-$root/build}"
    echo
    echo "Stop them with: scripts/azure-peers.sh stop"
    ;;
  *)
    start_peers "${1:-$root/build}"
    trap 'stop_peers; exit 0' INT TERM
    echo
    echo "Ctrl-C (or scripts/azure-peers.sh stop) stops them."
    # Until Ctrl-C, or until the peers are stopped from elsewhere.
    while [ -f "$state/azurite.pid" ] && kill -0 "$(cat "$state/azurite.pid")" 2>/dev/null; do
      sleep 1
    done
    stop_peers
    ;;
esac
