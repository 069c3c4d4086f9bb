// The C functions of libDarumaFramework.so. Each call: journal line, fault settings, state load,
// the printer's rules on a copy of the state, then tape, detail memory, report files and state
// saved only when the command succeeded (the last command's status is saved either way).
#include "platform/printers/daruma/DarumaFramework.h"

#include "platform/printers/common/EmuAnswers.h"
#include "platform/printers/common/EmuFaults.h"
#include "platform/printers/common/EmuJournal.h"
#include "platform/printers/common/EmuLock.h"
#include "platform/printers/common/EmuPaths.h"
#include "platform/printers/common/EmuStateFile.h"
#include "platform/printers/daruma/DarumaNumbers.h"
#include "platform/printers/daruma/DarumaPrinter.h"
#include "platform/printers/daruma/DarumaReports.h"
#include "platform/printers/daruma/DarumaState.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace zelt::printers::daruma {

namespace {

constexpr int kBadCall = -1;
constexpr int kOwnFiles = -2;
constexpr int kPaperOut = 50;
constexpr int kDrawerSecondsDefault = 5;
constexpr const char* kReportFolderKey = "START\\LocalArquivosRelatorios";

std::mutex& CallMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string Text(const char* s) {
    return s ? std::string(s) : std::string();
}

using Env = TEmuPaths;

Env ReadEnv() {
    return ReadEmuPaths("ZELT_DARUMA", "daruma");
}

enum class Kind {
    Query,  // changes nothing on paper
    Prints, // refused while the printer is out of paper
    Status  // reads the last command's status without becoming the last command
};

class TCallContext {
public:
    TCallContext(const Env& env, TEmuFaults& faults, State state, const char* function)
        : env(env), faults(faults), printer(std::move(state), faults.Now(), faults.PaperOut()),
          answers(faults, function), function_(function) {}

    const Env& env;
    TEmuFaults& faults;
    TPrinter printer;
    TAnswerWriter answers;
    std::vector<std::pair<std::string, std::string>> files; // report files to write

    State& state() { return printer.Current(); }
    std::string Key(std::string_view suffix) const { return function_ + "." + std::string(suffix); }

    // The folder the library writes its reports to: a drive named in the registry is our
    // report folder, as a Windows drive root is on these machines.
    std::string ReportFolder() {
        auto it = state().registry.find(kReportFolderKey);
        std::string value = it == state().registry.end() ? std::string() : Trim(it->second);
        std::string folder = env.reports;
        if (value.size() >= 2 && std::isalpha(static_cast<unsigned char>(value[0])) &&
            value[1] == ':') {
            std::string rest = StringReplace(value.substr(2), "\\", "/");
            while (!rest.empty() && rest.front() == '/')
                rest.erase(0, 1);
            folder += rest;
        } else if (!value.empty() && value.front() == '/') {
            folder = value;
        }
        return IncludeTrailingPathDelimiter(folder);
    }

private:
    std::string function_;
};

std::string MemoryFile(const Env& env) {
    return env.state + ".mfd";
}

// The folders of our own files, so that a fresh test or workstation folder just works.
void EnsureFolderOf(const std::string& fileName) {
    const std::string folder = ExtractFilePath(fileName);
    if (!folder.empty() && !DirectoryExists(folder))
        ForceDirectories(folder);
}

void Commit(TCallContext& ctx) {
    const std::vector<Printed>& printed = ctx.printer.Output();
    if (!printed.empty()) {
        std::string tape;
        for (const Printed& p : printed)
            tape += p.text;
        EnsureFolderOf(ctx.env.tape);
        EnsureFolderOf(ctx.env.state);
        AppendToFile(ctx.env.tape, tape, true);
        AppendToFile(MemoryFile(ctx.env), MfdRecords(printed), true);
    }
    if (!ctx.files.empty()) {
        const std::string folder = ctx.ReportFolder();
        ForceDirectories(folder);
        for (const auto& [name, content] : ctx.files)
            WriteFileAtomic(folder + name, content);
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
            return 0;
        EnsureFolderOf(env.state);
        const TPrinterLock printerLock(env.state + ".lock");
        const TKeyValueDoc loaded = TKeyValueDoc::Load(env.state);
        State original = StateFromDoc(loaded);
        TCallContext ctx(env, faults, original, function);
        int code = 0;
        if (auto refusal = faults.TakeRefusal(function))
            code = *refusal;
        else if (kind == Kind::Prints && faults.PaperOut())
            code = kPaperOut;
        else
            code = body(ctx);
        State& result = code == 1 ? ctx.state() : original;
        if (kind != Kind::Status)
            result.lastError = code == 1 ? 0 : code;
        if (code == 1)
            Commit(ctx);
        TKeyValueDoc saved = StateToDoc(result);
        if (!(saved == loaded)) {
            EnsureFolderOf(env.state);
            saved.SaveAtomic(env.state);
        }
        return code;
    } catch (...) {
        return kOwnFiles;
    }
}

using A = TJournalArg;

std::string CodeText(int code) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", code);
    return text;
}

