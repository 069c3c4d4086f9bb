#!/bin/sh
# The single steps one run after another on one shop and one printer: what each run leaves
# (sale rows, printer state) is what the next one finds.
#   steps-test.sh <zelt> <daruma|epson> <folder>
set -u
zelt=$1
printer=$2
dir=$3
rm -rf "$dir"
fail() { echo "FAIL: $*" >&2; exit 1; }
step() {
    echo "+ zelt $*"
    "$zelt" "$@" >"$dir.step" 2>&1
    rc=$?
    cat "$dir.step"
    return $rc
}

step sale --dir "$dir" --venda 7 || fail "sale"
grep -q "total R\$ 88,58" "$dir.step" || fail "sale shows no total"
step ecf status --dir "$dir" --printer "$printer" || fail "status"
grep -q "cupom aberto: não" "$dir.step" || fail "status: a coupon open on a new printer"
step ecf coupon --dir "$dir" --printer "$printer" --venda 7 || fail "coupon"
coo=$(sed -n 's/^Cupom fiscal impresso: COO //p' "$dir.step")
[ -n "$coo" ] || fail "coupon printed no COO"
step ecf receipt --dir "$dir" --printer "$printer" --coo "$coo" --valor 38,58 || fail "receipt"
step ecf x --dir "$dir" --printer "$printer" || fail "x"
step ecf z --dir "$dir" --printer "$printer" || fail "z"
# The printer remembers its day between runs: a second reduction the same day is refused.
if step ecf z --dir "$dir" --printer "$printer"; then fail "second z accepted"; fi
grep -q "recusou: ReducaoZ" "$dir.step" || fail "second z refused without saying so"
# A sale the item fetch never saw has no tax data: no coupon for it.
if step ecf coupon --dir "$dir" --printer "$printer" --venda 99; then fail "coupon of a missing sale"; fi
step ecf tape --dir "$dir" --printer "$printer" || fail "tape"
grep -q "ANALGESICO 500MG 20CP" "$dir.step" || fail "tape lacks the coupon"
grep -q "COMPROVANTE DE PAGAMENTO" "$dir.step" || fail "tape lacks the linked receipt"
echo PASS
