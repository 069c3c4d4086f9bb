#include "core/files/UArqLogManager.h"

#include "core/files/UArqTexto.h"
#include "outside/utils/Utils.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

namespace zelt {

namespace {

void EscrevaLinha(const std::string& pasta, const std::string& nome, const std::string& texto,
                  TDateTime agora) {
    ForceDirectories(pasta);
    const std::string nomeArq = Trim(nome + " " + DateTimeToNomeArqHora(agora) + ".txt");
    TArqTexto arq(pasta + nomeArq);
    arq.AdicionarOuCriar();
    arq.EscreverLn(FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", agora) + ";" + texto);
    arq.Fechar();
}

} // namespace

void TArqLogManager::EscrevaLogHoraAtual(const std::string& pasta, const std::string& nome,
                                         const std::string& texto) {
    Sleep(50);
    EscrevaLinha(pasta, nome, texto, Now());
}

void TArqLogManager::EscrevaLogHoraAtualNoDia(const std::string& pasta, const std::string& nome,
                                              const std::string& texto) {
    const TDateTime agora = Now();
    EscrevaLinha(pasta + DateToPath(agora), nome, texto, agora);
}

} // namespace zelt