// Start and end of a fiscal memory reading: two dates or two CRZ numbers.
int ParseMemoryRange(const std::string& first, const std::string& last, FiscalMemoryRange& range) {
    const std::string a = Trim(first), b = Trim(last);
    auto da = ParseDdMmYyyy(a), db = ParseDdMmYyyy(b);
    if (da && db) {
        range = {true, *da, *db};
    } else if (a.size() <= 6 && b.size() <= 6) {
        range.byDate = false;
        if (int c = ParseDigits(a, range.first); c != 1)
            return c;
        if (int c = ParseDigits(b, range.last); c != 1)
            return c;
    } else {
        return 16;
    }
    return range.first <= range.last ? 1 : 16;
}

int ParseMfdRange(const std::string& kind, const char* first, const char* last, MfdRange& range) {
    const std::string a = Trim(Text(first)), b = Trim(Text(last));
    if (kind == "DATAM") {
        auto da = ParseDdMmYyyy(a), db = ParseDdMmYyyy(b);
        if (!da || !db)
            return 16;
        range = {false, *da, *db};
    } else {
        range.byCoo = true;
        if (a.size() > 9 || b.size() > 9)
            return 16;
        if (int c = ParseDigits(a, range.first); c != 1)
            return c;
        if (int c = ParseDigits(b, range.last); c != 1)
            return c;
    }
    return range.first <= range.last ? 1 : 16;
}

int WriteMfd(TCallContext& ctx, const std::string& title, const std::string& kind,
             const char* first, const char* last) {
    if (kind != "DATAM" && kind != "COO")
        return kBadCall;
    MfdRange range;
    if (int c = ParseMfdRange(kind, first, last, range); c != 1)
        return c;
    const std::string memoryFile = MemoryFile(ctx.env);
    const std::string memory = FileExists(memoryFile) ? ReadFile(memoryFile) : std::string();
    ctx.files.emplace_back("ATO_" + title + (range.byCoo ? "_COO.TXT" : "_DATA.TXT"),
                           MfdFile(memory, range, title, ctx.state().model));
    return 1;
}

std::string Information(TCallContext& ctx, const std::string& index, bool& known) {
    State& s = ctx.state();
    known = true;
    if (index == "26")
        return ZeroPad(s.coo, 6);
    if (index == "172")
        return FormatMoment(ctx.printer.Now(), "ddmmyyyyhhnnss");
    if (index == "79")
        return "ECF-IF";
    if (index == "80")
        return "DARUMA AUTOMACAO";
    if (index == "81")
        return s.model;
    if (index == "165")
        return s.truncates ? "1" : "";
    known = false;
    return {};
}

} // namespace

} // namespace zelt::printers::daruma

