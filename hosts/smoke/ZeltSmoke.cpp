// A smoke run of the runtime layer and the file services: what a newcomer sees first.
// It formats numbers, money and dates with the shops' regional settings, and writes a run log
// and a time-stamped log under a product folder, then prints what landed on disk.
#include "core/files/UArqLogManager.h"
#include "core/files/ULigLog.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace zelt;

void Say(const std::string& cp1252) {
    std::printf("%s\n", Cp1252ToUtf8(cp1252).c_str());
}

void ShowNumbers() {
    Say("Números (configurações regionais do Brasil):");
    const struct {
        const char* pattern;
        Extended value;
    } rows[] = {{"#######0.00", 1234.5},
                {"###,###,##0", 1234567},
                {"##0.#%", 18.75},
                {"######0.000", 1.23456},
                {"0", 2.5}};
    for (const auto& r : rows) {
        Say("  FormatFloat(\"" + std::string(r.pattern) + "\", " + FloatToStr(r.value) +
            ") = " + FormatFloat(r.pattern, r.value));
    }
    const Currency price = StrToCurr("19,99");
    const Currency total = Currency::FromExtended(price.ToExtended() * 3);
    Say("  3 x R$ " + CurrToStr(price) + " = R$ " + FormatCurr("#,##0.00", total));
    Say("  RoundTo(2,675; -2) = " + FloatToStr(RoundTo(2.675, -2)) + " (arredondamento binário)");
}

void ShowDates() {
    const TDateTime now = Now();
    Say("Datas:");
    Say("  agora        " + FormatDateTime("dd/mm/yyyy hh:nn:ss,zzz", now));
    Say("  fim do dia   " + FormatDateTime("dd/mm/yyyy hh:nn:ss,zzz", EndOfTheDay(now)));
    Say("  daqui 1 mês  " + FormatDateTime("dd/mm/yyyy", IncMonth(now, 1)));
    Say("  dias desde 30/12/1899: " + FloatToStr(static_cast<Extended>(DateOf(now))));
}

void PrintTree(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(ToDiskPath(folder))) {
        if (e.is_regular_file()) {
            files.push_back(e.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const auto& f : files) {
        Say("  " + FromDiskPath(f.string()));
        Say("    " + StringReplace(ReadFile(FromDiskPath(f.string())), "\r\n", "\n    "));
    }
}

void ShowLogs(const std::string& productFolder) {
    Say("Logs em " + productFolder + ":");
    {
        TLigLog runLog(productFolder, true);
        TArqLogManager::EscrevaLogHoraAtualNoDia(productFolder + "Log/Smoke/", "Smoke",
                                                 "execução de teste concluída");
    }
    PrintTree(productFolder + "Log/");
}

std::string ProductFolder(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--dir") {
        return IncludeTrailingPathDelimiter(Utf8ToCp1252(argv[2]));
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "zelt-smoke-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw EInOutError::FromErrno("mkdtemp", pattern, errno);
    }
    return IncludeTrailingPathDelimiter(FromDiskPath(pattern));
}

} // namespace

int main(int argc, char** argv) {
    try {
        ShowNumbers();
        ShowDates();
        ShowLogs(ProductFolder(argc, argv));
        return 0;
    } catch (const zelt::Exception& e) {
        std::fprintf(stderr, "%s\n", zelt::Cp1252ToUtf8(e.ClassAndMessage()).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
    return 1;
}
