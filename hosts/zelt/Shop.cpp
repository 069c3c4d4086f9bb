#include "hosts/zelt/Shop.h"

#include "outside/dataline/UConexaoSQL.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Process.h"
#include "platform/rtl/Text.h"

#include <stdexcept>

namespace zelt::host {

namespace {

// The products sold and their quantities: a taxed one twice, one at another rate, an exempt one.
struct Sold {
    int prodCod;
    const char* qtd;
};
constexpr Sold SoldItems[] = {{1, "2"}, {2, "1"}, {4, "1"}};

class Connection {
public:
    explicit Connection(const std::string& database) {
        c_.PegarDados(database);
        if (!c_.Conectar())
            throw std::runtime_error("não foi possível abrir o banco " + database + ": " +
                                     c_.GetUltimoErro());
    }
    ~Connection() { c_.Desconectar(false); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Exec(const std::string& sql) { c_.Exec(sql); }
    std::vector<std::vector<std::string>> Rows(const std::string& sql) {
        auto ds = c_.Ab(sql);
        if (!ds)
            throw std::runtime_error("consulta recusada: " + c_.GetUltimoErro());
        std::vector<std::vector<std::string>> rows;
        for (ds->First(); !ds->Eof(); ds->Next()) {
            std::vector<std::string> row;
            for (int i = 0; i < ds->FieldCount(); ++i)
                row.push_back(ds->Fields(i).IsNull() ? "" : TrimRight(ds->Fields(i).AsString()));
            rows.push_back(row);
        }
        return rows;
    }

private:
    TConexaoSQL c_;
};

std::string DotDecimal(const std::string& regional) {
    return StringReplace(regional, ",", ".");
}

void WriteSettings(const Shop& shop) {
    for (const char* folder : {"Comandos/PDV/", "Log/", "Tmp/", "Dados/", "Bin/PDV/"})
        if (!ForceDirectories(shop.root + folder))
            throw std::runtime_error("não foi possível criar a pasta " + shop.root + folder);
    WriteFileAtomic(shop.root + "ambiente.ini",
                    "[pastas]\r\nlog=Log\\\r\ncomandos=Comandos\\\r\ntemp=Tmp\\\r\n");
}

void CopyProducts(Connection& dados, Connection& vendas) {
    for (const auto& r : dados.Rows("select trib_cod, descr, perc, cancelado from trib"))
        vendas.Exec("insert into trib (trib_cod, descr, perc, cancelado) values (" + r[0] + ", " +
                    QuotedStr(r[1]) + ", " + DotDecimal(r[2]) + ", " + QuotedStr(r[3]) + ")");
    for (const auto& r : dados.Rows("select prod_fabr_cod, nome from prod_fabr"))
        vendas.Exec("insert into prod_fabr (prod_fabr_cod, nome) values (" + r[0] + ", " +
                    QuotedStr(r[1]) + ")");
    // The terminal's copy of a product lags behind: the item fetch brings its tax data up to date.
    for (const auto& r : dados.Rows("select prod_cod, descr, descr_red, prod_fabr_cod, unid, "
                                    "preco1 from prod"))
        vendas.Exec("insert into prod (prod_cod, descr, descr_red, prod_fabr_cod, unid, preco1, "
                    "trib_cod, trat_icms, cfop, ncm) values (" +
                    r[0] + ", " + QuotedStr(r[1]) + ", " + QuotedStr(r[2]) + ", " + r[3] + ", " +
                    QuotedStr(r[4]) + ", " + DotDecimal(r[5]) + ", 2, 0, '', '')");
}

// "18" -> "1800", "7" -> "0700", "12,5" -> "1250"; no rate: exempt.
std::string RateText(const std::string& perc) {
    const double rate = perc.empty() ? 0 : StrToFloat(perc);
    if (rate <= 0)
        return "II";
    std::string digits = IntToStr(static_cast<int>(rate * 100 + 0.5));
    while (digits.size() < 4)
        digits = "0" + digits;
    return digits;
}

} // namespace

bool Shop::HasDatabases() const {
    return FileExists(Dados()) || FileExists(Vendas());
}

void CreateShop(const Shop& shop, const std::string& schemaDir) {
    const std::string script = IncludeTrailingPathDelimiter(schemaDir) + "create-databases.sh";
    if (!FileExists(script))
        throw std::runtime_error("os scripts do banco não estão em " + schemaDir +
                                 " (falta create-databases.sh; use --schema ou ZELT_SCHEMA_DIR)");
    if (shop.HasDatabases())
        throw std::runtime_error("a loja " + shop.root + " já tem bancos; escolha outra pasta");
    WriteSettings(shop);
    Process p = Process::Start({"/bin/sh", script, shop.root + "Dados", "--seed", "--async"});
    if (const int rc = p.Wait(); rc != 0)
        throw std::runtime_error("não foi possível criar os bancos em " + shop.root +
                                 "Dados (create-databases.sh terminou com " + IntToStr(rc) + ")");
}

void RecordSale(const Shop& shop, int vendaCod) {
    Connection dados(shop.Dados());
    Connection vendas(shop.Vendas());
    if (vendas.Rows("select count(*) from prod")[0][0] == "0")
        CopyProducts(dados, vendas);
    const std::string venda = IntToStr(vendaCod);
    vendas.Exec("insert into venda (empr_cod, estacao_cod, venda_cod, modo_arredondamento, "
                "valor_total, desconto, frete_val, qtd_itens) values (1, 2, " +
                venda + ", 0, 0, 0, 0, 0)");
    int mov = vendaCod * 100;
    for (const Sold& s : SoldItems) {
        const auto preco =
            dados.Rows("select preco1 from prod where prod_cod=" + IntToStr(s.prodCod));
        if (preco.empty())
            throw std::runtime_error("o produto " + IntToStr(s.prodCod) +
                                     " não está no banco de produtos");
        ++mov;
        vendas.Exec("insert into est_mov (empr_cod, estacao_cod, est_mov_cod, prod_cod, qtd, "
                    "preco_unit, desconto, frete) values (1, 2, " +
                    IntToStr(mov) + ", " + IntToStr(s.prodCod) + ", " + s.qtd + ", " +
                    DotDecimal(preco[0][0]) + ", 0, 0)");
        vendas.Exec("insert into venda_est_mov (empr_cod, estacao_cod, venda_cod, "
                    "est_mov_empr_cod, est_mov_estacao_cod, est_mov_cod) values (1, 2, " +
                    venda + ", 1, 2, " + IntToStr(mov) + ")");
    }
}

std::vector<SaleItem> ReadSaleItems(const Shop& shop, int vendaCod) {
    Connection vendas(shop.Vendas());
    std::vector<SaleItem> items;
    for (const auto& r : vendas.Rows(
             "select p.prod_cod, p.descr_red, p.unid, t.perc, e.qtd, e.preco_unit, e.desconto "
             "from venda_est_mov v join est_mov e on e.empr_cod=v.est_mov_empr_cod and "
             "e.estacao_cod=v.est_mov_estacao_cod and e.est_mov_cod=v.est_mov_cod "
             "join prod p on p.prod_cod=e.prod_cod "
             "left join venda_est_mov_trib t on t.empr_cod=v.empr_cod and "
             "t.estacao_cod=v.estacao_cod and t.venda_cod=v.venda_cod and "
             "t.est_mov_cod=v.est_mov_cod where v.empr_cod=1 and v.estacao_cod=2 and "
             "v.venda_cod=" +
             IntToStr(vendaCod) + " order by e.est_mov_cod")) {
        if (r[3].empty())
            throw std::runtime_error("o item do produto " + r[0] +
                                     " não tem dados fiscais: a busca de itens não rodou?");
        items.push_back({r[0], r[1], r[2], RateText(r[3]), static_cast<double>(StrToFloat(r[4])),
                         static_cast<double>(StrToFloat(r[5])),
                         static_cast<double>(StrToFloat(r[6]))});
    }
    if (items.empty())
        throw std::runtime_error("a venda " + IntToStr(vendaCod) + " não tem itens");
    return items;
}

SaleTotals ReadTotals(const Shop& shop, int vendaCod) {
    Connection vendas(shop.Vendas());
    const auto rows = vendas.Rows("select valor_total, desconto, frete_val, qtd_itens from venda "
                                  "where empr_cod=1 and estacao_cod=2 and venda_cod=" +
                                  IntToStr(vendaCod));
    if (rows.empty())
        throw std::runtime_error("a venda " + IntToStr(vendaCod) + " não existe");
    return {rows[0][0], rows[0][1], rows[0][2], rows[0][3]};
}

std::vector<std::string> ReadTaxRows(const std::string& database, int vendaCod) {
    Connection c(database);
    std::vector<std::string> lines;
    for (const auto& r : c.Rows("select est_mov_cod, trib_cod, perc, icms_val, trat_icms, cfop, "
                                "trib_icms_cbenef, trib_icms_motdesicms, trib_icms_picmsdeson "
                                "from venda_est_mov_trib where venda_cod=" +
                                IntToStr(vendaCod) + " order by est_mov_cod")) {
        std::string line;
        for (std::size_t i = 0; i < r.size(); ++i)
            line += (i ? ";" : "") + r[i];
        lines.push_back(line);
    }
    return lines;
}

} // namespace zelt::host
