// The demo shop on disk: the product folder, its settings, its folders and the terminal's
// databases, and the sale the demo records in them.
#pragma once

#include <string>
#include <vector>

namespace zelt::host {

// Company and station of the demo terminal.
constexpr int EmprCod = 1;
constexpr int EstacaoCod = 2;

struct Shop {
    std::string root; // ends in '/'
    std::string Dados() const { return root + "Dados/terminal_dados.fdb"; }
    std::string Vendas() const { return root + "Dados/terminal_vendas.fdb"; }
    std::string PdvFolder() const { return root + "Bin/PDV/"; }
    bool HasDatabases() const;
};

// One line of the coupon, as the sales database holds it after the item fetch.
struct SaleItem {
    std::string codigo, descricao, unidade;
    std::string aliquota; // the rate as the plug-ins take it: "1800", or "II" when exempt
    double quantidade = 0, precoUnit = 0, desconto = 0;
};

struct SaleTotals {
    std::string valorTotal, desconto, frete, qtdItens;
};

// Makes the folders and ambiente.ini, and the four databases with the demo shop's data by
// running <schemaDir>/create-databases.sh. Raises std::runtime_error on any failure.
void CreateShop(const Shop& shop, const std::string& schemaDir);

// Records sale `vendaCod` of a few of the seeded products in the sales database (with copies
// of their products, stale tax data included, as the terminal keeps them). Its totals are left
// at zero for the item fetch to fill in.
void RecordSale(const Shop& shop, int vendaCod);

std::vector<SaleItem> ReadSaleItems(const Shop& shop, int vendaCod);
SaleTotals ReadTotals(const Shop& shop, int vendaCod);
// The item tax rows of the sale in one database, each row's fields joined with ";".
std::vector<std::string> ReadTaxRows(const std::string& database, int vendaCod);

} // namespace zelt::host
