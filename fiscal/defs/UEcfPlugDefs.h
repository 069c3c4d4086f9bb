// Definitions shared by the fiscal printer plug-ins: the status flags and record, their texts,
// the consumer-identification position and the status-byte distribution both plug-ins perform.
#pragma once

#include "platform/rtl/Export.h"
#include "zelt/ecfplug.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace zelt {

enum class TPrintFlag : std::uint8_t {
    pfFechamentoFPIniciado = 0,
    pfHorVeraoSelecionado,
    pfJaHouveReducaoZ,
    pfMemFiscalCheia,
    pfFimPapel,
    pfPoucoPapel,
    pfErroRelogio,
    pfPrimComandoNaoEsc,
    pfImprErro,
    pfComandoInexistente,
    pfCupomAberto,
    pfNumParamsInvalido,
    pfTipoParmInvalido,
    pfCMOSErro,
    pfAliqNaoProgr,
    pfAliqEstouro,
    pfCancelProibido,
    pfCNPJIENaoProgr,
    pfComandoNaoExec,
    pfTruncando,
};
inline constexpr int PrintFlagCount = ZELT_PRINT_FLAG_COUNT;

// A set of flags kept as the status record keeps it: bit n stands for the flag of ordinal n.
class TPrintFlags {
public:
    constexpr TPrintFlags() = default;
    constexpr TPrintFlags(std::initializer_list<TPrintFlag> flags) {
        for (TPrintFlag f : flags)
            Include(f);
    }
    // Bits above the last flag are dropped: the record never carries them.
    static constexpr TPrintFlags FromBits(std::uint32_t bits) {
        TPrintFlags s;
        s.bits_ = bits & ((1u << PrintFlagCount) - 1u);
        return s;
    }
    constexpr std::uint32_t Bits() const { return bits_; }
    constexpr bool Contains(TPrintFlag f) const { return (bits_ & Mask(f)) != 0; }
    constexpr void Include(TPrintFlag f) { bits_ |= Mask(f); }
    constexpr void Exclude(TPrintFlag f) { bits_ &= ~Mask(f); }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr bool operator==(const TPrintFlags&) const = default;

private:
    static constexpr std::uint32_t Mask(TPrintFlag f) { return 1u << static_cast<unsigned>(f); }
    std::uint32_t bits_ = 0;
};

using TPrinterStatus = ::ZeltPrinterStatus;

inline TPrintFlags FlagsOf(const TPrinterStatus& status) {
    return TPrintFlags::FromBits(status.Flags);
}
inline void SetFlags(TPrinterStatus& status, TPrintFlags flags) {
    status.Flags = flags.Bits();
}
// An empty record: no flags, no code, empty text.
inline TPrinterStatus EmptyPrinterStatus() {
    return TPrinterStatus{};
}

enum class TCliPos : std::int32_t {
    cpAoAbrir = ZeltCpAoAbrir,
    cpAntesMens = ZeltCpAntesMens,
    cpNaMens = ZeltCpNaMens,
};

// The status texts, indexed by flag ordinal; filled when the package is loaded.
ZELT_EXPORT extern const std::array<std::string, PrintFlagCount> StatusStr;
inline const std::string& StatusText(TPrintFlag f) {
    return StatusStr[static_cast<std::size_t>(f)];
}

ZELT_EXPORT bool BitLigado(std::int32_t valor, std::int32_t bit);

// The text of the flags an operator needs to see, each followed by CR LF; "" when none is set.
ZELT_EXPORT void PrinterStatusToStr(const TPrinterStatus& status, std::string& texto);
ZELT_EXPORT std::string PrinterStatusToStr(const TPrinterStatus& status);

// Brings the flags that mirror the two status bytes in line with them; the flags that no status
// bit stands for are left as they are.
ZELT_EXPORT void DistribuirValoresStatus(TPrinterStatus& status, std::int32_t st1,
                                         std::int32_t st2);

} // namespace zelt
