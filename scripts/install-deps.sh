#!/usr/bin/env bash
# Installs the Debian packages the project needs. Safe to run again: it asks apt only for what is
# missing, and refreshes the package lists once per run at most.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    firebird3.0-server-core firebird3.0-utils libfbclient2 firebird-dev firebird3.0-server
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: every package is present"
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Unattended, the server package gives SYSDBA a random password and keeps it in
# /etc/firebird/3.0/SYSDBA.password (readable by root), which the server tests read.
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
