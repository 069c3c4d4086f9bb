// The C functions of libmp2032.so. Each call: journal line, fault settings, state load, the
// printer's reaction on a copy of the state, then tape and state saved only when the call
// succeeded, so a refused or failed call leaves no trace beside its journal line.
#include "platform/printers/bematech/MP2032.h"

#include "platform/printers/common/EmuFaults.h"
#include "platform/printers/common/EmuJournal.h"
#include "platform/printers/common/EmuLock.h"
#include "platform/printers/common/EmuPaths.h"
#include "platform/printers/common/EmuStateFile.h"
#include "platform/printers/common/EmuTape.h"
#include "platform/rtl/FileSystem.h"

#include <cstdlib>
#include <mutex>
#include <string>
#include <string_view>

namespace zelt::printers::bematech {

namespace {

constexpr int kNo = 0;
constexpr int kOk = 1;
constexpr int kOwnFiles = -2;
constexpr int kColumns = 48;
constexpr int kMaxCommand = 4096;

std::mutex& CallMutex() {
    static std::mutex mutex;
    return mutex;
}

using Env = TEmuPaths;

Env ReadEnv() {
    return ReadEmuPaths("ZELT_BEMATECH", "bematech");
}

void EnsureFolderOf(const std::string& fileName) {
    const std::string folder = ExtractFilePath(fileName);
    if (!folder.empty() && !DirectoryExists(folder))
        ForceDirectories(folder);
}

// What one call may change: the state document and the lines it prints.
struct TCall {
    const TEmuFaults& faults;
    TKeyValueDoc state;
    TTapeDocument printed{kColumns};

    bool PortOpen() const { return state.GetInt("Porta", "Aberta", 0) == 1; }
    bool Answers() const { return PortOpen() && !faults.PrinterOff(); }

    // Complete lines go to paper; the rest waits in the printer's line buffer.
    void Feed(std::string_view text) {
        std::string pending = state.Get("Papel", "Linha") + std::string(text);
        const std::size_t lastEnd = pending.rfind('\n');
        if (lastEnd != std::string::npos) {
            printed.Text(std::string_view(pending).substr(0, lastEnd + 1));
            pending.erase(0, lastEnd + 1);
        }
        state.Set("Papel", "Linha", pending);
    }

    void Cut() {
        const std::string pending = state.Get("Papel", "Linha");
        if (!pending.empty())
            printed.Text(pending);
        state.Set("Papel", "Linha", "");
        std::string mark = " corte ";
        const std::size_t left = (kColumns - mark.size()) / 2;
        printed.Text(std::string(left, '-') + mark +
                     std::string(kColumns - left - mark.size(), '-'));
    }
};

template <class Body>
int Run(const char* function, std::initializer_list<TJournalArg> args, Body&& body) noexcept {
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
        EnsureFolderOf(env.state);
        const TPrinterLock printerLock(env.state + ".lock");
        const TKeyValueDoc loaded = TKeyValueDoc::Load(env.state);
        if (auto refusal = faults.TakeRefusal(function))
            return *refusal;
        TCall call{faults, loaded};
        const int code = body(call);
        if (code != kOk)
            return code;
        if (!call.printed.Empty()) {
            EnsureFolderOf(env.tape);
            AppendToFile(env.tape, call.printed.Joined(), true);
        }
        if (!(call.state == loaded))
            call.state.SaveAtomic(env.state);
        return code;
    } catch (...) {
        return kOwnFiles;
    }
}

std::string Text(const char* s) {
    return s ? std::string(s) : std::string();
}

std::string HexBytes(const char* bytes, int count) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (int i = 0; bytes && i < count && i < kMaxCommand; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (!out.empty())
            out += ' ';
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
    }
    return out;
}

bool HoldsCut(std::string_view bytes) {
    return bytes.find("\x1B\x6D") != std::string_view::npos;
}

} // namespace

} // namespace zelt::printers::bematech

using namespace zelt::printers::bematech;
using zelt::printers::TJournalArg;

int ConfiguraModeloImpressora(int modelo) {
    return Run("ConfiguraModeloImpressora", {TJournalArg::Int(modelo)}, [&](TCall& call) {
        call.state.SetInt("Porta", "Modelo", modelo);
        return kOk;
    });
}

int IniciaPorta(const char* porta) {
    return Run("IniciaPorta", {TJournalArg::Text(porta)}, [&](TCall& call) {
        const std::string name = Text(porta);
        if (name.empty() || call.faults.PrinterOff())
            return kNo;
        call.state.SetInt("Porta", "Aberta", 1);
        call.state.Set("Porta", "Nome", name);
        return kOk;
    });
}

int FechaPorta(void) {
    return Run("FechaPorta", {}, [](TCall& call) {
        if (!call.PortOpen())
            return kNo;
        call.state.SetInt("Porta", "Aberta", 0);
        return kOk;
    });
}

int FormataTX(const char* texto, int tipoLetra, int opcao1, int opcao2, int opcao3, int opcao4) {
    return Run("FormataTX",
               {TJournalArg::Text(texto), TJournalArg::Int(tipoLetra), TJournalArg::Int(opcao1),
                TJournalArg::Int(opcao2), TJournalArg::Int(opcao3), TJournalArg::Int(opcao4)},
               [&](TCall& call) {
                   if (!call.Answers() || call.faults.PaperOut())
                       return kNo;
                   if (tipoLetra < 1 || tipoLetra > 3)
                       return kNo;
                   call.Feed(Text(texto));
                   return kOk;
               });
}

int ComandoTX(const char* comando, int tamanho) {
    return Run("ComandoTX",
               {TJournalArg::Text(HexBytes(comando, tamanho).c_str()), TJournalArg::Int(tamanho)},
               [&](TCall& call) {
                   if (!call.Answers())
                       return kNo;
                   if (tamanho < 0 || tamanho > kMaxCommand || (!comando && tamanho > 0))
                       return kNo;
                   const std::string_view bytes(comando ? comando : "",
                                                static_cast<std::size_t>(tamanho));
                   if (HoldsCut(bytes))
                       call.Cut();
                   return kOk;
               });
}

int Le_Status_Gaveta(void) {
    return Run("Le_Status_Gaveta", {}, [](TCall& call) {
        if (!call.Answers())
            return kNo;
        return call.state.GetInt("Gaveta", "Aberta", 0) == 1 ? kOk : kNo;
    });
}