using namespace zelt::printers::daruma;
using zelt::printers::TJournalArg;

// ---- library settings ------------------------------------------------------------------------

int eDefinirProduto_Daruma(const char* produto) {
    return Run(__func__, {A::Text(produto)}, Kind::Query, [&](TCallContext&) {
        return zelt::SameText(zelt::Trim(Text(produto)), "ECF") ? 1 : kBadCall;
    });
}

int regAlterarValor_Daruma(const char* chave, const char* valor) {
    return Run(__func__, {A::Text(chave), A::Text(valor)}, Kind::Query, [&](TCallContext& ctx) {
        // Registry names and values are short texts; longer ones are cut as the registry would.
        const std::string key = zelt::Trim(Text(chave)).substr(0, 255);
        if (key.empty() || key.find_first_of("=\r\n[]") != std::string::npos)
            return 16;
        ctx.state().registry[key] = Text(valor).substr(0, 255);
        return 1;
    });
}

// ---- start-up, clock, information ------------------------------------------------------------

int rVerificarImpressoraLigada_ECF_Daruma(void) {
    return Run(__func__, {}, Kind::Query, [](TCallContext&) { return 1; });
}

int rDataHoraImpressora_ECF_Daruma(char* data, char* hora) {
    return Run(__func__, {A::Out(), A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!data || !hora)
            return kBadCall;
        const zelt::printers::Moment now = ctx.printer.Now();
        ctx.answers.Text(data, 8, zelt::printers::FormatMoment(now, "ddmmyyyy"), ctx.Key("data"));
        ctx.answers.Text(hora, 6, zelt::printers::FormatMoment(now, "hhnnss"), ctx.Key("hora"));
        return 1;
    });
}

int rRetornarInformacao_ECF_Daruma(const char* indice, char* retorno) {
    return Run(__func__, {A::Text(indice), A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!retorno)
            return kBadCall;
        const std::string index = zelt::Trim(Text(indice));
        std::string answer;
        std::size_t start = 0;
        while (true) {
            const std::size_t plus = index.find('+', start);
            bool known = false;
            const std::string value = Information(
                ctx, index.substr(start, plus == std::string::npos ? plus : plus - start), known);
            if (!known)
                return kBadCall;
            answer += (start == 0 ? "" : ";") + value;
            if (plus == std::string::npos)
                break;
            start = plus + 1;
        }
        ctx.answers.Text(retorno, index == "26" ? 6 : 3000, answer, ctx.Key(index));
        return 1;
    });
}

int rStatusUltimoCmd_ECF_Daruma(char* erro, char* aviso, int* iErro, int* iAviso) {
    return Run(__func__, {A::Out(), A::Out(), A::Out(), A::Out()}, Kind::Status,
               [&](TCallContext& ctx) {
                   if (!erro || !aviso || !iErro || !iAviso)
                       return kBadCall;
                   const int error = ctx.state().lastError;
                   const int warning = ctx.faults.PaperLow() ? 1 : (ctx.printer.ZPending() ? 2 : 0);
                   ctx.answers.Text(erro, 3, CodeText(error), ctx.Key("erro"));
                   ctx.answers.Text(aviso, 3, CodeText(warning), ctx.Key("aviso"));
                   ctx.answers.Int(iErro, error);
                   ctx.answers.Int(iAviso, warning);
                   return error == 0 ? 1 : -1;
               });
}

int rConsultaStatusImpressoraInt_ECF_Daruma(int indice, int* valor) {
    return Run(__func__, {A::Int(indice), A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!valor)
            return kBadCall;
        const State& s = ctx.state();
        const TPrinter& p = ctx.printer;
        bool flag = false;
        switch (indice) {
        case 1:
            flag = p.DrawerOpen();
            break;
        case 2:
            flag = ctx.faults.PaperLow();
            break;
        case 3:
            flag = s.doc == DocKind::Coupon;
            break;
        case 4:
            flag = s.doc == DocKind::LinkedReceipt;
            break;
        case 5:
            flag = s.doc == DocKind::Report;
            break;
        case 6:
            flag = p.ZPending();
            break;
        case 7:
            flag = p.ZDoneToday();
            break;
        case 8:
            flag = ctx.faults.PaperOut();
            break;
        case 9:
            flag = s.truncates;
            break;
        case 10:
            flag = false;
            break;
        default:
            return kBadCall;
        }
        ctx.answers.Int(valor, flag ? 1 : 0);
        return 1;
    });
}

