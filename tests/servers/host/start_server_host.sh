#!/bin/bash
# A CTest setup fixture: starts the server host in the background and
# returns once its host file is there, so the suites that need it can start.
#   start_server_host.sh <db_server_host> <host file>
set -euo pipefail
host_program=$1
host_file=$2
rm -f "$host_file"
mkdir -p "$(dirname "$host_file")"
# Its own session, so that CTest's end of this script does not end it.
setsid "$host_program" "$host_file" >"$host_file.log" 2>&1 </dev/null &
host_pid=$!
for _ in $(seq 1 300); do
  if [ -s "$host_file" ]; then
    exit 0
  fi
  if ! kill -0 "$host_pid" 2>/dev/null; then
    echo "the server host ended before it was ready:" >&2
    cat "$host_file.log" >&2
    exit 1
  fi
  sleep 0.1
done
echo "the server host was not ready after 30 s" >&2
kill "$host_pid" 2>/dev/null || true
exit 1
