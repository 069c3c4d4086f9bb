// A stand-in for libInterfaceEpson.so whose answers the test decides: every call is journalled
// as name(arguments), returns the code the test set (0 by default) and fills its buffers with the
// text the test set, cut to the buffer's size. A call that does not return 0 leaves its buffers
// as the caller passed them, as the maker library does.
#include "platform/printers/epson/InterfaceEpson.h"

#include <algorithm>
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
    std::vector<std::string> journal;
    std::string journalText;
};

Fake& State() {
    static Fake fake;
    return fake;
}

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

std::string PaymentRecord(const std::string& name) {
    std::string record = name;
    record.resize(15, ' ');
    return record + "S" + std::string(28, '0');
}

const std::map<std::string, std::string>& DefaultAnswers() {
    static const std::map<std::string, std::string> answers = {
        {"EPSON_Obter_Estado_Impressora", "100000000000000000000000"},
        {"EPSON_Obter_Estado_ImpressoraEX.impressora", "1000000000000000"},
        {"EPSON_Obter_Estado_ImpressoraEX.fiscal", "1000000000000000"},
        {"EPSON_Obter_Estado_ImpressoraEX.retorno", "0000"},
        {"EPSON_Obter_Estado_ImpressoraEX.mensagem", ""},
        {"EPSON_Obter_Hora_Relogio", "11122026103005"},
        // COO 42, CCF 17.
        {"EPSON_Obter_Contadores",
         "000042" + std::string(36, '0') + "000017" + std::string(53, '0')},
        // A day open, no reduction pending.
        {"EPSON_Obter_Dados_Jornada", std::string(64, '0') + "10" + std::string(6, '0')},
        {"EPSON_Obter_Dados_Ultima_RZ", "10122026230510" + std::string(1154, '0')},
        {"EPSON_Obter_Tabela_Aliquotas", "T 1800" + std::string(17, '0') + "S 0500" +
                                             std::string(17, '0') + "T 1200" +
                                             std::string(17, '0')},
        {"EPSON_Obter_Tabela_Pagamentos", "03" + PaymentRecord("Dinheiro") +
                                              PaymentRecord("Cheque") + PaymentRecord("Cartao") +
                                              Repeat(std::string(44, ' '), 17)},
        {"EPSON_Obter_Arredonda_Trunca_Fabricacao.arredonda", "S"},
        {"EPSON_Obter_Arredonda_Trunca_Fabricacao.fabricacao", "N"},
        {"EPSON_RelatorioFiscal_RZ", "000001"},
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
    return code == f.codes.end() ? 0 : code->second;
}

std::string Answer(const std::string& key) {
    const Fake& f = State();
    if (auto a = f.answers.find(key); a != f.answers.end())
        return a->second;
    if (auto a = DefaultAnswers().find(key); a != DefaultAnswers().end())
        return a->second;
    return "";
}

// At most `size` characters and the closing NUL, and only when the call succeeded.
void Fill(int rc, char* buffer, std::size_t size, const std::string& key) {
    if (!buffer || rc != 0)
        return;
    const std::string text = Answer(key);
    const std::size_t n = std::min(size, text.size());
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

int Query(const char* name, char* buffer, std::size_t size) {
    const int rc = Call(name, Args().Out());
    Fill(rc, buffer, size, name);
    return rc;
}

} // namespace

// ---- control, for the tests ------------------------------------------------------------------

ZELT_C_EXPORT void FakeEpson_Reset() {
    State() = Fake{};
}
ZELT_C_EXPORT void FakeEpson_Return(const char* function, int code) {
    State().codes[function] = code;
}
ZELT_C_EXPORT void FakeEpson_ReturnOnce(const char* function, int code) {
    State().nextCodes[function].push_back(code);
}
ZELT_C_EXPORT void FakeEpson_Answer(const char* key, const char* text) {
    State().answers[key] = text;
}
ZELT_C_EXPORT void FakeEpson_ClearJournal() {
    State().journal.clear();
}
// Every call so far, one per line (LF).
ZELT_C_EXPORT const char* FakeEpson_Journal() {
    Fake& f = State();
    f.journalText.clear();
    for (const std::string& line : f.journal)
        f.journalText += line + "\n";
    return f.journalText.c_str();
}

// ---- the library -----------------------------------------------------------------------------

#ifndef FAKE_EPSON_WITHOUT_SALE
ZELT_C_EXPORT int EPSON_Fiscal_Vender_Item(const char* codigo, const char* descricao,
                                           const char* quantidade, int casasQuantidade,
                                           const char* unidade, const char* precoUnitario,
                                           int casasPreco, const char* aliquota, int calculo) {
    return Call(__func__, Args() << codigo << descricao << quantidade << casasQuantidade << unidade
                                 << precoUnitario << casasPreco << aliquota << calculo);
}
#endif

ZELT_C_EXPORT int EPSON_Serial_Abrir_PortaEX(void) {
    return Call(__func__, Args());
}
ZELT_C_EXPORT int EPSON_Serial_Fechar_Porta(void) {
    return Call(__func__, Args());
}
ZELT_C_EXPORT int EPSON_Obter_Estado_Impressora(char* estado) {
    return Query(__func__, estado, 24);
}
ZELT_C_EXPORT int EPSON_Obter_Estado_ImpressoraEX(char* impressora, char* fiscal, char* retorno,
                                                  char* mensagem) {
    // The blanks the caller filled in are part of what the test checks.
    const int rc = Call(__func__, Args() << impressora << fiscal << retorno << mensagem);
    const std::string key = __func__;
    Fill(rc, impressora, 16, key + ".impressora");
    Fill(rc, fiscal, 16, key + ".fiscal");
    Fill(rc, retorno, 4, key + ".retorno");
    Fill(rc, mensagem, 100, key + ".mensagem");
    return rc;
}
ZELT_C_EXPORT int EPSON_Obter_Hora_Relogio(char* dataHora) {
    return Query(__func__, dataHora, 16);
}
ZELT_C_EXPORT int EPSON_Obter_Contadores(char* contadores) {
    return Query(__func__, contadores, 101);
}
ZELT_C_EXPORT int EPSON_Obter_Dados_Jornada(char* dados) {
    return Query(__func__, dados, 72);
}
ZELT_C_EXPORT int EPSON_Obter_Dados_Ultima_RZ(char* dados) {
    return Query(__func__, dados, 1168);
}
ZELT_C_EXPORT int EPSON_Obter_Tabela_Aliquotas(char* tabela) {
    return Query(__func__, tabela, 554);
}
ZELT_C_EXPORT int EPSON_Obter_Tabela_Pagamentos(char* tabela) {
    return Query(__func__, tabela, 882);
}
ZELT_C_EXPORT int EPSON_Obter_Arredonda_Trunca_Fabricacao(char* arredonda, char* fabricacao) {
    const int rc = Call(__func__, Args().Out().Out());
    const std::string key = __func__;
    Fill(rc, arredonda, 3, key + ".arredonda");
    Fill(rc, fabricacao, 4, key + ".fabricacao");
    return rc;
}
ZELT_C_EXPORT int EPSON_RelatorioFiscal_Abrir_Jornada(void) {
    return Call(__func__, Args());
}
ZELT_C_EXPORT int EPSON_RelatorioFiscal_LeituraX(void) {
    return Call(__func__, Args());
}
ZELT_C_EXPORT int EPSON_RelatorioFiscal_RZ(const char* data, const char* hora, int modo,
                                           char* crz) {
    const int rc = Call(__func__, Args() << data << hora << modo << "out");
    Fill(rc, crz, 6, __func__);
    return rc;
}
ZELT_C_EXPORT int EPSON_Fiscal_Abrir_Cupom(const char* documento, const char* nome,
                                           const char* endereco1, const char* endereco2, int modo) {
    return Call(__func__, Args() << documento << nome << endereco1 << endereco2 << modo);
}
ZELT_C_EXPORT int EPSON_Fiscal_Desconto_Acrescimo_Item(const char* valor, int casas, int desconto,
                                                       int percentual) {
    return Call(__func__, Args() << valor << casas << desconto << percentual);
}
ZELT_C_EXPORT int EPSON_Fiscal_Cancelar_Item(const char* item) {
    return Call(__func__, Args() << item);
}
ZELT_C_EXPORT int EPSON_Fiscal_Cancelar_Cupom(void) {
    return Call(__func__, Args());
}
ZELT_C_EXPORT int EPSON_Fiscal_Pagamento(const char* forma, const char* valor, int casas,
                                         const char* descricao1, const char* descricao2) {
    return Call(__func__, Args() << forma << valor << casas << descricao1 << descricao2);
}
ZELT_C_EXPORT int EPSON_Fiscal_Imprimir_MensagemEX(const char* mensagem) {
    return Call(__func__, Args() << mensagem);
}
ZELT_C_EXPORT int EPSON_Fiscal_Fechar_Cupom(int cortarPapel, int abrirGaveta) {
    return Call(__func__, Args() << cortarPapel << abrirGaveta);
}
ZELT_C_EXPORT int EPSON_NaoFiscal_Sangria(const char* valor, int casas) {
    return Call(__func__, Args() << valor << casas);
}
ZELT_C_EXPORT int EPSON_NaoFiscal_Fundo_Troco(const char* valor, int casas) {
    return Call(__func__, Args() << valor << casas);
}
ZELT_C_EXPORT int EPSON_NaoFiscal_Abrir_CCD(const char* forma, const char* valor, int casas,
                                            const char* parcelas) {
    return Call(__func__, Args() << forma << valor << casas << parcelas);
}
ZELT_C_EXPORT int EPSON_NaoFiscal_Imprimir_Linha(const char* texto) {
    return Call(__func__, Args() << texto);
}
ZELT_C_EXPORT int EPSON_NaoFiscal_Fechar_CCD(int cortarPapel) {
    return Call(__func__, Args() << cortarPapel);
}
ZELT_C_EXPORT int EPSON_NaoFiscal_Abrir_Relatorio_Gerencial(const char* numero) {
    return Call(__func__, Args() << numero);
}
ZELT_C_EXPORT int EPSON_NaoFiscal_Fechar_Relatorio_Gerencial(int cortarPapel) {
    return Call(__func__, Args() << cortarPapel);
}
ZELT_C_EXPORT int EPSON_Impressora_Abrir_Gaveta(void) {
    return Call(__func__, Args());
}
