// The C functions of libInterfaceEpson.so. Each call: journal line, fault settings, state load,
// the printer's rules on a copy of the state, then tape, report files and state saved only when
// the command succeeded (the last command's code is saved either way).
#include "platform/printers/epson/InterfaceEpson.h"

#include "platform/printers/common/EmuAnswers.h"
#include "platform/printers/common/EmuFaults.h"
#include "platform/printers/common/EmuJournal.h"
#include "platform/printers/common/EmuLock.h"
#include "platform/printers/common/EmuPaths.h"
#include "platform/printers/common/EmuStateFile.h"
#include "platform/printers/epson/EpsonPrinter.h"
#include "platform/printers/epson/EpsonState.h"
#include "platform/rtl/FileSystem.h"

#include <cstdlib>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace zelt::printers::epson {

namespace {

constexpr int kDrawerSecondsDefault = 5;

std::mutex& CallMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string Text(const char* s) {
    return s ? std::string(s) : std::string();
}

using Env = TEmuPaths;

Env ReadEnv() {
    return ReadEmuPaths("ZELT_EPSON", "epson");
}

enum class Kind {
    Query,  // changes nothing on paper
    Prints, // refused while the printer is out of paper
    Status  // reads the last command's code without becoming the last command
};

class TCallContext {
public:
    TCallContext(TEmuFaults& faults, State state, const char* function)
        : faults(faults),
          printer(std::move(state), faults.Now(), {faults.PaperOut(), faults.PaperLow()}),
          answers(faults, function), function(function) {}

    TEmuFaults& faults;
    TPrinter printer;
    TAnswerWriter answers;
    std::string function;

    std::string Key(std::string_view suffix) const { return function + "." + std::string(suffix); }
    int DrawerSeconds() const { return faults.DrawerOpenSeconds(kDrawerSecondsDefault); }

    // An answer for the caller's buffer, written only once the call has succeeded and its state
    // is safely saved: a failing call leaves the caller's buffers as they were.
    void Answer(char* buffer, std::size_t maxChars, std::string text, std::string key = {}) {
        pending.push_back({buffer, maxChars, std::move(text), std::move(key), false});
    }
    // The same for the output of a command, which the fault file's answers do not replace.
    void Output(char* buffer, std::size_t maxChars, std::string text) {
        pending.push_back({buffer, maxChars, std::move(text), {}, true});
    }
    void WriteAnswers() const {
        for (const PendingAnswer& a : pending)
            if (a.asIs)
                WriteAnswer(a.buffer, a.maxChars, a.text);
            else
                answers.Text(a.buffer, a.maxChars, a.text, a.key);
    }

private:
    struct PendingAnswer {
        char* buffer;
        std::size_t maxChars;
        std::string text, key;
        bool asIs;
    };
    std::vector<PendingAnswer> pending;
};

// The folders of our own files, so that a fresh test or workstation folder just works.
void EnsureFolderOf(const std::string& fileName) {
    const std::string folder = ExtractFilePath(fileName);
    if (!folder.empty() && !DirectoryExists(folder))
        ForceDirectories(folder);
}

void Commit(const Env& env, const TPrinter& printer) {
    if (!printer.Printed().empty()) {
        EnsureFolderOf(env.tape);
        AppendToFile(env.tape, printer.Printed(), true);
    }
    if (!printer.Files().empty()) {
        ForceDirectories(env.reports);
        for (const auto& [name, content] : printer.Files())
            WriteFileAtomic(env.reports + name, content);
    }
}

template <class Body>
int Run(const char* function, std::initializer_list<TJournalArg> args, Kind kind,
        Body&& body) noexcept {
    std::lock_guard<std::mutex> lock(CallMutex());
    try {
        const Env env = ReadEnv();
        try {
            EnsureFolderOf(env.journal);
            AppendToFile(env.journal, FormatCall(function, args) + "\n", false);
        } catch (...) {
            // A journal that cannot be written must not stop the printer.
        }
        TEmuFaults faults(env.faults);
        if (faults.PrinterOff())
            return code::NoAnswer;
        EnsureFolderOf(env.state);
        const TPrinterLock printerLock(env.state + ".lock");
        const TKeyValueDoc loaded = TKeyValueDoc::Load(env.state);
        State original = StateFromDoc(loaded);
        TCallContext ctx(faults, original, function);
        int result = code::Ok;
        if (auto refusal = faults.TakeRefusal(function))
            result = *refusal;
        else if (kind == Kind::Prints && faults.PaperOut())
            result = code::PaperOut;
        else
            result = body(ctx);
        State& kept = result == code::Ok ? ctx.printer.Current() : original;
        if (kind != Kind::Status)
            kept.lastError = result;
        if (result == code::Ok)
            Commit(env, ctx.printer);
        const TKeyValueDoc saved = StateToDoc(kept);
        if (!(saved == loaded))
            saved.SaveAtomic(env.state);
        if (result == code::Ok)
            ctx.WriteAnswers();
        return result;
    } catch (...) {
        return code::OwnFiles;
    }
}

using A = TJournalArg;

} // namespace

} // namespace zelt::printers::epson

