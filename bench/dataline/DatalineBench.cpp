// The script runner against isql-fb started by hand on the same 10 000-insert script, and single
// row selects through TConexaoSQL, on embedded databases built from schema/.
#include "outside/dataline/UArqSQL.h"
#include "outside/dataline/UConexaoSQL.h"
#include "platform/rtl/OperatorMessages.h"
#include "platform/rtl/Process.h"
#include "platform/rtl/Text.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;
using namespace zelt;

constexpr int Statements = 10000;

// One set of databases for the whole run, made without forced writes so that the disk's speed
// does not drown the differences being measured.
struct Bancos {
    std::string pasta;
    std::string modelo;
    std::string script;

    Bancos() {
        char nome[] = "/tmp/zelt-dataline-bench-XXXXXX";
        if (mkdtemp(nome) == nullptr) {
            throw std::runtime_error("mkdtemp");
        }
        pasta = std::string(nome) + "/";
        std::string comando = std::string("sh '") + ZELT_BENCH_SOURCE_DIR +
                              "/schema/create-databases.sh' '" + pasta +
                              "modelo' --seed --async >/dev/null";
        if (std::system(comando.c_str()) != 0) {
            throw std::runtime_error("create-databases.sh failed");
        }
        modelo = pasta + "modelo/retaguarda.fdb";
        script = pasta + "insercoes.sql";
        TArqSQL arq(script);
        arq.Criar();
        arq.EscreverTopo(pasta + "alvo.fdb", "10 000 insercoes", false);
        for (int i = 1; i <= Statements; ++i) {
            arq.EscreverComando("insert into cli_classe (cli_classe_cod, descr) values (" +
                                IntToStr(i) + ", 'CLASSE NÚMERO " + IntToStr(i) + "');");
        }
        arq.EscreverComando("commit;");
        arq.Fechar();
    }
    ~Bancos() {
        std::error_code ignorado;
        fs::remove_all(pasta, ignorado);
    }
    void NovoAlvo() const {
        fs::copy_file(modelo, pasta + "alvo.fdb", fs::copy_options::overwrite_existing);
    }
};

const Bancos& OsBancos() {
    static Bancos bancos;
    return bancos;
}

void BM_ScriptRunner10000Inserts(benchmark::State& state) {
    const Bancos& b = OsBancos();
    ScopedRecordingPresenter semEco;
    for (auto _ : state) {
        state.PauseTiming();
        b.NovoAlvo();
        state.ResumeTiming();
        TArqSQL arq(b.script);
        if (!arq.Executar(false, 0, true, 0, nullptr, TextoEsperaScript)) {
            state.SkipWithError(arq.GetUltimoErro().c_str());
            break;
        }
    }
}
BENCHMARK(BM_ScriptRunner10000Inserts)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_IsqlByHand10000Inserts(benchmark::State& state) {
    const Bancos& b = OsBancos();
    for (auto _ : state) {
        state.PauseTiming();
        b.NovoAlvo();
        fs::remove(b.script + ".hand.log");
        state.ResumeTiming();
        Process p = Process::Start({"isql-fb", "-q", "-m", "-ch", "WIN1252", "-i", b.script, "-o",
                                    b.script + ".hand.log"});
        if (p.Wait() != 0) {
            state.SkipWithError("isql-fb failed");
            break;
        }
    }
}
BENCHMARK(BM_IsqlByHand10000Inserts)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_1000SingleRowSelects(benchmark::State& state) {
    const Bancos& b = OsBancos();
    b.NovoAlvo();
    TConexaoSQL conexao;
    conexao.PegarDados(b.pasta + "alvo.fdb");
    if (!conexao.Conectar()) {
        state.SkipWithError(conexao.GetUltimoErro().c_str());
        return;
    }
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            auto ds =
                conexao.Ab("select descr, preco1 from prod where prod_cod=" + IntToStr(i % 5 + 1));
            benchmark::DoNotOptimize(ds->Fields(1).AsCurrency());
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_1000SingleRowSelects)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
