#include "pdv/ZeltPdvItemFetch/UTrazerProd.h"

#include "outside/dataline/UArqSQL.h"
#include "outside/utils/Utils.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_CarregarItens.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_InsereLinhas.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_Log.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_PreencherProds.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_PreencherTribVal.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/FileSystem.h"

#include <exception>

namespace zelt {

using trazerprod::Carimbo;

TTrazerProd::TTrazerProd(TTerminalModoOper& modoOper, const TStatusSink& status, int emprCod,
                         int estacaoCod, int vendaCod)
    : criacao_(Now()),
      pastaPrograma_(IncludeTrailingPathDelimiter(ExtractFilePath(ExecutableFileName()))),
      pastaRaiz_(PastaAcima(PastaAcima(pastaPrograma_))),
      pastaLog_(pastaRaiz_ + "Log/PDV/ZeltPdvItemFetch/"), modoOper_(modoOper), emprCod_(emprCod),
      estacaoCod_(estacaoCod), vendaCod_(vendaCod), status_(status),
      lista_(std::make_unique<TVendaList>(emprCod, estacaoCod, vendaCod)) {
    ForceDirectories(pastaLog_);
    log_ = std::make_unique<TArqTexto>(pastaLog_ + "Log PDV TrazerProd " +
                                       DateTimeToNomeArq(criacao_) + ".txt");
}

TTrazerProd::~TTrazerProd() = default;

std::string TTrazerProd::NomeArqSQL() const {
    return pastaRaiz_ + "Comandos/PDV/Trazer Prod " + IntToStrZero(emprCod_, 3) + "-" +
           IntToStrZero(estacaoCod_, 3) + "-" + IntToStrZero(vendaCod_, 6) + " " +
           DateTimeToNomeArq(0) + ".sql";
}

// Logs how a step ended; true when the run goes on.
bool TTrazerProd::Passo(bool erroDeu) {
    log_->EscreverLn(erroDeu ? "ErroDeu = S" : "ErroDeu = N");
    log_->EscreverLn("");
    return !erroDeu;
}

// The script runs even when writing it failed half-way, as the databases then get at least the
// lines written; the writing error still reaches the caller after the run.
void TTrazerProd::EscreverERodarScript() {
    const std::string nome = NomeArqSQL();
    log_->EscreverLn("vai criar " + nome);
    TArqSQL arq(nome);
    arq.Criar();
    std::exception_ptr erroAoEscrever;
    try {
        TInsereLinhas::Exec(arq, *lista_, modoOper_);
    } catch (...) {
        erroAoEscrever = std::current_exception();
    }
    arq.Fechar();
    log_->EscreverLn("criou " + nome + " e vai executa-lo");
    const auto mostrar = [this](const std::string& texto) { status_.MostrarStatus(texto); };
    if (!arq.Executar(false, 0, true, 0, mostrar, TextoEsperaScript)) {
        status_.MostrarErro(arq.GetUltimoErro());
        log_->EscreverLn(arq.GetUltimoErro());
    }
    if (erroAoEscrever)
        std::rethrow_exception(erroAoEscrever);
}

void TTrazerProd::Execute(Currency& totalBruto, Currency& totalDesconto, Currency& totalFrete,
                          Currency& totalLiquido) {
    log_->Criar();
    log_->EscreverLn(Carimbo() + " TTrazerProd.Execute; ini");
    trazerprod::ComFim(
        [&] {
            bool erroDeu = false;
            TCarregarItens::Exec(modoOper_, emprCod_, estacaoCod_, vendaCod_, status_, *lista_,
                                 erroDeu, *log_, totalBruto, totalDesconto, totalFrete,
                                 totalLiquido);
            if (!Passo(erroDeu))
                return;
            TPreencherProds::Exec(modoOper_, status_, *lista_, erroDeu, *log_);
            if (!Passo(erroDeu))
                return;
            log_->EscreverLn("vai chamar UTrazerProd_PreencherTribVal.TPreencherTribVal");
            TPreencherTribVal::Execute(*lista_);
            log_->EscreverLn("chamou UTrazerProd_PreencherTribVal.TPreencherTribVal");
            log_->EscreverLn("");
            EscreverERodarScript();
        },
        [&] {
            log_->EscreverLn(Carimbo() + " TTrazerProd.Execute; fin");
            log_->Fechar();
        });
}

} // namespace zelt