using namespace zelt::printers::epson;
namespace code = zelt::printers::epson::code;

// ---- port ------------------------------------------------------------------------------------

int EPSON_Serial_Abrir_PortaEX(void) {
    return Run(__func__, {}, Kind::Query, [](TCallContext&) { return code::Ok; });
}

int EPSON_Serial_Fechar_Porta(void) {
    return Run(__func__, {}, Kind::Query, [](TCallContext&) { return code::Ok; });
}

// ---- state -----------------------------------------------------------------------------------

int EPSON_Obter_Estado_Impressora(char* estado) {
    return Run(__func__, {A::Out()}, Kind::Status, [&](TCallContext& ctx) {
        if (!estado)
            return code::BadCall;
        const TPrinter& p = ctx.printer;
        ctx.Answer(estado, 24,
                   p.PrinterStateText() + p.FiscalStateText().substr(12, 4) +
                       p.CommandReturnText());
        return code::Ok;
    });
}

int EPSON_Obter_Estado_ImpressoraEX(char* estadoImpressora, char* estadoFiscal,
                                    char* retornoComando, char* mensagemErro) {
    return Run(
        __func__, {A::Out(), A::Out(), A::Out(), A::Out()}, Kind::Status, [&](TCallContext& ctx) {
            if (!estadoImpressora || !estadoFiscal || !retornoComando || !mensagemErro)
                return code::BadCall;
            const TPrinter& p = ctx.printer;
            ctx.Answer(estadoImpressora, 16, p.PrinterStateText(), ctx.Key("impressora"));
            ctx.Answer(estadoFiscal, 16, p.FiscalStateText(), ctx.Key("fiscal"));
            ctx.Answer(retornoComando, 4, p.CommandReturnText(), ctx.Key("retorno"));
            ctx.Answer(mensagemErro, 100, ErrorText(p.Current().lastError), ctx.Key("mensagem"));
            return code::Ok;
        });
}

int EPSON_Obter_Hora_Relogio(char* dataHora) {
    return Run(__func__, {A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!dataHora)
            return code::BadCall;
        ctx.Answer(dataHora, 16, ctx.printer.ClockText());
        return code::Ok;
    });
}

int EPSON_Obter_Contadores(char* contadores) {
    return Run(__func__, {A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!contadores)
            return code::BadCall;
        ctx.Answer(contadores, 101, ctx.printer.CountersText());
        return code::Ok;
    });
}

int EPSON_Obter_Dados_Jornada(char* dados) {
    return Run(__func__, {A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!dados)
            return code::BadCall;
        ctx.Answer(dados, 72, ctx.printer.DayDataText());
        return code::Ok;
    });
}

int EPSON_Obter_Dados_Ultima_RZ(char* dados) {
    return Run(__func__, {A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!dados)
            return code::BadCall;
        if (!ctx.printer.Current().lastZ)
            return code::NoZYet;
        ctx.Answer(dados, 1168, ctx.printer.LastZText());
        return code::Ok;
    });
}

