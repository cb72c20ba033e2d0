#!/usr/bin/env bash
# The demo: the sample AWS account of examples/ explored the way the console and the agent would,
# through the reference host and a real socket, with no outside service.
#   1. the regions of the account, as the RDS demo instance sees them
#   2. the databases of one region
#   3. previews of the hand-written content documents of examples/content/
#   4. the expansion of a saved backup set before a backup
#   5. the snapshots of one database
#   6. the Spanner instances, projects and databases of the sample Google Cloud account
#   7. why each database of a backup set is in it: each rule's own selection and the merge
#   8. the Azure storage and Cosmos DB accounts of client 14, with the tables and databases of
#      real local peers (Azurite and the Cosmos DB peer; from a build tree after `make setup`)
# Every answer is printed as a tree, failures included: a step that the product answers with an
# error shows that error. The script itself fails only when the host cannot be started or reached.
#
# usage: scripts/demo-run.sh [BUILD_DIR]   (default: build)
#        DIR/share/clouddb/demo-run.sh DIR    (an installation made by cmake --install)
set -euo pipefail

scripts=$(cd "$(dirname "$0")" && pwd)
build_arg=${1:-build}
build=$(cd "$build_arg" 2>/dev/null && pwd) || { echo "demo: no build folder '$build_arg'" >&2; exit 1; }
if [ -x "$build/bin/clouddb-host" ]; then
  # An installation: the examples lie in DIR/share/clouddb/examples.
  host="$build/bin/clouddb-host"
  data="$build/share/clouddb"
else
  host="$build/host/clouddb-host"
  data=$(cd "$(dirname "$0")/.." && pwd)
fi
[ -x "$host" ] || { echo "demo: $host is not built" >&2; exit 1; }

# The requests and content documents below are named relative to the folder holding examples/.
cd "$data"

# Logs stay in the build folder for a look afterwards; the socket and the requests made here do not.
logs="$build/demo"
mkdir -p "$logs"
: > "$logs/host.log"
: > "$logs/calls.log"
work=$(mktemp -d "${TMPDIR:-/tmp}/clouddb-demo.XXXXXX")
socket="$work/host.sock"
server_pid=""

