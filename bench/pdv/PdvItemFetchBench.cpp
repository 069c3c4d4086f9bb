// Executar on sales of 10, 100 and 1 000 items against its floor: the same reads and writes done
// by hand through the database layer, one transaction per database, no script. The per-item
// product select is measured on its own, beside one select for all the sale's products.
#include "outside/dataline/UConexaoSQL.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"
#include "zelt/pdvitemfetch.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace zelt;

void Exigir(TConexaoSQL& c) {
    if (!c.Conectar())
        throw std::runtime_error(c.GetUltimoErro());
}

// Template databases per sale size, made once; every iteration works on fresh copies.
class Bancos {
public:
    Bancos() {
        char nome[] = "/tmp/zelt-pdv-bench-XXXXXX";
        if (mkdtemp(nome) == nullptr)
            throw std::runtime_error("mkdtemp");
        pasta_ = std::string(nome) + "/";
        const std::string comando = std::string("sh '") + ZELT_BENCH_SOURCE_DIR +
                                    "/schema/create-databases.sh' '" + pasta_ +
                                    "modelo' --async >/dev/null";
        if (std::system(comando.c_str()) != 0)
            throw std::runtime_error("create-databases.sh failed");
    }
    ~Bancos() {
        std::error_code ignorado;
        fs::remove_all(pasta_, ignorado);
    }

    // Fresh copies of the two databases holding a sale of `itens` items.
    void Novos(int itens) {
        Modelo(itens);
        const std::string n = IntToStr(itens);
        fs::copy_file(pasta_ + "dados" + n + ".fdb", Dados(), fs::copy_options::overwrite_existing);
        fs::copy_file(pasta_ + "vendas" + n + ".fdb", Vendas(),
                      fs::copy_options::overwrite_existing);
    }
    std::string Dados() const { return pasta_ + "alvo_dados.fdb"; }
    std::string Vendas() const { return pasta_ + "alvo_vendas.fdb"; }

private:
    void Modelo(int itens) {
        const std::string n = IntToStr(itens);
        const std::string dados = pasta_ + "dados" + n + ".fdb";
        if (fs::exists(dados))
            return;
        const std::string vendas = pasta_ + "vendas" + n + ".fdb";
        fs::copy_file(pasta_ + "modelo/terminal_dados.fdb", dados);
        fs::copy_file(pasta_ + "modelo/terminal_vendas.fdb", vendas);
        Produtos(dados, itens);
        Produtos(vendas, itens);
        TConexaoSQL c;
        c.PegarDados(vendas);
        Exigir(c);
        c.StartTransaction();
        c.Exec("insert into venda (empr_cod, estacao_cod, venda_cod) values (1, 2, 3)");
        for (int i = 1; i <= itens; ++i) {
            const std::string cod = IntToStr(i);
            c.Exec("insert into est_mov (empr_cod, estacao_cod, est_mov_cod, prod_cod, qtd, "
                   "preco_unit, desconto, frete) values (1, 2, " +
                   cod + ", " + cod + ", 1.23456, " + IntToStr(i % 97 + 1) + ".99, 0.10, 0.05)");
            c.Exec("insert into venda_est_mov (empr_cod, estacao_cod, venda_cod, "
                   "est_mov_empr_cod, est_mov_estacao_cod, est_mov_cod) values (1, 2, 3, 1, 2, " +
                   cod + ")");
        }
        c.Commit();
    }

    static void Produtos(const std::string& banco, int itens) {
        TConexaoSQL c;
        c.PegarDados(banco);
        Exigir(c);
        c.StartTransaction();
        c.Exec("insert into trib (trib_cod, descr, perc) values (1, 'ICMS 18', 18)");
        c.Exec("insert into prod_fabr (prod_fabr_cod, nome) values (1, 'FABRICANTE')");
        for (int i = 1; i <= itens; ++i) {
            const std::string cod = IntToStr(i);
            c.Exec("insert into prod (prod_cod, descr, prod_fabr_cod, trib_cod, cfop, ncm) "
                   "values (" +
                   cod + ", 'PRODUTO " + cod + "', 1, 1, '5102', '30049099')");
        }
        c.Commit();
    }

    std::string pasta_;
};

Bancos& OsBancos() {
    static Bancos bancos;
    return bancos;
}

// The logs and scripts that every call leaves in the benchmark's product folder.
void LimparPastaProduto() {
    const std::string raiz = ExtractFilePath(ExecutableFileName()) + "../../";
    std::error_code ignorado;
    fs::remove_all(ToDiskPath(raiz + "Log"), ignorado);
    fs::remove_all(ToDiskPath(raiz + "Comandos"), ignorado);
}

