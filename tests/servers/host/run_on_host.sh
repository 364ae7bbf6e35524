#!/bin/bash
# Runs a database suite against the server host that the host file names,
# through one driver: the environment is set here, before the suite starts,
# since a suite under wine cannot point the Linux driver manager anywhere.
#   run_on_host.sh <host file> psqlodbc|freetds <suite command...>
set -euo pipefail
host_file=$1
leg=$2
shift 2
if [ ! -s "$host_file" ]; then
  echo "no server host: $host_file is missing (the db_server_host fixture starts it)" >&2
  exit 1
fi
value() { sed -n "s/^$1=//p" "$host_file"; }
export DB_TEST_SERVER_HOST=$host_file
case $leg in
  psqlodbc)
    ODBCSYSINI=$(value psqlodbc_odbcsysini)
    unset DB_TEST_DRIVER
    ;;
  freetds)
    ODBCSYSINI=$(value freetds_odbcsysini)
    export DB_TEST_DRIVER=freetds
    ;;
  *)
    echo "unknown driver: $leg" >&2
    exit 2
    ;;
esac
export ODBCSYSINI
# The suite's output goes through a file: processes that the suite leaves
# behind (under wine, its server) would hold CTest's pipe open long after.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
status=0
"$@" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
exit "$status"
