#!/bin/sh
# zelt's failures: each ends with a message on standard error and a non-zero exit code.
#   failure-test.sh <zelt> <folder>
set -u
zelt=$1
dir=$2
rm -rf "$dir"
mkdir -p "$dir"
failed=0

# expect <name> <text on stderr> <zelt arguments...>
expect() {
    name=$1
    text=$2
    shift 2
    "$zelt" "$@" >"$dir/$name.out" 2>"$dir/$name.err"
    rc=$?
    if [ $rc -eq 0 ] || [ $rc -ge 128 ] || ! grep -q "$text" "$dir/$name.err"; then
        echo "FAIL $name: exit $rc, stderr:" >&2
        cat "$dir/$name.err" >&2
        failed=1
    fi
}

expect unknown-command "comando desconhecido" frobnicate
expect unknown-printer "impressora desconhecida" demo --printer bematech --dir "$dir/p"
expect no-schema "create-databases.sh" demo --dir "$dir/s" --schema "$dir/nowhere"
expect no-package "ZeltPdvItemFetch.so" demo --dir "$dir/k" --packages "$dir/empty" --schema "$(dirname "$zelt")/schema"
# A shop whose databases exist already cannot be made again.
mkdir -p "$dir/twice/Dados" && : >"$dir/twice/Dados/terminal_vendas.fdb"
expect existing-databases "já tem bancos" demo --dir "$dir/twice"
# A printer that is switched off refuses, and the demo stops there.
mkdir -p "$dir/off/Impressora/daruma"
printf '[Printer]\nOff=1\n' >"$dir/off/Impressora/daruma/faults.ini"
expect printer-off "recusou" demo --dir "$dir/off" --printer daruma
expect ecf-no-operation "falta a opera" ecf --dir "$dir/off"
expect sale-no-dir "falta --dir" sale

# Help says what each command writes, and succeeds.
for command in demo shop sale ecf; do
    "$zelt" $command --help >"$dir/help.out" 2>&1 || { echo "FAIL help $command" >&2; failed=1; }
    grep -q "PASTA" "$dir/help.out" || { echo "FAIL help $command says nothing of the folder" >&2; failed=1; }
done
"$zelt" --help | grep -q "zelt demo" || { echo "FAIL main help" >&2; failed=1; }

[ $failed -eq 0 ] && echo PASS
exit $failed
