#include "outside/utils/UPastas.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace zelt {

namespace {

namespace fs = std::filesystem;

constexpr int kSpecial = faHidden | faSysFile | faDirectory;

int Attributes(const fs::directory_entry& entry, const std::string& name) {
    std::error_code ec;
    const fs::file_status status = entry.status(ec); // follows links, as Windows shows targets
    if (ec) {
        return 0;
    }
    int attributes = 0;
    if (fs::is_directory(status)) {
        attributes |= faDirectory;
    } else if (fs::is_regular_file(status)) {
        attributes |= faArchive;
    } else {
        attributes |= faSysFile;
    }
    if (!name.empty() && name[0] == '.') {
        attributes |= faHidden;
    }
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        attributes |= faReadOnly;
    }
    return attributes;
}

bool Matches(std::string_view name, std::string_view pattern) {
    // Iterative matching with one back-track point for the last '*'.
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || AnsiLowerChar(pattern[p]) == AnsiLowerChar(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace

int AtributosDoArq(const std::string& nome) {
    std::error_code ec;
    const std::string disk = ToDiskPath(ExcludeTrailingPathDelimiter(nome));
    if (!fs::exists(disk, ec)) {
        return 0;
    }
    return Attributes(fs::directory_entry(disk, ec),
                      ExtractFileName(ExcludeTrailingPathDelimiter(nome)));
}

bool NomeCasaComMascara(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*") {
        return true;
    }
    return Matches(name, pattern);
}

int SLPreencherDoDiretorio(TLinhas& lista, std::string_view mascara, int atributos) {
    lista.Clear();
    std::string folder = ExtractFilePath(mascara);
    const std::string pattern = ExtractFileName(mascara);
    if (folder.empty()) {
        folder = "./";
    }
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(ToDiskPath(folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = FromDiskPath(it->path().filename().string());
        const int attributes = Attributes(*it, name);
        if ((attributes & kSpecial & ~atributos) != 0) {
            continue;
        }
        if (NomeCasaComMascara(name, pattern)) {
            names.push_back(name);
        }
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int byText = CompareText(a, b);
        return byText != 0 ? byText < 0 : a < b;
    });
    for (std::string& name : names) {
        lista.Add(std::move(name));
    }
    return lista.Count();
}

} // namespace zelt
