#!/usr/bin/env bash
# The driver set-up script registers "SQL Server" once, however often it runs.
set -euo pipefail
script=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export ODBCSYSINI=$dir FREETDS_DRIVER=$dir/libtdsodbc.so
touch "$FREETDS_DRIVER"
printf '[Other]\nDriver=/x.so\n' >"$dir/odbcinst.ini"

bash "$script"
bash "$script" | grep -q "registered already"

[ "$(grep -c '^\[SQL Server\]$' "$dir/odbcinst.ini")" = 1 ]
grep -qx "Driver=$FREETDS_DRIVER" "$dir/odbcinst.ini"
grep -qx '\[Other\]' "$dir/odbcinst.ini"
odbcinst -q -d -n "SQL Server" | grep -q "Driver=$FREETDS_DRIVER"

# A missing driver library is refused.
rm "$dir/odbcinst.ini" "$FREETDS_DRIVER"
if bash "$script" 2>/dev/null; then exit 1; fi
[ ! -e "$dir/odbcinst.ini" ] || ! grep -q 'SQL Server' "$dir/odbcinst.ini"
echo ok
