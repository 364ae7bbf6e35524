#!/bin/bash
# A CTest cleanup fixture: ends the server host that the host file names and
# waits until it and its sessions' servers are gone.
#   stop_server_host.sh <host file>
set -euo pipefail
host_file=$1
[ -s "$host_file" ] || exit 0
host_pid=$(sed -n 's/^pid=//p' "$host_file")
[ -n "$host_pid" ] || exit 0
kill -TERM "$host_pid" 2>/dev/null || exit 0
for _ in $(seq 1 300); do
  kill -0 "$host_pid" 2>/dev/null || exit 0
  sleep 0.1
done
echo "the server host did not end; killing it" >&2
kill -KILL "$host_pid" 2>/dev/null || true
