#!/usr/bin/env bash
# The Oracle Cloud part of the demo: the OCI tenancy and the classic account of examples/,
# through the reference host (in its own process, on a socket pair).
#   1. the browse tree, one level per request
#   2. the classic database services of the account
#   3. an OCI backup set's content expanded into databases
#   4. a database service created, with the account's SSH key fetched over HTTPS from a local
#      stand-in of the compute API (scripts/oracle-key-peer.sh) whose throw-away CA the host trusts
#
# usage: scripts/demo-oracle.sh [BUILD_DIR]   (default: build)
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
host="$build/host/clouddb-host"
cd "$repo"
logs="$build/demo"
mkdir -p "$logs"
peer=$(mktemp -d "${TMPDIR:-/tmp}/clouddb-oracle-demo.XXXXXX")
trap 'bash scripts/oracle-key-peer.sh stop "$peer"; rm -rf "$peer"' EXIT

step() {
  printf '\n== %s\n' "$1"
  [ $# -lt 2 ] || printf '   %s\n' "$2"
  echo
}
call() {
  "$host" call "$@" --format tree --log-file "$logs/oracle.log"
}

echo "clouddb demo: Oracle Cloud (examples/cloud.json: demo-oci, demo-oracle-classic)"
for level in compartments dbsystems databases; do
  step "1. Browse tree: $level (OCI instance 1102)" "request: examples/requests/oracle-tree-$level.xml"
  call GetOracleCloudInstanceTree --request "examples/requests/oracle-tree-$level.xml"
done

step "2. Classic database services (instance 1101)" "GetOracleCloudInstanceList --instance-id 1101"
call GetOracleCloudInstanceList --instance-id 1101 | grep -E '^records|serviceName|version|status =' || true

step "3. OCI backup set 611 expanded (content in examples/platform.json)" \
  "clouddb-oci-expand --subclient-id 611 --instance-id 1102"
"$build/host/clouddb-oci-expand" --subclient-id 611 --instance-id 1102 --log-file "$logs/oracle.log" |
  sed '/^log:/,$d' || true

step "4. Create the database service salesdb" "request: examples/requests/oracle-create-service.xml"
if bash scripts/oracle-key-peer.sh start "$peer" >/dev/null; then
  call CloudDBRemoteEntryPoint --request examples/requests/oracle-create-service.xml --https-ca "$peer/ca.pem"
else
  echo "   (the compute API stand-in could not start on 127.0.0.1:18443; skipped)"
fi
