// The run log of a program: the opening time of each run, and on the same line the closing time,
// so that a line without a closing time shows a run that ended abnormally. Inconsistencies found
// on the way go to an error file of the day; they never stop the program.
#pragma once

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"

#include <string>

namespace zelt {

class ZELT_EXPORT TLigLog {
public:
    // Under the development environment the object stays inert and fills nothing else. With
    // automatico, the opening is written here and the closing by the destructor.
    TLigLog(const std::string& pastaBase, bool automatico);
    // A destructor cannot pass an error on: a closing that fails here is dropped. A host that
    // must know calls EscrevaFechando itself and builds the object without automatico.
    ~TLigLog();
    TLigLog(const TLigLog&) = delete;
    TLigLog& operator=(const TLigLog&) = delete;

    void EscrevaAbriu();
    void EscrevaFechando();

    // "dd/mm/yyyy hh:nn:ss,zzz" of the moment (0 = now).
    std::string GetAgoraStr(TDateTime dataHora = 0) const;
    // PastaLog + "yyyy/mm/" of the date (0 = today).
    std::string GetPastaDoDia(TDateTime data = 0) const;
    // "Log Lig yyyy-mm-dd <program>.txt".
    std::string GetArqDoDia(TDateTime data = 0) const;
    // "Log Lig Err <tipo> yyyy-mm-dd <program>.txt"; tipo is "Abr" or "Fec".
    std::string GetArqErrDoDia(const std::string& tipo, TDateTime data = 0) const;
    // Appends "<agora>;<mensagem>;<nomeArqLig>" CR LF to today's error file of the kind.
    void RegistraErro(const std::string& tipo, const std::string& agora,
                      const std::string& mensagem, const std::string& nomeArqLig) const;

    bool GetInativo() const { return inativo_; }
    const std::string& GetPastaBase() const { return pastaBase_; }
    const std::string& GetPastaLog() const { return pastaLog_; }
    const std::string& GetNomePrograma() const { return nomePrograma_; }
    bool GetAutomatico() const { return automatico_; }

private:
    bool inativo_ = false;
    std::string pastaBase_;
    std::string pastaLog_;
    std::string nomePrograma_;
    bool automatico_ = false;
};

} // namespace zelt