stop_server() {
  if [ -n "$server_pid" ] && kill -0 "$server_pid" 2>/dev/null; then
    kill -TERM "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  server_pid=""
}
peers_state=""
cleanup() {
  stop_server
  if [ -n "$peers_state" ]; then
    AZURE_PEERS_STATE="$peers_state" bash "$scripts/azure-peers.sh" stop || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

step() {
  printf '\n== %s\n' "$1"
  [ $# -lt 2 ] || printf '   %s\n' "$2"
  echo
}

# A console call over the socket: the response as a tree and how the exchange ended.
console() {
  "$host" call BrowseInventoryHandler --unix "$socket" --request "$1" --format tree --timeout 60 \
    --log-file "$logs/calls.log"
}

# An agent-side call in this process: records, out error and the call's log lines, as a tree.
agent() {
  "$host" call "$@" --format tree --log-file "$logs/calls.log"
}

# A preview request for one content document: the document is the same XML a backup set stores as
# its content rules, with its root element renamed to the request's content field.
preview_request() {
  local instance_type=$1 instance_id=$2 content=$3
  printf '<BrowsePreviewReq instanceType="%s">\n  <instance instanceId="%s"/>\n' "$instance_type" "$instance_id"
  sed -e '/^[[:space:]]*<?xml/d' -e 's/<CloudDBEntity\([[:space:]>]\)/<content\1/' \
      -e 's#</CloudDBEntity>#</content>#' "$content"
  printf '</BrowsePreviewReq>\n'
}

start_server() {
  "$host" serve --unix "$socket" --log-file "$logs/host.log" >"$work/serve.out" 2>&1 &
  server_pid=$!
  local waited=0
  until grep -q '^listening on' "$work/serve.out" 2>/dev/null; do
    if ! kill -0 "$server_pid" 2>/dev/null || [ "$waited" -ge 300 ]; then
      echo "demo: the host did not start:" >&2
      cat "$work/serve.out" >&2
      exit 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  sed 's/^/host: /' "$work/serve.out"
}

echo "clouddb demo: the sample AWS account of examples/cloud.json, configured in examples/platform.json"
start_server

step "1. Regions of the account (RDS instance 1001)" "request: examples/requests/browse-rds-regions.xml"
console examples/requests/browse-rds-regions.xml

step "2. Databases of us-east-1 (RDS instance 1001)" \
  "instances are type 50, clusters type 48; Aurora members are shown only as their cluster"
console examples/requests/browse-rds-us-east-1.xml

# Each content document with the service type and the demo instance it is previewed for.
preview_number=0
for previewed in "4 1001 RDS examples/content/rds-orders.xml" \
                 "22 1002 DynamoDB examples/content/dynamodb-web-tables.xml"; do
  read -r instance_type instance_id service content <<<"$previewed"
  preview_number=$((preview_number + 1))
  step "3.$preview_number Preview of $content ($service instance $instance_id)"
  sed 's/^/   | /' "$content"
  echo
  preview_request "$instance_type" "$instance_id" "$content" >"$work/preview-$preview_number.xml"
  console "$work/preview-$preview_number.xml"
done

step "4. Backup-set expansion before a backup: subclient 601, us-east-1 only" \
  "DiscoverRDSNewInventory --app-id 601 --region us-east-1 (content rules in examples/platform.json)"
agent DiscoverRDSNewInventory --app-id 601 --region us-east-1

step "5. Snapshots of orders-mysql (account of subclient 601)" \
  "DescribeRDSInstanceSnapshot --app-id 601 --first orders-mysql"
agent DescribeRDSInstanceSnapshot --app-id 601 --first orders-mysql

step "6. Google Cloud Spanner of client 37: instances, projects, the databases of demo-spanner" \
  "already protected objects are left out: the instance demo-spanner, the database ledger"
for level in instances projects databases; do
  console "examples/requests/browse-spanner-$level.xml"
done

step "7. Why these databases? The rules of subclient 601 one by one, then merged" \
  "explain --app-id 601"
"$host" explain --app-id 601 --log-file "$logs/calls.log"

stop_server

# The Azure part needs the peers of tests/peers, installed in a source tree by `make setup`.
if [ -d "$scripts/../tests/peers/node_modules" ] && [ -x "$build/host/clouddb-host" ]; then
  step "8. Azure storage of client 14: accounts, the tables of demostorage01, Cosmos DB databases and containers" \
    "tables from Azurite and databases from the Cosmos DB peer, started on free ports for this step"
  peers_state="$work/azure-peers"
  if AZURE_PEERS_STATE="$peers_state" AZURITE_PORT=0 COSMOS_PORT=0 \
      bash "$scripts/azure-peers.sh" start "$build" >"$work/azure-peers.out" 2>&1; then
    for request in browse-azure-storage-accounts browse-azure-tables browse-cosmos-accounts \
                   browse-cosmos-databases browse-cosmos-containers; do
      echo "   request: examples/requests/$request.xml"
      "$host" call BrowseInventoryHandler --request "examples/requests/$request.xml" --cloud "$peers_state/cloud.json" \
        --https-ca "$peers_state/pki/ca.pem" --format tree --log-file "$logs/calls.log" 2>/dev/null
    done
  else
    echo "demo: the Azure peers did not start:" >&2
    cat "$work/azure-peers.out" >&2
  fi
  AZURE_PEERS_STATE="$peers_state" bash "$scripts/azure-peers.sh" stop || true
  peers_state=""
fi

# The Oracle part runs from a build tree, where its key peer script and OCI expansion tool are.
if [ -f "$scripts/demo-oracle.sh" ] && [ -x "$build/host/clouddb-host" ]; then
  bash "$scripts/demo-oracle.sh" "$build"
fi
printf '\nThe host has stopped. Its log: %s; the calls'"'"' log: %s\n' "$logs/host.log" "$logs/calls.log"
