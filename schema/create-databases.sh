#!/bin/sh
# Creates the shop's databases from the scripts beside this file, as embedded databases.
#
#   schema/create-databases.sh <folder> [--seed] [--async]
#
# makes <folder>/retaguarda.fdb, terminal_dados.fdb, terminal_vendas.fdb and
# historico_credito.fdb (an existing file is left alone and reported as an error). With --seed
# the back-office and terminal product databases get the demo shop of seed_*.sql. With --async
# the databases are made without forced writes (gfix -write async): much faster to build and to
# commit to, for throw-away databases such as the tests' only.
# Needs isql-fb (firebird3.0-utils) and the embedded engine (firebird3.0-server-core).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 1 ] || { echo "usage: $0 <folder> [--seed]" >&2; exit 2; }
folder=$(mkdir -p "$1" && cd "$1" && pwd)
shift
seed=
async=
for option in "$@"; do
    case "$option" in
    --seed) seed=1 ;;
    --async) async=1 ;;
    *) echo "$0: unknown option $option" >&2; exit 2 ;;
    esac
done

# isql-fb returns non-zero when a statement fails; -b stops at the first failure so that a broken
# schema is never half built.
run() {
    script=$1
    log=$2
    rm -f "$log"
    if ! isql-fb -q -b -m -i "$script" -o "$log"; then
        echo "$0: $script failed:" >&2
        cat "$log" >&2
        exit 1
    fi
}

for db in retaguarda terminal_dados terminal_vendas historico_credito; do
    driver="$folder/$db.create.sql"
    cat >"$driver" <<SQL
SET NAMES WIN1252;
CREATE DATABASE '$folder/$db.fdb' PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1252;
SQL
    run "$driver" "$folder/$db.create.log"
    if [ -n "$async" ]; then
        gfix -write async "$folder/$db.fdb"
    fi
    cat >"$driver" <<SQL
SET NAMES WIN1252;
CONNECT '$folder/$db.fdb';
INPUT '$here/$db.sql';
COMMIT;
SQL
    run "$driver" "$folder/$db.create.log"
    rm -f "$driver" "$folder/$db.create.log"
done

if [ -n "$seed" ]; then
    # The seed files are UTF-8 text; Firebird turns them into the databases' WIN1252.
    driver="$folder/seed.sql"
    cat >"$driver" <<SQL
SET NAMES UTF8;
CONNECT '$folder/retaguarda.fdb';
INPUT '$here/seed_retaguarda.sql';
CONNECT '$folder/terminal_dados.fdb';
INPUT '$here/seed_terminal_dados.sql';
SQL
    run "$driver" "$folder/seed.log"
    rm -f "$driver" "$folder/seed.log"
fi
