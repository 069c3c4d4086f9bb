// Buffers the library fills: exact sizes, never a byte past n+1, and the same under over-long
// and garbage answers from the fault file.
#include "tests/printers_daruma/DarumaFixture.h"

#include <functional>

namespace zelt::test {
namespace {

struct BufferCase {
    const char* name;
    const char* answerKey; // the fault file key that replaces this buffer's answer
    std::size_t chars;
    std::function<int(const DarumaApi&, char*)> call;
    const char* expected; // the real answer with the fixed clock
};

char scratch[64];
int scratchInt;

const std::vector<BufferCase>& Cases() {
    static const std::vector<BufferCase> cases = {
        {"date", "rDataHoraImpressora_ECF_Daruma.data", 8,
         [](const DarumaApi& d, char* b) { return d.rDataHoraImpressora(b, scratch); }, "11122026"},
        {"time", "rDataHoraImpressora_ECF_Daruma.hora", 6,
         [](const DarumaApi& d, char* b) { return d.rDataHoraImpressora(scratch, b); }, "100000"},
        {"coo", "rRetornarInformacao_ECF_Daruma.26", 6,
         [](const DarumaApi& d, char* b) { return d.rRetornarInformacao("26", b); }, "000000"},
        {"clock", "rRetornarInformacao_ECF_Daruma.172", 3000,
         [](const DarumaApi& d, char* b) { return d.rRetornarInformacao("172", b); },
         "11122026100000"},
        {"brand", "rRetornarInformacao_ECF_Daruma.80+81+79", 3000,
         [](const DarumaApi& d, char* b) { return d.rRetornarInformacao("80+81+79", b); },
         "DARUMA AUTOMACAO;FS700 L;ECF-IF"},
        {"truncation", "rRetornarInformacao_ECF_Daruma.165", 3000,
         [](const DarumaApi& d, char* b) { return d.rRetornarInformacao("165", b); }, ""},
        {"error", "rStatusUltimoCmd_ECF_Daruma.erro", 3,
         [](const DarumaApi& d, char* b) {
             return d.rStatusUltimoCmd(b, scratch, &scratchInt, &scratchInt) == -1 ? -1 : 1;
         },
         "000"},
        {"warning", "rStatusUltimoCmd_ECF_Daruma.aviso", 3,
         [](const DarumaApi& d, char* b) {
             return d.rStatusUltimoCmd(scratch, b, &scratchInt, &scratchInt);
         },
         "000"},
        {"coupon", "rCFVerificarStatus_ECF_Daruma", 1,
         [](const DarumaApi& d, char* b) { return d.rCFVerificarStatus(b, &scratchInt); }, "0"},
        {"pendingZ", "rVerificarReducaoZ_ECF_Daruma", 1,
         [](const DarumaApi& d, char* b) { return d.rVerificarReducaoZ(b); }, "0"},
        {"rates", "rLerAliquotas_ECF_Daruma", 150,
         [](const DarumaApi& d, char* b) { return d.rLerAliquotas(b); },
         "T1800;T1200;T0700;T2500;S0500"},
        {"reports", "rLerRG_ECF_Daruma", 360,
         [](const DarumaApi& d, char* b) { return d.rLerRG(b); }, "Geral"},
    };
    return cases;
}

class Buffers : public DarumaTest, public ::testing::WithParamInterface<BufferCase> {};

TEST_P(Buffers, HoldTheRealAnswerWithinTheirSize) {
    const BufferCase& c = GetParam();
    GuardedBuffer b(c.chars);
    ASSERT_EQ(c.call(D(), b.data()), 1);
    EXPECT_EQ(b.Text(), c.expected);
    EXPECT_TRUE(b.GuardIntact());
}

TEST_P(Buffers, CutAnOverLongAnswerToTheirSize) {
    const BufferCase& c = GetParam();
    WriteFaults("[Clock]\nFixed=11/12/2026 10:00:00\n[Answers]\n" + std::string(c.answerKey) + "=" +
                std::string(5000, 'Z') + "\n");
    GuardedBuffer b(c.chars);
    ASSERT_EQ(c.call(D(), b.data()), 1);
    EXPECT_EQ(b.Text(), std::string(c.chars, 'Z'));
    EXPECT_TRUE(b.GuardIntact());
}

TEST_P(Buffers, FillWithGarbageUpToTheirSizeAndNoFurther) {
    const BufferCase& c = GetParam();
    WriteFaults("[Clock]\nFixed=11/12/2026 10:00:00\n[Answers]\nGarbage=12345\n");
    for (int round = 0; round < 3; ++round) {
        GuardedBuffer b(c.chars);
        ASSERT_EQ(c.call(D(), b.data()), 1);
        EXPECT_EQ(b.Text().size(), c.chars);
        EXPECT_TRUE(b.Terminated());
        EXPECT_TRUE(b.GuardIntact());
    }
}

INSTANTIATE_TEST_SUITE_P(All, Buffers, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DarumaTest, NullOutputsAndUnknownIndexesAreRefusedWithoutWriting) {
    int value = 0;
    char buffer[8] = {};
    EXPECT_EQ(D().rDataHoraImpressora(nullptr, buffer), -1);
    EXPECT_EQ(D().rRetornarInformacao("26", nullptr), -1);
    EXPECT_EQ(D().rStatusUltimoCmd(buffer, buffer, nullptr, &value), -1);
    EXPECT_EQ(D().rConsultaStatusImpressoraInt(8, nullptr), -1);
    EXPECT_EQ(D().rCFVerificarStatus(buffer, nullptr), -1);
    EXPECT_EQ(D().rVerificarReducaoZ(nullptr), -1);
    EXPECT_EQ(D().rStatusGaveta(nullptr), -1);
    EXPECT_EQ(D().rLerAliquotas(nullptr), -1);
    EXPECT_EQ(D().rLerRG(nullptr), -1);
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, '\0'));
    GuardedBuffer b(3000);
    EXPECT_EQ(D().rRetornarInformacao("999", b.data()), -1);
    EXPECT_EQ(D().rRetornarInformacao("26+abc", b.data()), -1);
    EXPECT_EQ(D().rRetornarInformacao(nullptr, b.data()), -1);
    EXPECT_EQ(b.Text(), "");
    EXPECT_EQ(D().rConsultaStatusImpressoraInt(0, &value), -1);
    EXPECT_EQ(D().rConsultaStatusImpressoraInt(11, &value), -1);
    EXPECT_EQ(D().eDefinirProduto("DUAL"), -1);
    EXPECT_EQ(D().eDefinirProduto(nullptr), -1);
}

TEST_F(DarumaTest, CombinedIndexesAnswerTheirValuesJoined) {
    GuardedBuffer b(3000);
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    ASSERT_EQ(D().rRetornarInformacao("26+172", b.data()), 1);
    EXPECT_EQ(b.Text(), "000001;11122026100000");
}

} // namespace
} // namespace zelt::test
