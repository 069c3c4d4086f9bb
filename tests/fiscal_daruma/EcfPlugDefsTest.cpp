#include "fiscal/defs/UEcfPlugDefs.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

namespace zelt {
namespace {

using enum TPrintFlag;

TPrinterStatus StatusWith(TPrintFlags flags) {
    TPrinterStatus status = EmptyPrinterStatus();
    SetFlags(status, flags);
    return status;
}

TEST(StatusStr, HoldsTheTextOfEveryFlagAsTheOperatorReadsIt) {
    struct Case {
        TPrintFlag flag;
        const char* text;
    };
    const Case cases[] = {
        {pfFechamentoFPIniciado, "- Cupom com fechamento já iniciado"},
        {pfPrimComandoNaoEsc, "- O primeiro caractere não foi \"Esc\""},
        {pfAliqEstouro, "- Não há mais espaço para programação de mais aliquotas fiscais"},
        {pfComandoNaoExec, "- O último comando não foi excutado"},
        {pfTruncando, "- Truncamento ligado"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StatusText(c.flag), c.text) << static_cast<int>(c.flag);
    for (const std::string& text : StatusStr)
        EXPECT_EQ(text.substr(0, 2), "- ");
    // Windows-1252, one byte per accented letter.
    EXPECT_EQ(StatusText(pfJaHouveReducaoZ), "- J\xE1 houve redu\xE7\xE3o Z");
}

TEST(PrinterStatusToStr, ListsOnlyTheReportedFlagsInTheirOrder) {
    EXPECT_EQ(PrinterStatusToStr(StatusWith({pfTruncando, pfFimPapel})),
              "- Sem papel\r\n- Truncamento ligado\r\n");
    EXPECT_EQ(PrinterStatusToStr(StatusWith({pfCupomAberto})), "");
    EXPECT_EQ(PrinterStatusToStr(EmptyPrinterStatus()), "");

    const std::string all = PrinterStatusToStr(StatusWith(TPrintFlags::FromBits(0xFFFFFFFFu)));
    const std::string expected =
        "- Sem papel\r\n- Já houve redução Z\r\n"
        "- Erro no horário da impressora\r\n"
        "- Foi solicitado um comando inexistente para este modelo de "
        "impressora\r\n"
        "- Número de parâmetros inválido\r\n- Tipo de parâmetro inválido\r\n"
        "- CMOS em erro\r\n- Alíquota fiscal não programada\r\n"
        "- Não há mais espaço para programação de mais aliquotas fiscais\r\n"
        "- Cancelamento de cupom não foi permitido\r\n"
        "- CNPJ ou IE não programados na impressora\r\n"
        "- Truncamento ligado\r\n";
    EXPECT_EQ(all, expected);
}

TEST(PrinterStatusToStr, ReplacesWhatTheOutputHeld) {
    std::string texto = "old";
    PrinterStatusToStr(StatusWith({pfCMOSErro}), texto);
    EXPECT_EQ(texto, "- CMOS em erro\r\n");
}

TEST(BitLigado, NeedsACommonBitThatIsPositiveAsASignedValue) {
    struct Case {
        std::int32_t valor, bit;
        bool ligado;
    };
    const Case cases[] = {
        {255, 16, true},
        {8, 16, false},
        {0, 0, false},
        {1, 1, true},
        // With the sign bit among the common bits the AND is negative: nothing counts as set.
        {INT_MIN, INT_MIN, false},
        {-1, INT_MIN | 4, false},
        {-1, 4, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BitLigado(c.valor, c.bit), c.ligado) << c.valor << " & " << c.bit;
}

TEST(TPrintFlags, KeepsOnlyTheTwentyFlagBits) {
    EXPECT_EQ(TPrintFlags::FromBits(0xFFFFFFFFu).Bits(), 0xFFFFFu);
    TPrintFlags flags{pfFimPapel};
    EXPECT_EQ(flags.Bits(), 16u);
    flags.Exclude(pfFimPapel);
    EXPECT_TRUE(flags.Empty());
}

TEST(DistribuirValoresStatus, ZeroBytesClearTheMirroredFlagsOnly) {
    TPrinterStatus status =
        StatusWith({pfCupomAberto, pfJaHouveReducaoZ, pfTruncando, pfFimPapel, pfComandoNaoExec});
    DistribuirValoresStatus(status, 0, 0);
    EXPECT_EQ(FlagsOf(status), (TPrintFlags{pfJaHouveReducaoZ, pfTruncando}));
}

TEST(DistribuirValoresStatus, EachStatusBitSetsItsFlag) {
    struct Case {
        std::int32_t st1, st2;
        TPrintFlags flags;
    };
    const Case cases[] = {
        {128, 0, {pfFimPapel}},         {64, 0, {pfPoucoPapel}},
        {32, 0, {pfErroRelogio}},       {16, 0, {pfImprErro}},
        {8, 0, {pfPrimComandoNaoEsc}},  {4, 0, {pfComandoInexistente}},
        {2, 0, {pfCupomAberto}},        {1, 0, {pfNumParamsInvalido}},
        {0, 128, {pfTipoParmInvalido}}, {0, 64, {}}, // no flag stands for it
        {0, 32, {pfCMOSErro}},          {0, 16, {pfAliqNaoProgr}},
        {0, 8, {pfAliqEstouro}},        {0, 4, {pfCancelProibido}},
        {0, 2, {pfCNPJIENaoProgr}},     {0, 1, {pfComandoNaoExec}},
    };
    for (const Case& c : cases) {
        TPrinterStatus status = StatusWith({pfHorVeraoSelecionado});
        DistribuirValoresStatus(status, c.st1, c.st2);
        TPrintFlags expected = c.flags;
        expected.Include(pfHorVeraoSelecionado);
        EXPECT_EQ(FlagsOf(status), expected) << c.st1 << "/" << c.st2;
    }
}

TEST(EcfPlugDefsExports, GiveTheSameAnswersInC) {
    const char* texto = nullptr;
    ::PrinterStatusToStr(StatusWith({pfFimPapel}), &texto);
    ASSERT_NE(texto, nullptr);
    EXPECT_STREQ(texto, "- Sem papel\r\n");
    EXPECT_TRUE(::BitLigado(255, 16));
    EXPECT_STREQ(::EcfPlugDefsStatusStr(ZeltPfPoucoPapel), "- Pouco papel");
    EXPECT_EQ(::EcfPlugDefsStatusStr(-1), nullptr);
    EXPECT_EQ(::EcfPlugDefsStatusStr(ZELT_PRINT_FLAG_COUNT), nullptr);
}

} // namespace
} // namespace zelt
