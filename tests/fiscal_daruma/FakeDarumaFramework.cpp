// A stand-in for libDarumaFramework.so whose answers the test decides: every call is journalled
// as name(arguments), returns the code the test set (1 by default) and fills its buffers with
// the text the test set, to the buffer's full size when the text is that long.
#include "platform/printers/daruma/DarumaFramework.h"

#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace {

struct Fake {
    std::map<std::string, int> codes;
    std::map<std::string, std::deque<int>> nextCodes;
    std::map<std::string, std::string> answers;
    std::map<std::string, int> ints;
    std::vector<std::string> journal;
    std::string journalText;
};

Fake& State() {
    static Fake fake;
    return fake;
}

const std::map<std::string, std::string>& DefaultAnswers() {
    static const std::map<std::string, std::string> answers = {
        {"rRetornarInformacao_ECF_Daruma.26", "000042"},
        {"rRetornarInformacao_ECF_Daruma.172", "11122026103005"},
        {"rRetornarInformacao_ECF_Daruma.80+81+79", "DARUMA AUTOMACAO;FS700 L;ECF-IF"},
        {"rRetornarInformacao_ECF_Daruma.165", ""},
        {"rLerRG_ECF_Daruma", "Geral;Comprovante"},
        {"rDataHoraImpressora_ECF_Daruma.data", "11122026"},
        {"rDataHoraImpressora_ECF_Daruma.hora", "103005"},
        {"rStatusUltimoCmd_ECF_Daruma.erro", "000"},
        {"rStatusUltimoCmd_ECF_Daruma.aviso", "000"},
        {"rCFVerificarStatus_ECF_Daruma", "0"},
        {"rVerificarReducaoZ_ECF_Daruma", "0"},
        {"rLerAliquotas_ECF_Daruma", "T1800;T1200;S0500"},
    };
    return answers;
}

std::string Quote(const char* text) {
    if (!text)
        return "NULL";
    // Line ends escaped, so that one call stays one journal line.
    std::string quoted = "\"";
    for (const char* c = text; *c; ++c) {
        if (*c == '\r')
            quoted += "\\r";
        else if (*c == '\n')
            quoted += "\\n";
        else
            quoted += *c;
    }
    return quoted + "\"";
}

struct Args {
    std::string text;
    Args& operator<<(const char* t) { return Add(Quote(t)); }
    Args& operator<<(int v) { return Add(std::to_string(v)); }
    Args& Out() { return Add("out"); }
    Args& Add(const std::string& piece) {
        if (!text.empty())
            text += ",";
        text += piece;
        return *this;
    }
};

int Call(const char* name, const Args& args) {
    Fake& f = State();
    f.journal.push_back(std::string(name) + "(" + args.text + ")");
    auto next = f.nextCodes.find(name);
    if (next != f.nextCodes.end() && !next->second.empty()) {
        const int code = next->second.front();
        next->second.pop_front();
        return code;
    }
    auto code = f.codes.find(name);
    return code == f.codes.end() ? 1 : code->second;
}

std::string Answer(const std::string& key) {
    const Fake& f = State();
    if (auto a = f.answers.find(key); a != f.answers.end())
        return a->second;
    if (auto a = DefaultAnswers().find(key); a != DefaultAnswers().end())
        return a->second;
    return "";
}

// At most `size` characters and the closing NUL, as the maker library writes.
void Fill(char* buffer, std::size_t size, const std::string& key) {
    if (!buffer)
        return;
    const std::string text = Answer(key);
    const std::size_t n = std::min(size, text.size());
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

void FillInt(int* target, const std::string& key) {
    if (!target)
        return;
    const auto i = State().ints.find(key);
    *target = i == State().ints.end() ? 0 : i->second;
}

} // namespace

// ---- control, for the tests ------------------------------------------------------------------

