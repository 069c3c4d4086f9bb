// An 8-bit text file read and written line by line. Lines end in CR LF when written; when read,
// CR LF, a lone LF and a lone CR all end a line, and a last line without a line end still counts.
#pragma once

#include "core/files/UArq.h"
#include "platform/rtl/Export.h"
#include "platform/rtl/StringList.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace zelt {

// Every failure of the operating system raises EInOutError with its errno: opening a missing
// file for reading or appending, creating a file in a folder that could not be created, writing
// to a full disk, reading or writing a file that is not open for it.
class ZELT_EXPORT TArqTexto : public TArq {
public:
    // Both switch GravarImediato on.
    explicit TArqTexto(const std::string& nomeCompleto);
    TArqTexto(const std::string& nome, const std::string& pasta);
    // Callers close with Fechar before they free the object; a file still open here is closed
    // anyway, without reporting, so that no handle outlives its object.
    ~TArqTexto() override;

    void Inicialize() override;
    // Creates the file, emptying an existing one.
    bool Criar() override;
    // Opens for reading from the start.
    bool Abrir() override;
    // Reopens the file bound by the last Abrir, Criar or Adicionar for reading from the start.
    bool Reset() override;
    // Opens for appending; the file must exist.
    bool Adicionar() override;
    bool Fechar() override;

    // Without a line end.
    virtual bool Escrever(const std::string& texto);
    // With CR LF; counts in QtdEscritas.
    virtual bool EscreverLn(const std::string& texto);
    // EscreverLn for each text in order, stopping at the first that fails.
    virtual bool EscreverStrings(const TStringList& textos);

    // Reads the next line into Linha; false at the end of the file (Linha is then left alone).
    bool GetLinha();
    // Opens, reads every line and closes: Linha holds the last line (unchanged for an empty
    // file). Returns Abrir's result. Call it on a closed object.
    bool GetLinhaUltima();
    // Opens, counts the lines and closes. Call it on a closed object.
    std::int32_t GetQtdLinhas();

    // The last line read.
    const std::string& Linha() const { return linha_; }
    void SetLinha(const std::string& linha) { linha_ = linha; }

    // When on, every write is handed to the operating system at once, so that a crash loses
    // nothing already written.
    bool GetGravarImediato() const { return gravarImediato_; }
    void SetGravarImediato(bool gravarImediato) { gravarImediato_ = gravarImediato; }

private:
    struct FecharRegistro {
        void operator()(std::FILE* registro) const noexcept;
    };
    using Registro = std::unique_ptr<std::FILE, FecharRegistro>;

    void Vincule();
    void AbraRegistro(int flags, const char* modo, const char* operacao);
    void FecheRegistro();
    void Grave(const char* dados, std::size_t tamanho);
    // Closes after a failed read, keeping the read's error as the one that reaches the caller.
    void FecharAposFalha() noexcept;
    [[noreturn]] void Falhou(const char* operacao, int erro) const;

    Registro registro_;
    std::string nomeVinculado_;
    std::string linha_;
    bool gravarImediato_ = false;
};

} // namespace zelt
