// A script file for Firebird's script tool (isql-fb): written line by line like any text file,
// then run and awaited.
#pragma once

#include "core/files/UArqTexto.h"
#include "outside/dataline/USQLConnection.h"
#include "platform/rtl/Export.h"

#include <functional>
#include <string>

namespace zelt {

// Receives the waiting text when a run starts and an empty text when it ends.
using TProcStatusSQL = std::function<void(const std::string& texto)>;

inline constexpr const char* TextoEsperaScript = "Aguardando o script terminar...";

class ZELT_EXPORT TArqSQL : public TArqTexto {
public:
    explicit TArqSQL(const std::string& nomeCompleto);
    TArqSQL(const std::string& nome, const std::string& pasta);

    // An empty script, with the outcome of any earlier run forgotten.
    bool Criar() override;

    // The head of a script: the connection (EscreverConex) and the comment. With `comEco` the
    // tool also writes every statement to the log before running it.
    void EscreverTopo(const std::string& database, const std::string& comentario, bool comEco);
    // "SET NAMES WIN1252;" and a CONNECT line for the database. The login is never written:
    // the tool gets it through its environment.
    void EscreverConex(const std::string& database);
    // The text as one line.
    void EscreverComando(const std::string& comando);
    // The text with no line end.
    void EscreverToken(const std::string& texto);

    // Runs the script through the tool and returns when the run has ended, showing
    // `textoEspera` meanwhile (through `status`, or the operator-message status line without
    // one). The tool's output and errors go to the log beside the script (NomeLog), replaced at
    // every run.
    //   pararNoErro: stop at the first failing statement (by default a script runs to its end).
    //   limiteSegundos: > 0 ends a run that takes longer (and reports it as failed).
    //   silencioso: a failure is only returned, not shown to the operator.
    //   intervaloMs: how often a run with a time limit is looked at (0: 10 ms); without a
    //   limit the wait blocks until the tool ends.
    // True when the tool ended well and the log holds no failed statement. On false
    // GetUltimoErro tells what failed and where the log is; unless `silencioso` it was also shown
    // through the operator-message service.
    bool Executar(bool pararNoErro = false, int limiteSegundos = 0, bool silencioso = false,
                  int intervaloMs = 0, TProcStatusSQL status = nullptr,
                  const std::string& textoEspera = TextoEsperaScript);

    std::string NomeLog() const;
    const std::string& GetUltimoErro() const { return ultimoErro_; }
    // The tool's exit code of the last run (-1 before any).
    int GetCodigoSaida() const { return codigoSaida_; }

    // The login the tool receives as ISC_USER/ISC_PASSWORD (default: TLoginSQL::DoAmbiente).
    void SetLogin(TLoginSQL login) { login_ = std::move(login); }

    // The script tool: ZELT_ISQL when set, otherwise isql-fb.
    static std::string Ferramenta();

private:
    bool Falhou(const std::string& motivo, bool silencioso);

    TLoginSQL login_;
    std::string ultimoErro_;
    int codigoSaida_ = -1;
};

} // namespace zelt