int EPSON_Obter_Tabela_Aliquotas(char* tabela) {
    return Run(__func__, {A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!tabela)
            return code::BadCall;
        ctx.Answer(tabela, 554, ctx.printer.RatesText());
        return code::Ok;
    });
}

int EPSON_Obter_Tabela_Pagamentos(char* tabela) {
    return Run(__func__, {A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!tabela)
            return code::BadCall;
        ctx.Answer(tabela, 882, ctx.printer.PaymentsText());
        return code::Ok;
    });
}

int EPSON_Obter_Arredonda_Trunca_Fabricacao(char* arredonda, char* fabricacao) {
    return Run(__func__, {A::Out(), A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!arredonda || !fabricacao)
            return code::BadCall;
        ctx.Answer(arredonda, 3, ctx.printer.Current().truncates ? "N" : "S", ctx.Key("arredonda"));
        ctx.Answer(fabricacao, 4, "N", ctx.Key("fabricacao"));
        return code::Ok;
    });
}

// ---- fiscal day ------------------------------------------------------------------------------

int EPSON_RelatorioFiscal_Abrir_Jornada(void) {
    return Run(__func__, {}, Kind::Prints, [](TCallContext& ctx) { return ctx.printer.OpenDay(); });
}

int EPSON_RelatorioFiscal_LeituraX(void) {
    return Run(__func__, {}, Kind::Prints,
               [](TCallContext& ctx) { return ctx.printer.ReadingX(); });
}

int EPSON_RelatorioFiscal_RZ(const char* data, const char* hora, int modo, char* crz) {
    return Run(__func__, {A::Text(data), A::Text(hora), A::Int(modo), A::Out()}, Kind::Prints,
               [&](TCallContext& ctx) {
                   if (!crz)
                       return code::BadCall;
                   std::string counter;
                   const int result = ctx.printer.ReductionZ(counter);
                   if (result == code::Ok)
                       ctx.Output(crz, 6, counter);
                   return result;
               });
}

// ---- fiscal coupon ---------------------------------------------------------------------------

int EPSON_Fiscal_Abrir_Cupom(const char* documento, const char* nome, const char* endereco1,
                             const char* endereco2, int modo) {
    return Run(
        __func__,
        {A::Text(documento), A::Text(nome), A::Text(endereco1), A::Text(endereco2), A::Int(modo)},
        Kind::Prints, [&](TCallContext& ctx) {
            return ctx.printer.OpenCoupon(Text(documento), Text(nome), Text(endereco1),
                                          Text(endereco2), modo);
        });
}

int EPSON_Fiscal_Vender_Item(const char* codigo, const char* descricao, const char* quantidade,
                             int casasQuantidade, const char* unidade, const char* precoUnitario,
                             int casasPreco, const char* aliquota, int calculo) {
    return Run(__func__,
               {A::Text(codigo), A::Text(descricao), A::Text(quantidade), A::Int(casasQuantidade),
                A::Text(unidade), A::Text(precoUnitario), A::Int(casasPreco), A::Text(aliquota),
                A::Int(calculo)},
               Kind::Prints, [&](TCallContext& ctx) {
                   return ctx.printer.Sell(Text(codigo), Text(descricao), Text(quantidade),
                                           casasQuantidade, Text(unidade), Text(precoUnitario),
                                           casasPreco, Text(aliquota), calculo);
               });
}

int EPSON_Fiscal_Desconto_Acrescimo_Item(const char* valor, int casas, int desconto,
                                         int percentual) {
    return Run(__func__, {A::Text(valor), A::Int(casas), A::Int(desconto), A::Int(percentual)},
               Kind::Prints, [&](TCallContext& ctx) {
                   return ctx.printer.AdjustItem(Text(valor), casas, desconto, percentual);
               });
}

int EPSON_Fiscal_Cancelar_Item(const char* item) {
    return Run(__func__, {A::Text(item)}, Kind::Prints,
               [&](TCallContext& ctx) { return ctx.printer.CancelItem(Text(item)); });
}