// ---- tables ----------------------------------------------------------------------------------

namespace {

std::string Joined(const std::vector<std::string>& list) {
    std::string out;
    for (const std::string& item : list)
        out += (out.empty() ? "" : ";") + item;
    return out;
}

} // namespace

int rLerRG_ECF_Daruma(char* nomes) {
    return Run(__func__, {A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!nomes)
            return kBadCall;
        ctx.answers.Text(nomes, 360, Joined(ctx.state().reports));
        return 1;
    });
}

int confCadastrarPadrao_ECF_Daruma(const char* tipo, const char* valor) {
    return Run(__func__, {A::Text(tipo), A::Text(valor)}, Kind::Query,
               [&](TCallContext& ctx) { return ctx.printer.Register(Text(tipo), Text(valor)); });
}

int rLerAliquotas_ECF_Daruma(char* aliquotas) {
    return Run(__func__, {A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!aliquotas)
            return kBadCall;
        ctx.answers.Text(aliquotas, 150, Joined(ctx.state().rates));
        return 1;
    });
}

// ---- fiscal coupon ---------------------------------------------------------------------------

int iTEF_Fechar_ECF_Daruma(void) {
    return Run(__func__, {}, Kind::Query,
               [](TCallContext& ctx) { return ctx.printer.CloseOpenReceipts(); });
}

int iCFAbrirPadrao_ECF_Daruma(void) {
    return Run(__func__, {}, Kind::Prints,
               [](TCallContext& ctx) { return ctx.printer.OpenCoupon("", "", ""); });
}

int iCFAbrir_ECF_Daruma(const char* documento, const char* nome, const char* endereco) {
    return Run(__func__, {A::Text(documento), A::Text(nome), A::Text(endereco)}, Kind::Prints,
               [&](TCallContext& ctx) {
                   return ctx.printer.OpenCoupon(Text(documento), Text(nome), Text(endereco));
               });
}

int iCFIdentificarConsumidor_ECF_Daruma(const char* nome, const char* endereco,
                                        const char* documento) {
    return Run(__func__, {A::Text(nome), A::Text(endereco), A::Text(documento)}, Kind::Prints,
               [&](TCallContext& ctx) {
                   return ctx.printer.Identify(Text(nome), Text(endereco), Text(documento));
               });
}

int iCFVender_ECF_Daruma(const char* aliquota, const char* qtd, const char* preco,
                         const char* tipoDescAcresc, const char* valorDescAcresc,
                         const char* codigo, const char* unidade, const char* descricao) {
    return Run(__func__,
               {A::Text(aliquota), A::Text(qtd), A::Text(preco), A::Text(tipoDescAcresc),
                A::Text(valorDescAcresc), A::Text(codigo), A::Text(unidade), A::Text(descricao)},
               Kind::Prints, [&](TCallContext& ctx) {
                   return ctx.printer.Sell(Text(aliquota), Text(qtd), Text(preco),
                                           Text(tipoDescAcresc), Text(valorDescAcresc),
                                           Text(codigo), Text(unidade), Text(descricao));
               });
}

int iCFLancarDescontoItem_ECF_Daruma(const char* item, const char* tipo, const char* valor) {
    return Run(__func__, {A::Text(item), A::Text(tipo), A::Text(valor)}, Kind::Prints,
               [&](TCallContext& ctx) {
                   return ctx.printer.AdjustItem(Text(item), Text(tipo), Text(valor));
               });
}

