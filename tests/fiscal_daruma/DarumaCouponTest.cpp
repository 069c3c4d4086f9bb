// Start-up and the fiscal coupon, against the stand-in library.
#include "DarumaFixture.h"
#include "fiscal/daruma/UEcfPlugDaruma.h"
#include "platform/rtl/DateTime.h"
#include "zelt/ecfplug_daruma.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelt {
namespace {

using Lines = std::vector<std::string>;

template <class Fn> Fn Qualified(const char* name) {
    return reinterpret_cast<Fn>(
        dlsym(RTLD_DEFAULT, (std::string("UEcfPlugDaruma.") + name).c_str()));
}

// ---- start-up ------------------------------------------------------------------------------

TEST_F(DarumaTest, IniciarSwitchesToExtendedAnswersAndKeepsAnExistingReport) {
    ::Iniciar();
    EXPECT_EQ(Journal(), (Lines{"eDefinirProduto_Daruma(\"ECF\")",
                                "regAlterarValor_Daruma(\"ECF\\ReceberInfoEstendida\",\"1\")",
                                "rLerRG_ECF_Daruma(out)"}));
}

TEST_F(DarumaTest, IniciarRegistersTheReceiptReportOnAPrinterWithOneReport) {
    Answer("rLerRG_ECF_Daruma", "Geral");
    ::Iniciar();
    EXPECT_EQ(Calls("confCadastrarPadrao_ECF_Daruma"),
              (Lines{"confCadastrarPadrao_ECF_Daruma(\"RG\",\"Comprovante\")"}));
}

TEST_F(DarumaTest, IniciarStopsWhenTheReportNamesCannotBeRead) {
    Answer("rLerRG_ECF_Daruma", "");
    Return("rLerRG_ECF_Daruma", 0);
    ::Iniciar();
    EXPECT_TRUE(Calls("confCadastrarPadrao_ECF_Daruma").empty());
    EXPECT_TRUE(Messages().empty());
}

// ---- opening the coupon --------------------------------------------------------------------

TEST_F(DarumaTest, AbreCupomGivesTheNumberClockAndDecimals) {
    int32_t numero = -1, casasQtd = -1, casasValor = -1;
    double dataHora = -1;
    ASSERT_TRUE(::AbreCupom(&numero, &dataHora, &casasQtd, &casasValor));
    EXPECT_EQ(numero, 42);
    EXPECT_EQ(dataHora, EncodeDateTime(2026, 12, 11, 10, 30, 5, 0));
    EXPECT_EQ(casasQtd, 3);
    EXPECT_EQ(casasValor, 2);
    EXPECT_EQ(Journal()[0], "iTEF_Fechar_ECF_Daruma()");
    EXPECT_EQ(Journal()[1], "iCFAbrirPadrao_ECF_Daruma()");
}

// The failure report reads the last command's status; what it shows depends on that answer.
struct FailureReportCase {
    int statusCode;
    const char* erro;
    const char* aviso;
    std::vector<std::string> boxes;
};

class AbreCupomFailureTest : public DarumaTest,
                             public ::testing::WithParamInterface<FailureReportCase> {};

TEST_P(AbreCupomFailureTest, ReportsTheStatusAndTheRefusalAndLeavesTheOutputs) {
    const FailureReportCase& c = GetParam();
    Return("iCFAbrirPadrao_ECF_Daruma", 23);
    Return("rStatusUltimoCmd_ECF_Daruma", c.statusCode);
    Answer("rStatusUltimoCmd_ECF_Daruma.erro", c.erro);
    Answer("rStatusUltimoCmd_ECF_Daruma.aviso", c.aviso);
    int32_t numero = 7, casasQtd = 8, casasValor = 9;
    double dataHora = 10;
    EXPECT_FALSE(::AbreCupom(&numero, &dataHora, &casasQtd, &casasValor));
    EXPECT_EQ((Lines{std::to_string(numero), std::to_string(casasQtd), std::to_string(casasValor)}),
              (Lines{"7", "8", "9"}));
    EXPECT_EQ(dataHora, 10);
    EXPECT_EQ(Boxes(), c.boxes);
    EXPECT_EQ(Mens(), (Lines{"Erro abrindo o cupom para Daruma Fiscal\r\nCódigo de erro:23"}));
    // The report hands the library two buffers of four blanks.
    EXPECT_EQ(Calls("rStatusUltimoCmd_ECF_Daruma"),
              (Lines{"rStatusUltimoCmd_ECF_Daruma(\"    \",\"    \")"}));
}

INSTANTIATE_TEST_SUITE_P(
    StatusAnswers, AbreCupomFailureTest,
    ::testing::Values(
        FailureReportCase{1, "000", "000", {}},
        FailureReportCase{0, "", "", {"Daruma\r\niCFAbrirPadrao_ECF_Daruma\r\nerro de conexão"}},
        FailureReportCase{-1,
                          "023",
                          "002",
                          {"Daruma\r\niCFAbrirPadrao_ECF_Daruma\r\nCódigo de erro:023\r\n"
                           "Código de Aviso:002"}}));

TEST_F(DarumaTest, AMalformedPrinterClockBecomesTheFailureAndTheLastError) {
    Answer("rRetornarInformacao_ECF_Daruma.172", "99999999999999");
    int32_t numero = 7, casasQtd = 8, casasValor = 9;
    double dataHora = 10;
    EXPECT_FALSE(::AbreCupom(&numero, &dataHora, &casasQtd, &casasValor));
    EXPECT_EQ(numero, 7);
    EXPECT_EQ(dataHora, 10);
    EXPECT_EQ(std::string(::EcfPlugDarumaUltimoErro()).rfind("EConvertError: ", 0), 0u)
        << ::EcfPlugDarumaUltimoErro();
    // The next call that ends normally clears it.
    EXPECT_TRUE(::PodeVender());
    EXPECT_STREQ(::EcfPlugDarumaUltimoErro(), "");
}

TEST_F(DarumaTest, AnAnswerThatFillsTheWholeBufferIsReadUpToItsSize) {
    // 3000 characters: the clock is the first 14.
    Answer("rRetornarInformacao_ECF_Daruma.172", "01022027080910" + std::string(2986, '7'));
    EXPECT_EQ(ecfdaruma::DataHoraECF(), EncodeDateTime(2027, 2, 1, 8, 9, 10, 0));
    Answer("rRetornarInformacao_ECF_Daruma.26", "1234567");
    EXPECT_STREQ(::NumCupom(), "123456");
}

TEST_F(DarumaTest, DataHoraImprReadsTheClockOrLeavesTheValue) {
    double dataHora = 0;
    ASSERT_TRUE(::DataHoraImpr(&dataHora));
    EXPECT_EQ(dataHora, EncodeDateTime(2026, 12, 11, 10, 30, 5, 0));
    Return("rDataHoraImpressora_ECF_Daruma", 0);
    dataHora = 5;
    EXPECT_FALSE(::DataHoraImpr(&dataHora));
    EXPECT_EQ(dataHora, 5);
}

TEST_F(DarumaTest, AbreCupomCliShortensTheAddressFromItsFirstPart) {
    auto abreCupomCli = Qualified<EcfAbreCupomCliFn>("AbreCupomCli");
    ASSERT_NE(abreCupomCli, nullptr);
    const std::string ender1(70, 'R');
    int32_t numero = 0, casasQtd = 0, casasValor = 0;
    double dataHora = 0;
    ASSERT_TRUE(abreCupomCli("  JOSE   DA    SILVA  SAURO  PEREIRA  DOS  SANTOS", "12345678909",
                             ender1.c_str(), "12", "CENTRO", "CURITIBA", &numero, &dataHora,
                             &casasQtd, &casasValor));
    const std::string address = std::string(59, 'R') + ", 12 CENTRO CURITIBA";
    ASSERT_EQ(address.size(), 79u);
    EXPECT_EQ(
        Calls("iCFAbrir_ECF_Daruma"),
        (Lines{"iCFAbrir_ECF_Daruma(\"123.456.789-09\",\" JOSE DA SILVA SAURO PEREIRA D\",\"" +
               address + "\")"}));
    EXPECT_EQ(numero, 42);
}

TEST_F(DarumaTest, AbreCupomCliCutsAnAddressWhoseFirstPartIsEmpty) {
    auto abreCupomCli = Qualified<EcfAbreCupomCliFn>("AbreCupomCli");
    const std::string longPart(90, 'X');
    int32_t numero = 0, casasQtd = 0, casasValor = 0;
    double dataHora = 0;
    ASSERT_TRUE(abreCupomCli("ANA", "", "", longPart.c_str(), "", "", &numero, &dataHora, &casasQtd,
                             &casasValor));
    const std::string address = (", " + longPart).substr(0, 79);
    EXPECT_EQ(Calls("iCFAbrir_ECF_Daruma"),
              (Lines{"iCFAbrir_ECF_Daruma(\"\",\"ANA\",\"" + address + "\")"}));
}

TEST_F(DarumaTest, AbreCupomCliSetsTheDecimalsEvenWhenItFails) {
    auto abreCupomCli = Qualified<EcfAbreCupomCliFn>("AbreCupomCli");
    Return("iTEF_Fechar_ECF_Daruma", 10);
    int32_t numero = 0, casasQtd = 0, casasValor = 0;
    double dataHora = 0;
    EXPECT_FALSE(abreCupomCli("A", "", "", "", "", "", &numero, &dataHora, &casasQtd, &casasValor));
    EXPECT_EQ(casasQtd, 3);
    EXPECT_EQ(casasValor, 2);
    EXPECT_TRUE(Calls("iCFAbrir_ECF_Daruma").empty());
    EXPECT_TRUE(Mens().empty());
}

// ---- consumer and items ----------------------------------------------------------------------

TEST_F(DarumaTest, IdConsumidorTrimsAndCutsTheThreeTexts) {
    const std::string name(60, 'N'), address(60, 'E'), doc(50, 'D');
    ASSERT_TRUE(::IdConsumidor(("  " + name).c_str(), address.c_str(), (doc + "  ").c_str()));
    EXPECT_EQ(Calls("iCFIdentificarConsumidor_ECF_Daruma"),
              (Lines{"iCFIdentificarConsumidor_ECF_Daruma(\"" + name.substr(0, 48) + "\",\"" +
                     address.substr(0, 48) + "\",\"" + doc.substr(0, 42) + "\")"}));
}

TEST_F(DarumaTest, IdConsumidorWithAnEmptyTextCallsNothing) {
    EXPECT_FALSE(::IdConsumidor("ANA", "RUA A", "   "));
    EXPECT_FALSE(::IdConsumidor("ANA", nullptr, "123"));
    EXPECT_TRUE(Journal().empty());
}

TEST_F(DarumaTest, IdConsumidorShowsTheRefusal) {
    Return("iCFIdentificarConsumidor_ECF_Daruma", 39);
    EXPECT_FALSE(::IdConsumidor("ANA", "RUA A", "123"));
    EXPECT_EQ(Boxes(), (Lines{"erro daruma iCFIdentificarConsumidor_ECF_Daruma retornou 39"}));
}

struct ItemCase {
    const char* aliquota;
    const char* quantidade;
    const char* sentTax;
    const char* sentQuantity;
};

class ImprimirItemTest : public DarumaTest, public ::testing::WithParamInterface<ItemCase> {};

TEST_P(ImprimirItemTest, SendsTheRateAndQuantityAsTheLibraryTakesThem) {
    const ItemCase& c = GetParam();
    ASSERT_TRUE(::ImprimirItem("789", "ARROZ", c.aliquota, c.quantidade, "3,50", "0,10", "9,99",
                               "5", "UN"));
    EXPECT_EQ(Calls("iCFVender_ECF_Daruma"),
              (Lines{std::string("iCFVender_ECF_Daruma(\"") + c.sentTax + "\",\"" + c.sentQuantity +
                     "\",\"3,50\",\"D$\",\"0,10\",\"789\",\"UN\",\"ARROZ\")"}));
}

INSTANTIATE_TEST_SUITE_P(Rates, ImprimirItemTest,
                         ::testing::Values(ItemCase{"1800", "2", "I18,00", "2,0"},
                                           ItemCase{"0700", "1,5", "I07,00", "1,5"},
                                           ItemCase{"FF", "1", "FF", "1,0"},
                                           ItemCase{"II", "0,250", "II", "0,250"},
                                           ItemCase{"0", "3", "0", "3,0"},
                                           ItemCase{"", "1", "", "1,0"}));

TEST_F(DarumaTest, ImprimirItemReportsEveryArgumentOfARefusedSale) {
    Return("iCFVender_ECF_Daruma", 18);
    EXPECT_FALSE(::ImprimirItem("789", "ARROZ", "1800", "2", "3,50", "0,00", "", "", "UN"));
    EXPECT_EQ(Mens(), (Lines{"Ocorreu um erro na impressora ao vender o item, iCFVender_ECF_Daruma "
                             "retornou 18\r\nAliquota=[I18,00]\r\nQuantidade=[2,0]\r\n"
                             "ValorUnitario=[3,50]\r\nTipoDescAcresc=[D$]Desconto=[0,00]\r\n"
                             "Codigo=[789]\r\nUnidadeMedida=[UN]\r\nDescricao=[ARROZ]\r\n"}));
}

TEST_F(DarumaTest, DescontoItemSendsMoneyWithADecimalComma) {
    ASSERT_TRUE(::DescontoItem("2", 1.5));
    // Money keeps four places; its text rounds the half cent away from zero.
    ASSERT_TRUE(::DescontoItem("3", 0.125));
    EXPECT_EQ(Calls("iCFLancarDescontoItem_ECF_Daruma"),
              (Lines{"iCFLancarDescontoItem_ECF_Daruma(\"2\",\"D$\",\"1,50\")",
                     "iCFLancarDescontoItem_ECF_Daruma(\"3\",\"D$\",\"0,13\")"}));
    Return("iCFLancarDescontoItem_ECF_Daruma", 15);
    EXPECT_FALSE(::DescontoItem("9", 1));
    EXPECT_EQ(Mens(), (Lines{"Ocorreu um erro na impressora ao aplicar desconto no item"}));
}

TEST_F(DarumaTest, CancelaItemReportsARefusal) {
    ASSERT_TRUE(::CancelaItem("2"));
    Return("iCFCancelarItem_ECF_Daruma", 15);
    EXPECT_FALSE(::CancelaItem("9"));
    EXPECT_EQ(Calls("iCFCancelarItem_ECF_Daruma"),
              (Lines{"iCFCancelarItem_ECF_Daruma(\"2\")", "iCFCancelarItem_ECF_Daruma(\"9\")"}));
    EXPECT_EQ(Mens(), (Lines{"Ocorreu um erro na impressora ao cancelar o item"}));
}

// ---- closing ---------------------------------------------------------------------------------

TEST_F(DarumaTest, ClosingStepsSendTheirArgumentsAndShowTheirRefusals) {
    ASSERT_TRUE(::FecharCupomInicio("1,00"));
    ASSERT_TRUE(::FecharCupomFP("Dinheiro", "10,00"));
    EXPECT_EQ(Calls("iCFTotalizarCupom_ECF_Daruma"),
              (Lines{"iCFTotalizarCupom_ECF_Daruma(\"D$\",\"1,00\")"}));
    EXPECT_EQ(Calls("iCFEfetuarPagamento_ECF_Daruma"),
              (Lines{"iCFEfetuarPagamento_ECF_Daruma(\"Dinheiro\",\"10,00\",NULL)"}));

    Return("iCFTotalizarCupom_ECF_Daruma", 24);
    Return("iCFEfetuarPagamento_ECF_Daruma", 49);
    Return("iCFEncerrar_ECF_Daruma", 39);
    EXPECT_FALSE(::FecharCupomInicio("99,00"));
    EXPECT_FALSE(::FecharCupomFP("Vale", "5,00"));
    EXPECT_FALSE(::FecharCupomFim("Obrigado"));
    EXPECT_EQ(Boxes(), (Lines{"iCFTotalizarCupom_ECF_Daruma retornou 24",
                              "fech cupom fp retornou 49 com frec [Vale] valor [5,00]",
                              "FecharCupomFim retornou 39"}));
}

TEST_F(DarumaTest, FecharCupomFimSendsTheFirst384Characters) {
    std::string message;
    for (int i = 0; i < 500; ++i)
        message += static_cast<char>('a' + i % 26);
    ASSERT_TRUE(::FecharCupomFim(message.c_str()));
    EXPECT_EQ(Calls("iCFEncerrar_ECF_Daruma"),
              (Lines{"iCFEncerrar_ECF_Daruma(\"0\",\"" + message.substr(0, 384) + "\")"}));
}

TEST_F(DarumaTest, CancelaCupomGivesTheNumberReadBeforeCancelling) {
    EXPECT_EQ(::CancelaCupom(0, nullptr), 42);
    EXPECT_EQ(Journal(), (Lines{"rRetornarInformacao_ECF_Daruma(\"26\",\"out\")",
                                "iCFCancelar_ECF_Daruma()"}));
}

TEST_F(DarumaTest, CancelaCupomRefusedGivesZeroAndTheRefusalCode) {
    Return("iCFCancelar_ECF_Daruma", 12);
    Return("rStatusUltimoCmd_ECF_Daruma", -1);
    Answer("rStatusUltimoCmd_ECF_Daruma.erro", "012");
    EXPECT_EQ(::CancelaCupom(5, "x"), 0);
    EXPECT_EQ(Boxes(), (Lines{"Daruma\r\niCFCancelar_ECF_Daruma\r\nCódigo de erro:012\r\n"
                              "Código de Aviso:000"}));
    EXPECT_EQ(Mens(), (Lines{"Erro cancelando o cupom para Daruma Fiscal\r\nCódigo de erro:12"}));
}

TEST_F(DarumaTest, CupomAbertoReadsTheFirstStatusCharacter) {
    struct Case {
        const char* status;
        bool aberto;
    };
    for (const Case& c : {Case{"0", false}, Case{"1", true}, Case{"4", true}}) {
        Answer("rCFVerificarStatus_ECF_Daruma", c.status);
        EXPECT_EQ(::CupomAberto(), c.aberto) << c.status;
    }
}

TEST_F(DarumaTest, NumCupomIntTakesTheDigitsOfTheCouponNumber) {
    auto numCupomInt = Qualified<EcfNumCupomIntFn>("NumCupomInt");
    ASSERT_NE(numCupomInt, nullptr);
    Answer("rRetornarInformacao_ECF_Daruma.26", "000123");
    EXPECT_EQ(numCupomInt(), 123);
    Answer("rRetornarInformacao_ECF_Daruma.26", "");
    EXPECT_EQ(numCupomInt(), 0);
}

} // namespace
} // namespace zelt
