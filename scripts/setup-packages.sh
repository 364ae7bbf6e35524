#!/usr/bin/env bash
# Installs the Debian packages that the build, the programs and the tests need.
# Only missing packages are installed; apt runs through sudo when not root.
set -euo pipefail

packages=(
  cmake g++ make pkg-config clang-format
  qt6-base-dev libgl-dev
  unixodbc unixodbc-dev tdsodbc odbc-postgresql
  postgresql postgresql-common libpq-dev
  fonts-wqy-microhei locales
  libgtest-dev libgmock-dev
  g++-mingw-w64-x86-64-posix googletest wine wine64
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi

echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