ZELT_C_EXPORT void FakeDaruma_Reset() {
    State() = Fake{};
}
ZELT_C_EXPORT void FakeDaruma_Return(const char* function, int code) {
    State().codes[function] = code;
}
ZELT_C_EXPORT void FakeDaruma_ReturnOnce(const char* function, int code) {
    State().nextCodes[function].push_back(code);
}
ZELT_C_EXPORT void FakeDaruma_Answer(const char* key, const char* text) {
    State().answers[key] = text;
}
ZELT_C_EXPORT void FakeDaruma_Int(const char* key, int value) {
    State().ints[key] = value;
}
// Keeps the answers and codes; only the record of calls starts again.
ZELT_C_EXPORT void FakeDaruma_ClearJournal() {
    State().journal.clear();
}
// Every call so far, one per line (LF).
ZELT_C_EXPORT const char* FakeDaruma_Journal() {
    Fake& f = State();
    f.journalText.clear();
    for (const std::string& line : f.journal)
        f.journalText += line + "\n";
    return f.journalText.c_str();
}

// ---- the library -----------------------------------------------------------------------------

ZELT_C_EXPORT int eDefinirProduto_Daruma(const char* produto) {
    return Call(__func__, Args() << produto);
}
ZELT_C_EXPORT int regAlterarValor_Daruma(const char* chave, const char* valor) {
    return Call(__func__, Args() << chave << valor);
}
ZELT_C_EXPORT int rVerificarImpressoraLigada_ECF_Daruma(void) {
    return Call(__func__, Args());
}
ZELT_C_EXPORT int rDataHoraImpressora_ECF_Daruma(char* data, char* hora) {
    const int rc = Call(__func__, Args().Out().Out());
    Fill(data, 8, "rDataHoraImpressora_ECF_Daruma.data");
    Fill(hora, 6, "rDataHoraImpressora_ECF_Daruma.hora");
    return rc;
}
ZELT_C_EXPORT int rRetornarInformacao_ECF_Daruma(const char* indice, char* retorno) {
    const int rc = Call(__func__, Args() << indice << "out");
    const std::string index = indice ? indice : "";
    Fill(retorno, index == "26" ? 6 : 3000, std::string(__func__) + "." + index);
    return rc;
}
ZELT_C_EXPORT int rStatusUltimoCmd_ECF_Daruma(char* erro, char* aviso, int* iErro, int* iAviso) {
    const int rc = Call(__func__, Args() << erro << aviso);
    Fill(erro, 4, "rStatusUltimoCmd_ECF_Daruma.erro");
    Fill(aviso, 4, "rStatusUltimoCmd_ECF_Daruma.aviso");
    FillInt(iErro, "rStatusUltimoCmd_ECF_Daruma.erro");
    FillInt(iAviso, "rStatusUltimoCmd_ECF_Daruma.aviso");
    return rc;
}
ZELT_C_EXPORT int rConsultaStatusImpressoraInt_ECF_Daruma(int indice, int* valor) {
    const int rc = Call(__func__, Args() << indice);
    FillInt(valor, std::string(__func__) + "." + std::to_string(indice));
    return rc;
}
ZELT_C_EXPORT int rLerRG_ECF_Daruma(char* nomes) {
    const int rc = Call(__func__, Args().Out());
    Fill(nomes, 360, __func__);
    return rc;
}
ZELT_C_EXPORT int confCadastrarPadrao_ECF_Daruma(const char* tipo, const char* valor) {
    return Call(__func__, Args() << tipo << valor);
}
ZELT_C_EXPORT int iTEF_Fechar_ECF_Daruma(void) {
    return Call(__func__, Args());
}
ZELT_C_EXPORT int iCFAbrirPadrao_ECF_Daruma(void) {
    return Call(__func__, Args());
}
ZELT_C_EXPORT int iCFAbrir_ECF_Daruma(const char* documento, const char* nome,
                                      const char* endereco) {
    return Call(__func__, Args() << documento << nome << endereco);
}
ZELT_C_EXPORT int iCFIdentificarConsumidor_ECF_Daruma(const char* nome, const char* endereco,
                                                      const char* documento) {
    return Call(__func__, Args() << nome << endereco << documento);
}
#ifndef FAKE_DARUMA_WITHOUT_SALE
ZELT_C_EXPORT int iCFVender_ECF_Daruma(const char* aliquota, const char* qtd, const char* preco,
                                       const char* tipoDescAcresc, const char* valorDescAcresc,
                                       const char* codigo, const char* unidade,
                                       const char* descricao) {
    return Call(__func__, Args() << aliquota << qtd << preco << tipoDescAcresc << valorDescAcresc
                                 << codigo << unidade << descricao);
}
#endif
ZELT_C_EXPORT int iCFLancarDescontoItem_ECF_Daruma(const char* item, const char* tipo,
                                                   const char* valor) {
    return Call(__func__, Args() << item << tipo << valor);
}
ZELT_C_EXPORT int iCFCancelarItem_ECF_Daruma(const char* item) {
    return Call(__func__, Args() << item);
}
ZELT_C_EXPORT int iCFTotalizarCupom_ECF_Daruma(const char* tipo, const char* valor) {
    return Call(__func__, Args() << tipo << valor);
}
ZELT_C_EXPORT int iCFEfetuarPagamento_ECF_Daruma(const char* forma, const char* valor,
                                                 const char* mensagem) {
    return Call(__func__, Args() << forma << valor << mensagem);
}
ZELT_C_EXPORT int iCFEncerrar_ECF_Daruma(const char* adicional, const char* mensagem) {
    return Call(__func__, Args() << adicional << mensagem);
}
ZELT_C_EXPORT int iCFCancelar_ECF_Daruma(void) {
    return Call(__func__, Args());
}
ZELT_C_EXPORT int rCFVerificarStatus_ECF_Daruma(char* status, int* iStatus) {
    const int rc = Call(__func__, Args().Out().Out());
    Fill(status, 2, __func__);
    FillInt(iStatus, __func__);
    return rc;
}
ZELT_C_EXPORT int iLeituraX_ECF_Daruma(void) {
    return Call(__func__, Args());
}
ZELT_C_EXPORT int iReducaoZ_ECF_Daruma(const char* data, const char* hora) {
    return Call(__func__, Args() << data << hora);
}
ZELT_C_EXPORT int rVerificarReducaoZ_ECF_Daruma(char* pendente) {
    const int rc = Call(__func__, Args().Out());
    Fill(pendente, 1, __func__);
    return rc;
}
ZELT_C_EXPORT int iSangria_ECF_Daruma(const char* valor, const char* mensagem) {
    return Call(__func__, Args() << valor << mensagem);
}
ZELT_C_EXPORT int iSuprimento_ECF_Daruma(const char* valor, const char* mensagem) {
    return Call(__func__, Args() << valor << mensagem);
}
ZELT_C_EXPORT int rStatusGaveta_ECF_Daruma(int* estado) {
    const int rc = Call(__func__, Args().Out());
    FillInt(estado, __func__);
    return rc;
}
ZELT_C_EXPORT int eAbrirGaveta_ECF_Daruma(void) {
    return Call(__func__, Args());
}
ZELT_C_EXPORT int iCCDAbrirSimplificado_ECF_Daruma(const char* forma, const char* parcelas,
                                                   const char* coo, const char* valor) {
    return Call(__func__, Args() << forma << parcelas << coo << valor);
}
ZELT_C_EXPORT int iCCDImprimirTexto_ECF_Daruma(const char* texto) {
    return Call(__func__, Args() << texto);
}
ZELT_C_EXPORT int iCCDFechar_ECF_Daruma(void) {
    return Call(__func__, Args());
}
ZELT_C_EXPORT int iRGAbrir_ECF_Daruma(const char* nome) {
    return Call(__func__, Args() << nome);
}
ZELT_C_EXPORT int iRGImprimirTexto_ECF_Daruma(const char* texto) {
    return Call(__func__, Args() << texto);
}
ZELT_C_EXPORT int iRGFechar_ECF_Daruma(void) {
    return Call(__func__, Args());
}
ZELT_C_EXPORT int rLerAliquotas_ECF_Daruma(char* aliquotas) {
    const int rc = Call(__func__, Args().Out());
    Fill(aliquotas, 150, __func__);
    return rc;
}
ZELT_C_EXPORT int eMemoriaFiscal_ECF_Daruma(const char* inicio, const char* fim, int completa,
                                            const char* tipo) {
    return Call(__func__, Args() << inicio << fim << completa << tipo);
}
ZELT_C_EXPORT int rGerarMFD_ECF_Daruma(const char* tipo, const char* inicio, const char* fim) {
    return Call(__func__, Args() << tipo << inicio << fim);
}
ZELT_C_EXPORT int rGerarRelatorio_ECF_Daruma(const char* relatorio, const char* tipo,
                                             const char* inicio, const char* fim) {
    return Call(__func__, Args() << relatorio << tipo << inicio << fim);
}