int iCFCancelarItem_ECF_Daruma(const char* item) {
    return Run(__func__, {A::Text(item)}, Kind::Prints,
               [&](TCallContext& ctx) { return ctx.printer.CancelItem(Text(item)); });
}

int iCFTotalizarCupom_ECF_Daruma(const char* tipo, const char* valor) {
    return Run(__func__, {A::Text(tipo), A::Text(valor)}, Kind::Prints,
               [&](TCallContext& ctx) { return ctx.printer.Totalise(Text(tipo), Text(valor)); });
}

int iCFEfetuarPagamento_ECF_Daruma(const char* forma, const char* valor, const char* mensagem) {
    return Run(__func__, {A::Text(forma), A::Text(valor), A::Text(mensagem)}, Kind::Prints,
               [&](TCallContext& ctx) {
                   return ctx.printer.Pay(Text(forma), Text(valor), Text(mensagem));
               });
}

int iCFEncerrar_ECF_Daruma(const char* adicional, const char* mensagem) {
    return Run(__func__, {A::Text(adicional), A::Text(mensagem)}, Kind::Prints,
               [&](TCallContext& ctx) {
                   return ctx.printer.CloseCoupon(Text(adicional), Text(mensagem));
               });
}

int iCFCancelar_ECF_Daruma(void) {
    return Run(__func__, {}, Kind::Prints,
               [](TCallContext& ctx) { return ctx.printer.CancelCoupon(); });
}

int rCFVerificarStatus_ECF_Daruma(char* status, int* iStatus) {
    return Run(__func__, {A::Out(), A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!status || !iStatus)
            return kBadCall;
        const State& s = ctx.state();
        const int phase = s.doc == DocKind::Coupon ? static_cast<int>(s.phase) : 0;
        ctx.answers.Text(status, 1, std::to_string(phase));
        ctx.answers.Int(iStatus, phase);
        return 1;
    });
}

// ---- day, cash, drawer -----------------------------------------------------------------------

int iLeituraX_ECF_Daruma(void) {
    return Run(__func__, {}, Kind::Prints,
               [](TCallContext& ctx) { return ctx.printer.ReadingX(); });
}

int iReducaoZ_ECF_Daruma(const char* data, const char* hora) {
    return Run(__func__, {A::Text(data), A::Text(hora)}, Kind::Prints,
               [](TCallContext& ctx) { return ctx.printer.ReductionZ(); });
}

int rVerificarReducaoZ_ECF_Daruma(char* pendente) {
    return Run(__func__, {A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!pendente)
            return kBadCall;
        ctx.answers.Text(pendente, 1, ctx.printer.ZPending() ? "1" : "0");
        return 1;
    });
}

int iSangria_ECF_Daruma(const char* valor, const char* mensagem) {
    return Run(__func__, {A::Text(valor), A::Text(mensagem)}, Kind::Prints, [&](TCallContext& ctx) {
        return ctx.printer.CashMovement(true, Text(valor), Text(mensagem));
    });
}

int iSuprimento_ECF_Daruma(const char* valor, const char* mensagem) {
    return Run(__func__, {A::Text(valor), A::Text(mensagem)}, Kind::Prints, [&](TCallContext& ctx) {
        return ctx.printer.CashMovement(false, Text(valor), Text(mensagem));
    });
}

int rStatusGaveta_ECF_Daruma(int* estado) {
    return Run(__func__, {A::Out()}, Kind::Query, [&](TCallContext& ctx) {
        if (!estado)
            return kBadCall;
        ctx.answers.Int(estado, ctx.printer.DrawerOpen() ? 1 : 0);
        return 1;
    });
}

int eAbrirGaveta_ECF_Daruma(void) {
    return Run(__func__, {}, Kind::Query, [](TCallContext& ctx) {
        ctx.printer.OpenDrawer(ctx.faults.DrawerOpenSeconds(kDrawerSecondsDefault));
        return 1;
    });
}