int EPSON_Fiscal_Cancelar_Cupom(void) {
    return Run(__func__, {}, Kind::Prints,
               [](TCallContext& ctx) { return ctx.printer.CancelCoupon(); });
}

int EPSON_Fiscal_Pagamento(const char* forma, const char* valor, int casas, const char* descricao1,
                           const char* descricao2) {
    return Run(
        __func__,
        {A::Text(forma), A::Text(valor), A::Int(casas), A::Text(descricao1), A::Text(descricao2)},
        Kind::Prints, [&](TCallContext& ctx) {
            return ctx.printer.Pay(Text(forma), Text(valor), casas, Text(descricao1),
                                   Text(descricao2));
        });
}

int EPSON_Fiscal_Imprimir_MensagemEX(const char* mensagem) {
    return Run(__func__, {A::Text(mensagem)}, Kind::Prints,
               [&](TCallContext& ctx) { return ctx.printer.Message(Text(mensagem)); });
}

int EPSON_Fiscal_Fechar_Cupom(int cortarPapel, int abrirGaveta) {
    return Run(__func__, {A::Int(cortarPapel), A::Int(abrirGaveta)}, Kind::Prints,
               [&](TCallContext& ctx) {
                   return ctx.printer.CloseCoupon(cortarPapel, abrirGaveta, ctx.DrawerSeconds());
               });
}

// ---- cash movements --------------------------------------------------------------------------

int EPSON_NaoFiscal_Sangria(const char* valor, int casas) {
    return Run(__func__, {A::Text(valor), A::Int(casas)}, Kind::Prints, [&](TCallContext& ctx) {
        return ctx.printer.CashMovement(true, Text(valor), casas);
    });
}

int EPSON_NaoFiscal_Fundo_Troco(const char* valor, int casas) {
    return Run(__func__, {A::Text(valor), A::Int(casas)}, Kind::Prints, [&](TCallContext& ctx) {
        return ctx.printer.CashMovement(false, Text(valor), casas);
    });
}

// ---- linked receipt --------------------------------------------------------------------------

int EPSON_NaoFiscal_Abrir_CCD(const char* forma, const char* valor, int casas,
                              const char* parcelas) {
    return Run(__func__, {A::Text(forma), A::Text(valor), A::Int(casas), A::Text(parcelas)},
               Kind::Prints, [&](TCallContext& ctx) {
                   return ctx.printer.OpenLinkedReceipt(Text(forma), Text(valor), casas,
                                                        Text(parcelas));
               });
}

int EPSON_NaoFiscal_Imprimir_Linha(const char* texto) {
    return Run(__func__, {A::Text(texto)}, Kind::Prints,
               [&](TCallContext& ctx) { return ctx.printer.PrintLine(Text(texto)); });
}

int EPSON_NaoFiscal_Fechar_CCD(int cortarPapel) {
    return Run(__func__, {A::Int(cortarPapel)}, Kind::Prints,
               [&](TCallContext& ctx) { return ctx.printer.CloseLinkedReceipt(cortarPapel); });
}

// ---- management report -----------------------------------------------------------------------

int EPSON_NaoFiscal_Abrir_Relatorio_Gerencial(const char* numero) {
    return Run(__func__, {A::Text(numero)}, Kind::Prints,
               [&](TCallContext& ctx) { return ctx.printer.OpenReport(Text(numero)); });
}

int EPSON_NaoFiscal_Fechar_Relatorio_Gerencial(int cortarPapel) {
    return Run(__func__, {A::Int(cortarPapel)}, Kind::Prints,
               [&](TCallContext& ctx) { return ctx.printer.CloseReport(cortarPapel); });
}

// ---- drawer ----------------------------------------------------------------------------------

int EPSON_Impressora_Abrir_Gaveta(void) {
    return Run(__func__, {}, Kind::Query, [](TCallContext& ctx) {
        ctx.printer.OpenDrawer(ctx.DrawerSeconds());
        return code::Ok;
    });
}
