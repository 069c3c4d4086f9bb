#!/usr/bin/env bash
# Runs a command as root: directly when we are root, through sudo otherwise.
set -euo pipefail
if [ "$(id -u)" -eq 0 ]; then
    exec "$@"
fi
exec sudo "$@"
