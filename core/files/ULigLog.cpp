#include "core/files/ULigLog.h"

#include "core/files/UArqTexto.h"
#include "core/files/UPasta.h"
#include "outside/utils/Utils.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

namespace zelt {

namespace {

TDateTime HojeSeZero(TDateTime data) {
    return data == 0 ? Date() : data;
}

// The run file names carry the program, so that different programs never share a file; the
// extension is dropped and the letter case folded so that every run of one program agrees.
std::string NomeDoPrograma() {
    return AnsiLowerCase(StrToName(ChangeFileExt(ExtractFileName(ExecutableFileName()), "")));
}

bool TemFechamento(const std::string& linha) {
    return linha.find(';') != std::string::npos;
}

} // namespace

TLigLog::TLigLog(const std::string& pastaBase, bool automatico) {
    inativo_ = IsDevelopmentEnvironment();
    if (inativo_) {
        return;
    }
    pastaBase_ = TPasta::ComDelimitador(pastaBase);
    pastaLog_ = pastaBase_ + "Log/Lig/";
    nomePrograma_ = NomeDoPrograma();
    automatico_ = automatico;
    if (automatico_) {
        EscrevaAbriu();
    }
}

TLigLog::~TLigLog() {
    if (inativo_ || !automatico_) {
        return;
    }
    try {
        EscrevaFechando();
    } catch (...) {
        // Nothing can reach the caller from here; see the header.
    }
}

std::string TLigLog::GetAgoraStr(TDateTime dataHora) const {
    return FormatDateTime("dd/mm/yyyy hh:nn:ss,zzz", dataHora == 0 ? Now() : dataHora);
}

std::string TLigLog::GetPastaDoDia(TDateTime data) const {
    // The delimiters are written apart: '/' inside a pattern prints the date separator.
    data = HojeSeZero(data);
    return pastaLog_ + FormatDateTime("yyyy", data) + "/" + FormatDateTime("mm", data) + "/";
}

std::string TLigLog::GetArqDoDia(TDateTime data) const {
    return "Log Lig " + FormatDateTime("yyyy-mm-dd", HojeSeZero(data)) + " " + nomePrograma_ +
           ".txt";
}

std::string TLigLog::GetArqErrDoDia(const std::string& tipo, TDateTime data) const {
    return "Log Lig Err " + tipo + " " + FormatDateTime("yyyy-mm-dd", HojeSeZero(data)) + " " +
           nomePrograma_ + ".txt";
}

void TLigLog::RegistraErro(const std::string& tipo, const std::string& agora,
                           const std::string& mensagem, const std::string& nomeArqLig) const {
    const TDateTime hoje = Date();
    TArqTexto arq(GetArqErrDoDia(tipo, hoje), GetPastaDoDia(hoje));
    arq.AdicionarOuCriar();
    arq.EscreverLn(agora + ";" + mensagem + ";" + nomeArqLig);
    arq.Fechar();
}

void TLigLog::EscrevaAbriu() {
    if (inativo_) {
        return;
    }
    // One reading of the clock, so that the day's file and the time stamp agree at midnight.
    const TDateTime agora = Now();
    const TDateTime hoje = DateOf(agora);
    TArqTexto arq(GetArqDoDia(hoje), GetPastaDoDia(hoje));
    const std::string agoraStr = GetAgoraStr(agora);
    if (arq.Existe()) {
        arq.GetLinhaUltima();
        if (!TemFechamento(arq.Linha())) {
            RegistraErro("Abr", agoraStr, "na linha acima nao tinha fech", arq.GetNomeCompleto());
        }
        arq.Adicionar();
        arq.Escrever("\r\n" + agoraStr);
    } else {
        arq.Criar();
        arq.Escrever(agoraStr);
    }
    arq.Fechar();
}

void TLigLog::EscrevaFechando() {
    if (inativo_) {
        return;
    }
    const TDateTime agora = Now();
    const TDateTime hoje = DateOf(agora);
    TArqTexto arq(GetArqDoDia(hoje), GetPastaDoDia(hoje));
    const std::string agoraStr = GetAgoraStr(agora);
    if (arq.Existe()) {
        arq.GetLinhaUltima();
        const bool jaFechado = TemFechamento(arq.Linha());
        arq.Adicionar();
        if (!jaFechado) {
            arq.Escrever(";" + agoraStr);
        } else {
            RegistraErro("Fec", agoraStr, "tinha ja fech e nao abertura", arq.GetNomeCompleto());
            arq.Escrever("\r\n;" + agoraStr);
        }
    } else {
        RegistraErro("Fec", agoraStr, "nao existia arquivo", arq.GetNomeCompleto());
        arq.Criar();
        arq.Escrever(";" + agoraStr);
    }
    arq.Fechar();
}

} // namespace zelt
