#!/bin/sh
# Configures the installed Firebird 3 for the way Zelt opens its databases: embedded attachments
# (a database file path, no server) from several processes at once, so that the script tool can
# work on a database that the calling program holds open.
#
# Run as root, once per machine or as often as you like: every step leaves a configured machine
# unchanged. It installs nothing; the packages are firebird3.0-server-core, firebird3.0-utils,
# libfbclient2 and firebird-dev (firebird3.0-server too for the server on 127.0.0.1).
#
# Run it before the Firebird server is started: a server that is already running keeps the mode it
# started with until it is restarted.
set -eu

FB_CONF=${FB_CONF:-/etc/firebird/3.0/firebird.conf}
LOCK_DIR=${FIREBIRD_LOCK:-/tmp/firebird}

if [ "$(id -u)" -ne 0 ]; then
    echo "setup-firebird.sh: run as root" >&2
    exit 1
fi
if [ ! -f "$FB_CONF" ]; then
    echo "setup-firebird.sh: $FB_CONF not found (is firebird3.0-server-core installed?)" >&2
    exit 1
fi

# Firebird's default mode (Super) gives the first process that attaches a database file an
# exclusive lock on it; SuperClassic lets every embedded process share it through the lock files.
if grep -Eq '^[[:space:]]*ServerMode[[:space:]]*=[[:space:]]*SuperClassic[[:space:]]*$' "$FB_CONF"; then
    echo "ServerMode already SuperClassic in $FB_CONF"
elif grep -Eq '^[[:space:]]*ServerMode[[:space:]]*=' "$FB_CONF"; then
    sed -i -E 's/^[[:space:]]*ServerMode[[:space:]]*=.*/ServerMode = SuperClassic/' "$FB_CONF"
    echo "ServerMode set to SuperClassic in $FB_CONF"
else
    printf '\n# Set by Zelt (scripts/setup-firebird.sh): shared embedded access.\nServerMode = SuperClassic\n' \
        >>"$FB_CONF"
    echo "ServerMode = SuperClassic added to $FB_CONF"
fi

# Every process that attaches a database, embedded or server, meets the others in the lock
# folder. The server runs as user firebird, so the folder belongs to that user and its group;
# a non-root user who opens embedded databases must be a member of the group firebird.
mkdir -p "$LOCK_DIR"
if getent passwd firebird >/dev/null 2>&1; then
    chown firebird:firebird "$LOCK_DIR"
    # Lock files that a root process created before Firebird could hand them to its user.
    find "$LOCK_DIR" -mindepth 1 -maxdepth 1 -user root -exec chown firebird:firebird {} + 2>/dev/null || true
    chmod 0770 "$LOCK_DIR"
else
    # No server package: embedded use only, by any local user.
    chmod 1777 "$LOCK_DIR"
fi
echo "lock folder $LOCK_DIR ready"
