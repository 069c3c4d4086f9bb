#include "outside/utils/UAmbienteIni.h"

#include "outside/utils/UPastas.h"
#include "outside/utils/Utils.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/IniFile.h"
#include "platform/rtl/Text.h"

#include <algorithm>

namespace zelt {

namespace {

// The settings file of a folder under whatever letter case it was saved with; "" when none.
std::string SettingsFileIn(const std::string& folder) {
    TLinhas names;
    SLPreencherDoDiretorio(names, folder + std::string(TAmbienteIni::NomeArquivo), faArchive);
    return names.Empty() ? std::string() : folder + names[0];
}

std::string Folder(const TIniFile& ini, const std::string& product, std::string_view key,
                   std::string_view fallback) {
    std::string value = ini.ReadString("pastas", key, "");
    if (value.empty()) {
        value = std::string(fallback);
    }
    std::replace(value.begin(), value.end(), '\\', '/');
    if (value[0] != '/') {
        value = product + value;
    }
    return IncludeTrailingPathDelimiter(value);
}

} // namespace

TAmbienteIni::TAmbienteIni()
    : pastaProduto_(EncontrarPastaProduto(ExtractFilePath(ExecutableFileName()))) {
    Carregar();
}

TAmbienteIni::TAmbienteIni(const std::string& pastaProduto)
    : pastaProduto_(IncludeTrailingPathDelimiter(pastaProduto)) {
    Carregar();
}

std::string TAmbienteIni::EncontrarPastaProduto(std::string_view pastaPrograma) {
    const std::string start = IncludeTrailingPathDelimiter(pastaPrograma);
    std::string folder = PastaAcima(start);
    // PastaAcima stays at the root, so the search ends there.
    while (true) {
        if (!SettingsFileIn(folder).empty()) {
            return folder;
        }
        const std::string parent = PastaAcima(folder);
        if (parent == folder || parent.empty()) {
            break;
        }
        folder = parent;
    }
    return PastaAcima(PastaAcima(start));
}

const std::string& TAmbienteIni::GetPastaTrabalho(int numero) const {
    switch (numero) {
    case 1:
        return pastaLog_;
    case 2:
        return pastaTemp_;
    case 3:
        return pastaBackup_;
    default:
        throw EArgumentError("TAmbienteIni: there is no working folder " + IntToStr(numero));
    }
}

void TAmbienteIni::Carregar() {
    const std::string found = SettingsFileIn(pastaProduto_);
    arqExiste_ = !found.empty();
    nomeArq_ = arqExiste_ ? found : pastaProduto_ + std::string(NomeArquivo);
    const TIniFile ini(nomeArq_);
    pastaLog_ = Folder(ini, pastaProduto_, "log", "Log");
    pastaTemp_ = Folder(ini, pastaProduto_, "temp", "Tmp");
    pastaBackup_ = Folder(ini, pastaProduto_, "backup", "Backup");
    pastaComandos_ = Folder(ini, pastaProduto_, "comandos", "Comandos");
    const int lote = ini.ReadInteger("lote", "tamanho", TamanhoLotePadrao);
    tamanhoLote_ = lote < 1 ? TamanhoLotePadrao : lote;
    modoDepuracao_ = ini.ReadInteger("depuracao", "modo", 0);
}

} // namespace zelt
