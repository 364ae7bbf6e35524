#!/usr/bin/env bash
# Registers FreeTDS (package tdsodbc) as the ODBC driver "SQL Server", the
# driver that the connection text of gmdesk and acctdesk names, in the
# system driver list. An existing entry of that name is left alone, so the
# script can run any number of times. Uses sudo when the list is not
# writable.
#
# ODBCSYSINI picks another directory for the list, as it does for unixODBC;
# FREETDS_DRIVER another driver library.
set -euo pipefail

name="SQL Server"
driver=${FREETDS_DRIVER:-/usr/lib/$(uname -m)-linux-gnu/odbc/libtdsodbc.so}

if ! command -v odbcinst >/dev/null; then
  echo "odbcinst is missing: run scripts/setup-packages.sh (package unixodbc)" >&2
  exit 1
fi
if odbcinst -q -d -n "$name" >/dev/null 2>&1; then
  echo "the ODBC driver \"$name\" is registered already"
  exit 0
fi
if [ ! -f "$driver" ]; then
  echo "no FreeTDS driver at $driver: run scripts/setup-packages.sh (package tdsodbc)" >&2
  exit 1
fi

list=$(odbcinst -j | sed -n 's/^DRIVERS\.*: *//p')
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if { [ -e "$list" ] && [ ! -w "$list" ]; } || { [ ! -e "$list" ] && [ ! -w "$(dirname "$list")" ]; }; then
    sudo=(sudo --preserve-env=ODBCSYSINI)
  fi
fi

template=$(mktemp)
trap 'rm -f "$template"' EXIT
printf '[%s]\nDescription=FreeTDS, for Microsoft SQL Server\nDriver=%s\n' "$name" "$driver" >"$template"
"${sudo[@]}" odbcinst -i -d -f "$template" >/dev/null
echo "registered $driver as the ODBC driver \"$name\" in $list"
