#!/bin/sh
# zelt demo end to end in a fresh folder: exit code, the coupon on the paper tape, the sale's
# totals and its item tax rows in both terminal databases.
#   demo-test.sh <zelt> <daruma|epson> <folder>
set -u
zelt=$1
printer=$2
dir=$3
rm -rf "$dir"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$zelt" demo --printer "$printer" --dir "$dir" >"$dir.out" 2>&1
rc=$?
cat "$dir.out"
[ $rc -eq 0 ] || fail "zelt demo ended with $rc"

tape="$dir/Impressora/$printer/bobina.txt"
[ -s "$tape" ] || fail "no paper tape at $tape"
for text in "ANALGESICO 500MG 20CP" "ANTIALERGICO XPE 120ML" "AGUA COLONIA FLOR 250ML" \
    "MARIA DA SILVA" "123.456.789-09" "Dinheiro" "Cartao" "COMPROVANTE DE PAGAMENTO" "LEITURA X" "REDU"; do
    grep -q "$text" "$tape" || fail "tape lacks '$text'"
done
grep -Eq '^TOTAL R\$ +88,58' "$tape" || fail "tape lacks the coupon total 88,58"
# The rates printed come from the sale's tax rows: 18 % and 12 %, and the exempt item.
grep -Eq '18,00|1800' "$tape" || fail "tape lacks the 18 % rate"
grep -Eq '12,00|1200' "$tape" || fail "tape lacks the 12 % rate"

query() {
    printf "SET HEADING OFF;\nCONNECT '%s';\n%s\n" "$1" "$2" | isql-fb -q 2>&1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
}
totals=$(query "$dir/Dados/terminal_vendas.fdb" \
    "select valor_total, qtd_itens from venda where empr_cod=1 and estacao_cod=2 and venda_cod=1;")
[ "$totals" = "88.5800 3" ] || fail "sale totals are '$totals'"
# 2 x 12,34 at 18 % = 4,44; 18,90 at 12 % = 2,27; the exempt item none.
expected="101 1 18.0000 4.4400 0 5102 102 3 12.0000 2.2700 0 5102 103 2 0.0000 0.0000 40 5405"
for db in terminal_vendas terminal_dados; do
    rows=$(query "$dir/Dados/$db.fdb" \
        "select est_mov_cod, trib_cod, perc, icms_val, trat_icms, cfop from venda_est_mov_trib where venda_cod=1 order by est_mov_cod;")
    [ "$rows" = "$expected" ] || fail "$db tax rows are '$rows'"
done
ls "$dir"/Log/PDV/ZeltPdvItemFetch/*.txt >/dev/null 2>&1 || fail "no item fetch log"
echo "PASS"
