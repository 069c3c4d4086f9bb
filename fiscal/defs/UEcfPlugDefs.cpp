#include "fiscal/defs/UEcfPlugDefs.h"

#include <cstddef>

// Hosts copy the record whole and read its first field as the flag set.
static_assert(offsetof(ZeltPrinterStatus, Flags) == 0);
static_assert(sizeof(ZeltPrinterStatus::Flags) == 4);

namespace zelt {

const std::array<std::string, PrintFlagCount> StatusStr = {
    "- Cupom com fechamento já iniciado",
    "- Horário de verão ativado",
    "- Já houve redução Z",
    "- Memória fiscal está cheia",
    "- Sem papel",
    "- Pouco papel",
    "- Erro no horário da impressora",
    "- O primeiro caractere não foi \"Esc\"",
    "- Impressora em erro",
    "- Foi solicitado um comando inexistente para este modelo de impressora",
    "- Cupom aberto",
    "- Número de parâmetros inválido",
    "- Tipo de parâmetro inválido",
    "- CMOS em erro",
    "- Alíquota fiscal não programada",
    "- Não há mais espaço para programação de mais aliquotas fiscais",
    "- Cancelamento de cupom não foi permitido",
    "- CNPJ ou IE não programados na impressora",
    "- O último comando não foi excutado",
    "- Truncamento ligado",
};

bool BitLigado(std::int32_t valor, std::int32_t bit) {
    return (valor & bit) > 0;
}

namespace {

using enum TPrintFlag;

// Only these flags mean something to an operator; the others describe the dialogue with the
// printer and stay out of the text.
constexpr TPrintFlag ReportedFlags[] = {
    pfFimPapel,          pfJaHouveReducaoZ,  pfErroRelogio,    pfComandoInexistente,
    pfNumParamsInvalido, pfTipoParmInvalido, pfCMOSErro,       pfAliqNaoProgr,
    pfAliqEstouro,       pfCancelProibido,   pfCNPJIENaoProgr, pfTruncando,
};

struct StatusBit {
    bool secondByte;
    std::int32_t mask;
    TPrintFlag flag;
};

// Bit 64 of the second byte stands for nothing.
constexpr StatusBit StatusBits[] = {
    {false, 128, pfFimPapel},    {false, 64, pfPoucoPapel},       {false, 32, pfErroRelogio},
    {false, 16, pfImprErro},     {false, 8, pfPrimComandoNaoEsc}, {false, 4, pfComandoInexistente},
    {false, 2, pfCupomAberto},   {false, 1, pfNumParamsInvalido}, {true, 128, pfTipoParmInvalido},
    {true, 32, pfCMOSErro},      {true, 16, pfAliqNaoProgr},      {true, 8, pfAliqEstouro},
    {true, 4, pfCancelProibido}, {true, 2, pfCNPJIENaoProgr},     {true, 1, pfComandoNaoExec},
};

} // namespace

void PrinterStatusToStr(const TPrinterStatus& status, std::string& texto) {
    texto.clear();
    const TPrintFlags flags = FlagsOf(status);
    for (TPrintFlag f : ReportedFlags) {
        if (flags.Contains(f)) {
            texto += StatusText(f);
            texto += "\r\n";
        }
    }
}

std::string PrinterStatusToStr(const TPrinterStatus& status) {
    std::string texto;
    PrinterStatusToStr(status, texto);
    return texto;
}

void DistribuirValoresStatus(TPrinterStatus& status, std::int32_t st1, std::int32_t st2) {
    TPrintFlags flags = FlagsOf(status);
    for (const StatusBit& b : StatusBits) {
        if (BitLigado(b.secondByte ? st2 : st1, b.mask))
            flags.Include(b.flag);
        else
            flags.Exclude(b.flag);
    }
    SetFlags(status, flags);
}

} // namespace zelt

// ---- C boundary ------------------------------------------------------------------------------

namespace {
thread_local std::string statusTextOut;
}

ZELT_C_EXPORT bool BitLigado(int32_t Valor, int32_t Bit) {
    return zelt::BitLigado(Valor, Bit);
}

ZELT_C_EXPORT void PrinterStatusToStr(ZeltPrinterStatus Status, const char** Texto) {
    try {
        zelt::PrinterStatusToStr(Status, statusTextOut);
    } catch (...) {
        statusTextOut.clear();
    }
    if (Texto)
        *Texto = statusTextOut.c_str();
}

ZELT_C_EXPORT const char* EcfPlugDefsStatusStr(int32_t Flag) {
    if (Flag < 0 || Flag >= zelt::PrintFlagCount)
        return nullptr;
    return zelt::StatusStr[static_cast<std::size_t>(Flag)].c_str();
}
