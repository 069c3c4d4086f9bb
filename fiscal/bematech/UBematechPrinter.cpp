#include "fiscal/bematech/UBematechPrinter.h"

#include "fiscal/bematech/UMP2032.h"
#include "outside/utils/Utils.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/IniFile.h"
#include "platform/rtl/OperatorMessages.h"
#include "platform/rtl/Text.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace zelt::bematech {

namespace {

constexpr int ModeloLetraTipo2 = 8;
constexpr int LetraModelo8 = 2;
constexpr int LetraNormal = 3;
const char CorteParcial[] = {'\x1B', 'm'};

std::mutex& PastaMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string& PastaDefinida() {
    static std::string pasta;
    return pasta;
}

// The device file, closed on every way out; a failed close is reported by Fechar.
class TArquivoPorta {
public:
    explicit TArquivoPorta(const std::string& porta) : porta_(porta) {
        // No O_CREAT: a port that is not there must fail, not become a plain file nobody reads.
        // O_NOCTTY keeps a terminal device from becoming the host's controlling terminal.
        fd_ = ::open(ToDiskPath(porta).c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0)
            throw EInOutError::FromErrno("Cannot open", porta_, errno);
    }
    ~TArquivoPorta() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TArquivoPorta(const TArquivoPorta&) = delete;
    TArquivoPorta& operator=(const TArquivoPorta&) = delete;

    void Escrever(unsigned char byte) {
        for (;;) {
            const ssize_t n = ::write(fd_, &byte, 1);
            if (n == 1)
                return;
            if (n < 0 && errno == EINTR)
                continue;
            throw EInOutError::FromErrno("Cannot write to", porta_, n < 0 ? errno : EIO);
        }
    }

    void Fechar() {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 && errno != EINTR)
            throw EInOutError::FromErrno("Cannot close", porta_, errno);
    }

private:
    std::string porta_;
    int fd_ = -1;
};

// Closes the printer port however the operation ends. The library is known to be complete here,
// and its closing answer is not looked at.
class TPortaAberta {
public:
    TPortaAberta() = default;
    ~TPortaAberta() {
        try {
            MP2032().FechaPorta();
        } catch (...) {
            // Cannot happen: AbrirPortaBema made sure the library has every function.
        }
    }
    TPortaAberta(const TPortaAberta&) = delete;
    TPortaAberta& operator=(const TPortaAberta&) = delete;
};

unsigned char ByteDaPeca(const std::string& peca, std::string_view texto) {
    int valor = 0;
    if (!TryStrToInt(peca, valor) || valor < 0 || valor > 255)
        throw EConvertError("'" + peca +
                            "' is not a byte value (0 to 255) in the drawer command '" +
                            std::string(texto) + "'");
    return static_cast<unsigned char>(valor);
}

} // namespace

std::string PastaPrograma() {
    {
        std::lock_guard lock(PastaMutex());
        if (!PastaDefinida().empty())
            return PastaDefinida();
    }
    return ExtractFilePath(ExecutableFileName());
}

void DefinirPastaPrograma(const std::string& pasta) {
    std::lock_guard lock(PastaMutex());
    PastaDefinida() = pasta.empty() ? std::string() : IncludeTrailingPathDelimiter(pasta);
}

std::string ComandoGaveta() {
    TIniFile ini(PastaPrograma() + ArquivoTexto);
    return ini.ReadString(SecaoGaveta, ChaveComandoAbrir, ComandoAbrirPadrao);
}

std::vector<unsigned char> BytesComando(std::string_view texto) {
    const TLinhas pecas = StrToSLSeparadores(texto, " ");
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(pecas.Count()));
    for (int i = 0; i < pecas.Count(); ++i)
        bytes.push_back(ByteDaPeca(pecas[i], texto));
    return bytes;
}

void EnviarBytes(const std::string& porta, const std::vector<unsigned char>& bytes) {
    TArquivoPorta arquivo(porta);
    for (unsigned char byte : bytes)
        arquivo.Escrever(byte);
    arquivo.Fechar();
}

bool BemaGavetaEnviar(const std::string& porta) {
    EnviarBytes(porta, BytesComando(ComandoGaveta()));
    return true;
}

bool AbrirPortaBema(const std::string& porta, int modelo) {
    TMP2032& lib = MP2032();
    lib.Exigir();
    lib.ConfiguraModeloImpressora(modelo);
    const int retorno = lib.IniciaPorta(porta.c_str());
    if (retorno == 1)
        return true;
    MessageError("DLL da Bemantech retornou retornou erro ao executar IniciaPorta(" + porta +
                 ") retorno=" + IntToStr(retorno));
    return false;
}

bool GetGavetaStatus(std::string& status, const std::string& porta, int modelo) {
    status.clear();
    if (!AbrirPortaBema(porta, modelo))
        return false;
    const TPortaAberta aberta;
    status = MP2032().Le_Status_Gaveta() == 1 ? "S" : "N";
    return true;
}

bool ImprDoc(const std::string& porta, int modelo, const std::string& texto, int linhasFinais,
             bool cortar) {
    if (!AbrirPortaBema(porta, modelo))
        return false;
    const TPortaAberta aberta;
    TMP2032& lib = MP2032();
    const int letra = modelo == ModeloLetraTipo2 ? LetraModelo8 : LetraNormal;
    lib.FormataTX(texto.c_str(), letra, 0, 0, 0, 0);
    for (int i = 0; i < linhasFinais; ++i)
        lib.FormataTX(" \r\n", LetraNormal, 0, 0, 0, 0);
    if (cortar)
        lib.ComandoTX(CorteParcial, sizeof CorteParcial);
    return true;
}

} // namespace zelt::bematech
