// The fetch of one recorded PDV sale: its items and totals, its products' tax data, and the
// script that writes them into the sales and product databases, with a log of its own per run.
#pragma once

#include "core/files/UArqTexto.h"
#include "pdv/ZeltPdvItemFetch/UTerminalModoOper.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_VendaItem.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"
#include "platform/rtl/Numbers.h"

#include <memory>
#include <string>

namespace zelt {

class ZELT_EXPORT TTrazerProd {
public:
    // The log lies under <root>/Log/PDV/ZeltPdvItemFetch/, the root being two folders above the
    // running program's folder. The log folder is created here.
    TTrazerProd(TTerminalModoOper& modoOper, const TStatusSink& status, int emprCod, int estacaoCod,
                int vendaCod);
    ~TTrazerProd();
    TTrazerProd(const TTrazerProd&) = delete;
    TTrazerProd& operator=(const TTrazerProd&) = delete;

    // Runs the steps in order and stops after the first that reports an error; the log is
    // closed in every case. The totals come back as summed (see TCarregarItens::Exec).
    void Execute(Currency& totalBruto, Currency& totalDesconto, Currency& totalFrete,
                 Currency& totalLiquido);

    // <root>/Comandos/PDV/Trazer Prod eee-sss-vvvvvv <stamp of the zero date>.sql: the same for
    // every run of one sale, so a new run rewrites the script of the last one.
    std::string NomeArqSQL() const;

    TDateTime GetCriacao() const { return criacao_; }
    const std::string& GetPastaPrograma() const { return pastaPrograma_; }
    const std::string& GetPastaRaiz() const { return pastaRaiz_; }
    const std::string& GetPastaLog() const { return pastaLog_; }
    const TArqTexto& GetArqLog() const { return *log_; }
    const TVendaList& GetLista() const { return *lista_; }

private:
    bool Passo(bool erroDeu);
    void EscreverERodarScript();

    TDateTime criacao_;
    std::string pastaPrograma_;
    std::string pastaRaiz_;
    std::string pastaLog_;
    std::unique_ptr<TArqTexto> log_;
    TTerminalModoOper& modoOper_;
    int emprCod_;
    int estacaoCod_;
    int vendaCod_;
    const TStatusSink& status_;
    std::unique_ptr<TVendaList> lista_;
};

} // namespace zelt
