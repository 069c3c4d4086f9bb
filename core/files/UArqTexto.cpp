#include "core/files/UArqTexto.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace zelt {

namespace {

// errno after a failed call; a call that failed without saying why is reported as EIO.
int ErroAtual() {
    return errno != 0 ? errno : EIO;
}

} // namespace

void TArqTexto::FecharRegistro::operator()(std::FILE* registro) const noexcept {
    std::fclose(registro);
}

TArqTexto::TArqTexto(const std::string& nomeCompleto) : TArq(nomeCompleto) {
    TArqTexto::Inicialize();
    gravarImediato_ = true;
}

TArqTexto::TArqTexto(const std::string& nome, const std::string& pasta) : TArq(nome, pasta) {
    TArqTexto::Inicialize();
    gravarImediato_ = true;
}

TArqTexto::~TArqTexto() = default;

void TArqTexto::Inicialize() {
    TArq::Inicialize();
    gravarImediato_ = false;
}

void TArqTexto::Falhou(const char* operacao, int erro) const {
    throw EInOutError::FromErrno(operacao,
                                 nomeVinculado_.empty() ? GetNomeCompleto() : nomeVinculado_, erro);
}

void TArqTexto::Vincule() {
    nomeVinculado_ = GetNomeCompleto();
}

void TArqTexto::AbraRegistro(int flags, const char* modo, const char* operacao) {
    if (registro_) {
        FecheRegistro();
    }
    const std::string disco = ToDiskPath(nomeVinculado_);
    const int fd = ::open(disco.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        SetAberto(false);
        Falhou(operacao, ErroAtual());
    }
    errno = 0;
    std::FILE* registro = ::fdopen(fd, modo);
    if (registro == nullptr) {
        const int erro = ErroAtual();
        ::close(fd);
        SetAberto(false);
        Falhou(operacao, erro);
    }
    registro_.reset(registro);
}

void TArqTexto::FecheRegistro() {
    if (!registro_) {
        return;
    }
    errno = 0;
    // fclose releases the handle even when its final flush fails (a full disk).
    const int resultado = std::fclose(registro_.release());
    if (resultado != 0) {
        Falhou("Cannot close", ErroAtual());
    }
}

bool TArqTexto::Criar() {
    TArq::Criar();
    Vincule();
    AbraRegistro(O_WRONLY | O_CREAT | O_TRUNC, "wb", "Cannot create");
    return true;
}

bool TArqTexto::Abrir() {
    TArq::Abrir();
    Vincule();
    AbraRegistro(O_RDONLY, "rb", "Cannot open");
    return true;
}

bool TArqTexto::Reset() {
    TArq::Reset();
    if (nomeVinculado_.empty()) {
        Falhou("Cannot reopen a file never opened", EBADF);
    }
    AbraRegistro(O_RDONLY, "rb", "Cannot reopen");
    return true;
}

bool TArqTexto::Adicionar() {
    TArq::Adicionar();
    Vincule();
    AbraRegistro(O_WRONLY | O_APPEND, "ab", "Cannot append to");
    return true;
}

bool TArqTexto::Fechar() {
    TArq::Fechar();
    FecheRegistro();
    return true;
}

void TArqTexto::Grave(const char* dados, std::size_t tamanho) {
    if (!registro_) {
        Falhou("Cannot write to a file that is not open", EBADF);
    }
    errno = 0;
    if (std::fwrite(dados, 1, tamanho, registro_.get()) != tamanho) {
        Falhou("Cannot write", ErroAtual());
    }
    if (gravarImediato_) {
        errno = 0;
        if (std::fflush(registro_.get()) != 0) {
            Falhou("Cannot write", ErroAtual());
        }
    }
}

bool TArqTexto::Escrever(const std::string& texto) {
    Grave(texto.data(), texto.size());
    return true;
}

bool TArqTexto::EscreverLn(const std::string& texto) {
    const std::string comFim = texto + "\r\n";
    Grave(comFim.data(), comFim.size());
    ++qtdEscritas_;
    return true;
}

bool TArqTexto::EscreverStrings(const TStringList& textos) {
    for (const std::string& texto : textos) {
        if (!EscreverLn(texto)) {
            return false;
        }
    }
    return true;
}

bool TArqTexto::GetLinha() {
    if (!registro_) {
        Falhou("Cannot read a file that is not open", EBADF);
    }
    std::FILE* registro = registro_.get();
    errno = 0;
    int c = std::getc(registro);
    if (c == EOF) {
        if (std::ferror(registro)) {
            Falhou("Cannot read", ErroAtual());
        }
        return false;
    }
    std::string lida;
    while (c != EOF && c != '\r' && c != '\n') {
        lida.push_back(static_cast<char>(c));
        c = std::getc(registro);
    }
    if (c == '\r') {
        const int seguinte = std::getc(registro);
        if (seguinte != '\n' && seguinte != EOF) {
            std::ungetc(seguinte, registro);
        }
    }
    if (std::ferror(registro)) {
        Falhou("Cannot read", ErroAtual());
    }
    linha_ = std::move(lida);
    ++qtdLidas_;
    return true;
}

void TArqTexto::FecharAposFalha() noexcept {
    try {
        Fechar();
    } catch (...) {
        // The read's own error is the one worth reporting.
    }
}

bool TArqTexto::GetLinhaUltima() {
    const bool resultado = Abrir();
    try {
        while (GetLinha()) {
        }
    } catch (...) {
        FecharAposFalha();
        throw;
    }
    Fechar();
    return resultado;
}

std::int32_t TArqTexto::GetQtdLinhas() {
    Abrir();
    std::int32_t quantidade = 0;
    try {
        while (GetLinha()) {
            ++quantidade;
        }
    } catch (...) {
        FecharAposFalha();
        throw;
    }
    Fechar();
    return quantidade;
}

} // namespace zelt