// ---- linked receipt --------------------------------------------------------------------------

int iCCDAbrirSimplificado_ECF_Daruma(const char* forma, const char* parcelas, const char* coo,
                                     const char* valor) {
    return Run(__func__, {A::Text(forma), A::Text(parcelas), A::Text(coo), A::Text(valor)},
               Kind::Prints, [&](TCallContext& ctx) {
                   return ctx.printer.OpenLinkedReceipt(Text(forma), Text(parcelas), Text(coo),
                                                        Text(valor));
               });
}

int iCCDImprimirTexto_ECF_Daruma(const char* texto) {
    return Run(__func__, {A::Text(texto)}, Kind::Prints,
               [&](TCallContext& ctx) { return ctx.printer.PrintLinkedReceipt(Text(texto)); });
}

int iCCDFechar_ECF_Daruma(void) {
    return Run(__func__, {}, Kind::Prints,
               [](TCallContext& ctx) { return ctx.printer.CloseLinkedReceipt(); });
}

// ---- management report -----------------------------------------------------------------------

int iRGAbrir_ECF_Daruma(const char* nome) {
    return Run(__func__, {A::Text(nome)}, Kind::Prints,
               [&](TCallContext& ctx) { return ctx.printer.OpenReport(Text(nome)); });
}

int iRGImprimirTexto_ECF_Daruma(const char* texto) {
    return Run(__func__, {A::Text(texto)}, Kind::Prints,
               [&](TCallContext& ctx) { return ctx.printer.PrintReport(Text(texto)); });
}

int iRGFechar_ECF_Daruma(void) {
    return Run(__func__, {}, Kind::Prints,
               [](TCallContext& ctx) { return ctx.printer.CloseReport(); });
}

// ---- fiscal memory and files -----------------------------------------------------------------

int eMemoriaFiscal_ECF_Daruma(const char* inicio, const char* fim, int completa, const char* tipo) {
    return Run(__func__, {A::Text(inicio), A::Text(fim), A::Int(completa), A::Text(tipo)},
               Kind::Query, [&](TCallContext& ctx) {
                   const std::string kind = zelt::UpperCase(zelt::Trim(Text(tipo)));
                   if (kind != "IMP" && kind != "ARQ")
                       return kBadCall;
                   FiscalMemoryRange range;
                   if (int c = ParseMemoryRange(Text(inicio), Text(fim), range); c != 1)
                       return c;
                   const bool print = kind == "IMP";
                   if (print && ctx.faults.PaperOut())
                       return kPaperOut;
                   std::string text;
                   if (int c = ctx.printer.FiscalMemory(range, completa != 0, print, text); c != 1)
                       return c;
                   if (!print)
                       ctx.files.emplace_back("retorno.txt", text);
                   return 1;
               });
}

int rGerarMFD_ECF_Daruma(const char* tipo, const char* inicio, const char* fim) {
    return Run(__func__, {A::Text(tipo), A::Text(inicio), A::Text(fim)}, Kind::Query,
               [&](TCallContext& ctx) {
                   return WriteMfd(ctx, "MFD", zelt::UpperCase(zelt::Trim(Text(tipo))), inicio,
                                   fim);
               });
}

int rGerarRelatorio_ECF_Daruma(const char* relatorio, const char* tipo, const char* inicio,
                               const char* fim) {
    return Run(__func__, {A::Text(relatorio), A::Text(tipo), A::Text(inicio), A::Text(fim)},
               Kind::Query, [&](TCallContext& ctx) {
                   const std::string report = zelt::UpperCase(zelt::Trim(Text(relatorio)));
                   if (report != "TDM" && report != "MFD")
                       return kBadCall;
                   return WriteMfd(ctx, report, zelt::UpperCase(zelt::Trim(Text(tipo))), inicio,
                                   fim);
               });
}
