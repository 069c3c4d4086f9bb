#include "outside/dataline/UArqSQL.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/OperatorMessages.h"
#include "platform/rtl/Process.h"
#include "platform/rtl/Text.h"

#include <csignal>
#include <vector>

namespace zelt {

namespace {

// isql-fb reports every failing statement with this line (its exit code says so too, but a tool
// that exits 0 after failures must not pass for a good run).
constexpr const char* MarcaFalha = "Statement failed";

// The lines of the log that tell what failed: each failure and the lines that follow it.
std::string TrechoDasFalhas(const std::string& log) {
    std::string texto;
    try {
        texto = ReadFile(log);
    } catch (const Exception&) {
        return {};
    }
    std::vector<std::string> linhas;
    std::size_t inicio = 0;
    while (inicio <= texto.size()) {
        std::size_t fim = texto.find('\n', inicio);
        std::string linha = texto.substr(inicio, fim == std::string::npos ? fim : fim - inicio);
        if (!linha.empty() && linha.back() == '\r') {
            linha.pop_back();
        }
        linhas.push_back(linha);
        if (fim == std::string::npos) {
            break;
        }
        inicio = fim + 1;
    }
    // A failure is reported as "Statement failed, ...", the error's lines, and "After line N
    // in file ..." naming the statement.
    std::string trecho;
    int mostradas = 0;
    bool dentro = false;
    for (std::size_t i = 0; i < linhas.size() && mostradas < 20; ++i) {
        const std::string& linha = linhas[i];
        if (linha.find(MarcaFalha) != std::string::npos ||
            linha.find("Unable to open") != std::string::npos) {
            dentro = true;
        }
        if (!dentro) {
            continue;
        }
        if (Trim(linha).empty()) {
            dentro = false;
            continue;
        }
        trecho += linha + "\r\n";
        ++mostradas;
        if (linha.rfind("After line", 0) == 0) {
            dentro = false;
        }
    }
    if (trecho.empty()) {
        // No failure of a statement: the tool's own complaint ends the log.
        std::size_t primeira = linhas.size() > 10 ? linhas.size() - 10 : 0;
        for (std::size_t i = primeira; i < linhas.size(); ++i) {
            if (!Trim(linhas[i]).empty()) {
                trecho += linhas[i] + "\r\n";
            }
        }
    }
    return trecho;
}

// Without a time limit the caller blocks in Wait until the tool ends, so the runner adds no
// latency; with one, the run is looked at every `intervaloMs` and killed when the time is up.
bool TerminouNoPrazo(Process& processo, int limiteSegundos, int intervaloMs) {
    const unsigned intervalo = intervaloMs > 0 ? static_cast<unsigned>(intervaloMs) : 10u;
    const std::uint64_t limite = static_cast<std::uint64_t>(limiteSegundos) * 1000u;
    const std::uint64_t inicio = GetTickCount64();
    while (processo.Running()) {
        if (GetTickCount64() - inicio > limite) {
            ::kill(processo.Pid(), SIGKILL);
            return false;
        }
        Sleep(intervalo);
    }
    return true;
}

bool LogTemFalha(const std::string& log) {
    try {
        return ReadFile(log).find(MarcaFalha) != std::string::npos;
    } catch (const Exception&) {
        return false;
    }
}

} // namespace

TArqSQL::TArqSQL(const std::string& nomeCompleto)
    : TArqTexto(nomeCompleto), login_(TLoginSQL::DoAmbiente()) {}

TArqSQL::TArqSQL(const std::string& nome, const std::string& pasta)
    : TArqTexto(nome, pasta), login_(TLoginSQL::DoAmbiente()) {}

bool TArqSQL::Criar() {
    // A new script has not run yet: nothing of an earlier run may be read as its outcome.
    ultimoErro_.clear();
    codigoSaida_ = -1;
    return TArqTexto::Criar();
}

void TArqSQL::EscreverConex(const std::string& database) {
    EscreverComando("SET NAMES WIN1252;");
    // Firebird takes a file name in the operating system's encoding, whatever the connection's
    // character set: the name is written as the disk knows it, as TSQLConnection passes it.
    EscreverComando("CONNECT " + QuotedStr(ToDiskPath(database)) + ";");
}

void TArqSQL::EscreverTopo(const std::string& database, const std::string& comentario,
                           bool comEco) {
    EscreverConex(database);
    // A "*/" inside the comment would end it early and leave the rest as statements.
    EscreverComando("/* " + StringReplace(comentario, "*/", "* /") + " */");
    if (comEco) {
        EscreverComando("SET ECHO ON;");
    }
}

void TArqSQL::EscreverComando(const std::string& comando) {
    EscreverLn(comando);
}

void TArqSQL::EscreverToken(const std::string& texto) {
    Escrever(texto);
}

std::string TArqSQL::NomeLog() const {
    return GetNomeCompleto() + ".log";
}

std::string TArqSQL::Ferramenta() {
    std::string ferramenta = GetEnvVar("ZELT_ISQL");
    return ferramenta.empty() ? "isql-fb" : ferramenta;
}

bool TArqSQL::Falhou(const std::string& motivo, bool silencioso) {
    ultimoErro_ = motivo;
    if (!silencioso) {
        MessageError(ultimoErro_);
    }
    return false;
}

bool TArqSQL::Executar(bool pararNoErro, int limiteSegundos, bool silencioso, int intervaloMs,
                       TProcStatusSQL status, const std::string& textoEspera) {
    auto mostrar = [&](const std::string& texto) {
        if (status) {
            status(texto);
        } else {
            MessageStatus(texto);
        }
    };
    struct LimparStatus {
        std::function<void(const std::string&)> mostrar;
        ~LimparStatus() { mostrar(""); }
    };

    if (GetAberto()) {
        Fechar();
    }
    ultimoErro_.clear();
    codigoSaida_ = -1;
    const std::string script = GetNomeCompleto();
    const std::string log = NomeLog();
    if (!FileExists(script)) {
        return Falhou("O script " + script + " não existe.", silencioso);
    }
    // The tool appends to an existing output file; each run keeps its own log.
    DeleteFile(log);

    // Process::Start turns system texts into the disk's encoding itself.
    std::vector<std::string> argumentos = {Ferramenta(), "-q", "-m", "-ch", "WIN1252"};
    if (pararNoErro) {
        argumentos.push_back("-b");
    }
    argumentos.insert(argumentos.end(), {"-i", script, "-o", log});
    ProcessOptions opcoes;
    opcoes.workingFolder = ExtractFilePath(script);
    opcoes.env.push_back("ISC_USER=" + login_.usuario);
    opcoes.env.push_back("ISC_PASSWORD=" + login_.senha);

    mostrar(textoEspera);
    LimparStatus limpar{mostrar};
    Process processo;
    try {
        processo = Process::Start(argumentos, opcoes);
    } catch (const Exception& e) {
        return Falhou("Não foi possível executar " + Ferramenta() + " para o script " + script +
                          ": " + e.Message(),
                      silencioso);
    }
    bool estourou = limiteSegundos > 0 && !TerminouNoPrazo(processo, limiteSegundos, intervaloMs);
    codigoSaida_ = processo.Wait();

    if (estourou) {
        return Falhou("O script " + script + " não terminou em " + IntToStr(limiteSegundos) +
                          " segundos e foi interrompido. Log: " + log,
                      silencioso);
    }
    if (codigoSaida_ != 0 || LogTemFalha(log)) {
        return Falhou("O script " + script + " terminou com erros (código de saída " +
                          IntToStr(codigoSaida_) + "). Log: " + log + "\r\n" + TrechoDasFalhas(log),
                      silencioso);
    }
    return true;
}

} // namespace zelt