void BM_Executar(benchmark::State& state) {
    const int itens = static_cast<int>(state.range(0));
    Bancos& b = OsBancos();
    const std::string dados = b.Dados();
    const std::string vendas = b.Vendas();
    const ZeltPdvModoOper modoOper{dados.c_str(), vendas.c_str()};
    int erros = 0;
    const ZeltPdvStatus status{&erros, nullptr,
                               [](void* ctx, const char*) { ++*static_cast<int*>(ctx); }};
    for (auto _ : state) {
        state.PauseTiming();
        b.Novos(itens);
        LimparPastaProduto();
        state.ResumeTiming();
        ZeltPdvDinheiro bruto = 0, desconto = 0, frete = 0, liquido = 0;
        if (!Executar(&modoOper, &status, 1, 2, 3, &bruto, &desconto, &frete, &liquido) ||
            erros != 0) {
            state.SkipWithError(ZeltPdvItemFetchUltimoErro());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * itens);
}

// What Executar does to the databases, by hand: the sales database's select, total update,
// product updates and tax records in one transaction; the product selects and tax records in
// another.
void BM_Piso(benchmark::State& state) {
    const int itens = static_cast<int>(state.range(0));
    Bancos& b = OsBancos();
    for (auto _ : state) {
        state.PauseTiming();
        b.Novos(itens);
        state.ResumeTiming();
        TConexaoSQL vendas;
        vendas.PegarDados(b.Vendas());
        Exigir(vendas);
        vendas.StartTransaction();
        auto ds = vendas.Ab("select est_mov.est_mov_cod, est_mov.prod_cod, est_mov.qtd, "
                            "est_mov.preco_unit, est_mov.desconto, est_mov.frete from venda "
                            "join venda_est_mov on venda.empr_cod=venda_est_mov.empr_cod and "
                            "venda.estacao_cod=venda_est_mov.estacao_cod and "
                            "venda.venda_cod=venda_est_mov.venda_cod join est_mov on "
                            "est_mov.empr_cod=venda_est_mov.est_mov_empr_cod and "
                            "est_mov.estacao_cod=venda_est_mov.est_mov_estacao_cod and "
                            "est_mov.est_mov_cod=venda_est_mov.est_mov_cod where "
                            "venda_est_mov.empr_cod=1 and venda_est_mov.estacao_cod=2 and "
                            "venda_est_mov.venda_cod=3");
        vendas.Exec("update venda set valor_total=1, desconto=0, frete_val=0, qtd_itens=" +
                    IntToStr(itens) + " where empr_cod=1 and estacao_cod=2 and venda_cod=3");
        TConexaoSQL dados;
        dados.PegarDados(b.Dados());
        Exigir(dados);
        dados.StartTransaction();
        std::map<int, std::string> linhas;
        for (ds->First(); !ds->Eof(); ds->Next()) {
            const int mov = ds->Fields(0).AsInteger();
            const std::string prod = ds->Fields(1).AsString();
            auto p = dados.Ab("select prod.TRAT_ICMS, prod.CFOP, prod.trib_cod, prod.NCM, "
                              "trib.perc, prod.prod_cod, TRIB_ICMS_CBENEF, TRIB_ICMS_PICMSDESON, "
                              "TRIB_ICMS_motDesICMS from prod join trib on "
                              "trib.trib_cod=prod.trib_cod where prod_cod=" +
                              prod);
            vendas.Exec("update prod set TRAT_ICMS=0, CFOP='5102', TRIB_COD=1, NCM='30049099', "
                        "TRIB_ICMS_CBENEF='', TRIB_ICMS_PICMSDESON=0, TRIB_ICMS_motDesICMS=0 "
                        "where prod_cod=" +
                        prod);
            linhas[mov] = "execute procedure ITENS_TRIBS_SET 1, 2, 3, 1, 2, " + IntToStr(mov) +
                          ", 1, '18', 1.23, 0, '5102', '', 0, 0";
        }
        for (const auto& [mov, sql] : linhas)
            vendas.Exec(sql);
        vendas.Commit();
        for (const auto& [mov, sql] : linhas)
            dados.Exec(sql);
        dados.Commit();
        vendas.Desconectar(false);
        dados.Desconectar(false);
    }
    state.SetItemsProcessed(state.iterations() * itens);
}

// The product lookups alone: one select per item, as the fetch does, against one select for the
// whole sale.
void BM_ProdutoPorItem(benchmark::State& state) {
    const int itens = static_cast<int>(state.range(0));
    Bancos& b = OsBancos();
    b.Novos(itens);
    TConexaoSQL dados;
    dados.PegarDados(b.Dados());
    Exigir(dados);
    for (auto _ : state) {
        for (int i = 1; i <= itens; ++i) {
            auto p = dados.Ab("select prod.TRAT_ICMS, prod.CFOP from prod join trib on "
                              "trib.trib_cod=prod.trib_cod where prod_cod=" +
                              IntToStr(i));
            benchmark::DoNotOptimize(p->RecordCount());
        }
    }
    state.SetItemsProcessed(state.iterations() * itens);
}

void BM_ProdutosDeUmaVez(benchmark::State& state) {
    const int itens = static_cast<int>(state.range(0));
    Bancos& b = OsBancos();
    b.Novos(itens);
    TConexaoSQL dados;
    dados.PegarDados(b.Dados());
    Exigir(dados);
    for (auto _ : state) {
        auto p = dados.Ab("select prod.TRAT_ICMS, prod.CFOP from prod join trib on "
                          "trib.trib_cod=prod.trib_cod where prod_cod between 1 and " +
                          IntToStr(itens));
        benchmark::DoNotOptimize(p->RecordCount());
    }
    state.SetItemsProcessed(state.iterations() * itens);
}

} // namespace

BENCHMARK(BM_Executar)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Piso)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ProdutoPorItem)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProdutosDeUmaVez)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
