// The day cycle, cash, linked receipts, management reports, drawer, tables, printer data and
// rounding.
#include "EpsonFixture.h"
#include "fiscal/epson/UEcfPlugEpson.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Numbers.h"

namespace zelt {
namespace {

namespace e = ecfepson;
using Lines = std::vector<std::string>;

class EpsonDay : public EpsonTest {};

TEST_F(EpsonDay, ReducaoZKeepsTheStatusWindowUpWhileThePrinterWorks) {
    EXPECT_TRUE(e::ReducaoZ());
    EXPECT_EQ(Calls("EPSON_RelatorioFiscal_RZ"),
              Lines{"EPSON_RelatorioFiscal_RZ(\"\",\"\",2,\"out\")"});
    // Shown, then cleared; no coupon cancelled first.
    const auto records = Messages();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].kind, MessageKind::Status);
    EXPECT_FALSE(records[0].text.empty());
    EXPECT_EQ(records[1].kind, MessageKind::Status);
    EXPECT_TRUE(records[1].text.empty());
    EXPECT_TRUE(Calls("EPSON_Fiscal_Cancelar_Cupom").empty());

    Return("EPSON_RelatorioFiscal_RZ", 21);
    EXPECT_FALSE(e::ReducaoZ());
    EXPECT_EQ(Messages().size(), 4u);
    EXPECT_TRUE(Messages().back().text.empty());
}

TEST_F(EpsonDay, LeituraXCallsThePrinter) {
    e::LeituraX();
    EXPECT_EQ(Calls("EPSON_RelatorioFiscal_LeituraX").size(), 1u);
}

struct PendingCase {
    int rc;
    char pendente; // character 66
    int result;
};

class EpsonPending : public EpsonTest, public ::testing::WithParamInterface<PendingCase> {};

TEST_P(EpsonPending, ReadsCharacterSixtySixAndNeverReduces) {
    std::string dados(72, '0');
    dados[65] = GetParam().pendente;
    Answer("EPSON_Obter_Dados_Jornada", dados);
    Return("EPSON_Obter_Dados_Jornada", GetParam().rc);
    EXPECT_EQ(e::ReducaoZSeNecessario(), GetParam().result);
    EXPECT_TRUE(Calls("EPSON_RelatorioFiscal_RZ").empty());
}

INSTANTIATE_TEST_SUITE_P(Table, EpsonPending,
                         ::testing::Values(PendingCase{1, '1', 0}, PendingCase{0, '1', 2},
                                           PendingCase{0, '0', 1}, PendingCase{0, ' ', 1}));

TEST_F(EpsonDay, TheLastReductionAsTextsAndAsADateTime) {
    std::string data = "x", hora = "y";
    ASSERT_TRUE(e::DtUltimaReducaoZStr(data, hora));
    EXPECT_EQ(data, "10122026");
    EXPECT_EQ(hora, "230510");
    TDateTime dt = -1;
    ASSERT_TRUE(e::DtUltimaReducaoZ(dt));
    EXPECT_EQ(dt, EncodeDateTime(2026, 12, 10, 23, 5, 10, 0));

    Return("EPSON_Obter_Dados_Ultima_RZ", 29);
    data = "x";
    EXPECT_FALSE(e::DtUltimaReducaoZStr(data, hora));
    EXPECT_EQ(data, "x");
    EXPECT_FALSE(e::DtUltimaReducaoZ(dt));
    EXPECT_EQ(dt, 0);

    Return("EPSON_Obter_Dados_Ultima_RZ", 0);
    Answer("EPSON_Obter_Dados_Ultima_RZ", "99999999999999");
    EXPECT_THROW(e::DtUltimaReducaoZ(dt), EConvertError);
}

TEST_F(EpsonDay, TheDayIsAlwaysOpenAsFarAsThePlugInKnows) {
    Return("EPSON_Obter_Dados_Jornada", 1);
    EXPECT_EQ(e::DtUltimoMovimento(), EncodeDate(1980, 1, 2));
    EXPECT_TRUE(e::DiaAberto());
    EXPECT_TRUE(Journal().empty());
}

struct CashCase {
    double valor;
    const char* sent;
};

class EpsonCash : public EpsonTest, public ::testing::WithParamInterface<CashCase> {};

TEST_P(EpsonCash, SangriaAndSuprimentoSendDigitsWithTwoDecimals) {
    ASSERT_TRUE(e::Sangria(GetParam().valor));
    ASSERT_TRUE(e::Suprimento(GetParam().valor));
    const std::string sent = std::string("(\"") + GetParam().sent + "\",2)";
    EXPECT_EQ(Calls("EPSON_NaoFiscal_Sangria"), Lines{"EPSON_NaoFiscal_Sangria" + sent});
    EXPECT_EQ(Calls("EPSON_NaoFiscal_Fundo_Troco"), Lines{"EPSON_NaoFiscal_Fundo_Troco" + sent});
}

INSTANTIATE_TEST_SUITE_P(Table, EpsonCash,
                         ::testing::Values(CashCase{50, "5000"}, CashCase{12.5, "1250"},
                                           CashCase{0.1, "010"},
                                           CashCase{1234567.89, "123456789"}));

TEST_F(EpsonDay, RefusedCashFailsSilently) {
    Return("EPSON_NaoFiscal_Sangria", 20);
    Return("EPSON_NaoFiscal_Fundo_Troco", 20);
    EXPECT_FALSE(e::Sangria(1));
    EXPECT_FALSE(e::Suprimento(1));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(EpsonDay, AbreVinculadoNeedsAPrinterThatAnswers) {
    ASSERT_TRUE(e::AbreVinculado("Cartao", 35.9, 42));
    EXPECT_EQ(Calls("EPSON_NaoFiscal_Abrir_CCD"),
              Lines{"EPSON_NaoFiscal_Abrir_CCD(\"Cartao\",\"3590\",2,\"1\")"});
    Return("EPSON_NaoFiscal_Abrir_CCD", 26);
    EXPECT_FALSE(e::AbreVinculado("Cartao", 35.9, 42));
    Return("EPSON_Obter_Estado_Impressora", 1);
    EXPECT_FALSE(e::AbreVinculado("Cartao", 35.9, 42));
    EXPECT_EQ(Calls("EPSON_NaoFiscal_Abrir_CCD").size(), 2u);
    EXPECT_TRUE(Messages().empty());
}

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "linha " + std::to_string(i) + "\r\n";
    return text;
}

struct BlockCase {
    int lines;
    std::vector<int> blocks;
};

class EpsonLinked : public EpsonTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(EpsonLinked, UsaVinculadoPrintsSevenLinesAtATime) {
    ASSERT_TRUE(e::UsaVinculado(NumberedLines(GetParam().lines)));
    Lines expected;
    int next = 1;
    for (int size : GetParam().blocks) {
        std::string block;
        for (int i = 0; i < size; ++i, ++next)
            block += "linha " + std::to_string(next) + "\\r\\n";
        expected.push_back("EPSON_NaoFiscal_Imprimir_Linha(\"" + block + "\")");
    }
    EXPECT_EQ(Calls("EPSON_NaoFiscal_Imprimir_Linha"), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, EpsonLinked,
                         ::testing::Values(BlockCase{10, {7, 3}}, BlockCase{7, {7}},
                                           BlockCase{14, {7, 7}}, BlockCase{1, {1}},
                                           BlockCase{0, {}}));

TEST_F(EpsonDay, UsaVinculadoStopsWhenThePrinterIsNotOk) {
    PrinterState("1000000000000010");
    EXPECT_FALSE(e::UsaVinculado("a"));
    EXPECT_EQ(Boxes(), (Lines{"impressora ok=sem papel", "epson impressora nao ok"}));
    EXPECT_TRUE(Calls("EPSON_NaoFiscal_Imprimir_Linha").empty());
}

TEST_F(EpsonDay, UsaVinculadoChecksThePrinterBeforeEveryBlock) {
    // On for the first check and the first block, off before the second.
    ReturnOnce("EPSON_Obter_Estado_Impressora", 0);
    ReturnOnce("EPSON_Obter_Estado_Impressora", 0);
    ReturnOnce("EPSON_Obter_Estado_Impressora", 1);
    EXPECT_FALSE(e::UsaVinculado(NumberedLines(10)));
    EXPECT_EQ(Calls("EPSON_NaoFiscal_Imprimir_Linha").size(), 1u);
    EXPECT_EQ(Boxes(), Lines{"impressora ok=desligada"});
}

TEST_F(EpsonDay, ARefusedLinkedLineShowsItsCode) {
    Return("EPSON_NaoFiscal_Imprimir_Linha", 27);
    EXPECT_FALSE(e::UsaVinculado(NumberedLines(10)));
    EXPECT_EQ(Calls("EPSON_NaoFiscal_Imprimir_Linha").size(), 1u);
    EXPECT_EQ(Boxes(), Lines{"EPSON_NaoFiscal_Imprimir_Linha retornou 27"});
}

TEST_F(EpsonDay, FechaVinculado) {
    EXPECT_TRUE(e::FechaVinculado());
    Return("EPSON_NaoFiscal_Fechar_CCD", 27);
    EXPECT_FALSE(e::FechaVinculado());
    EXPECT_EQ(Calls("EPSON_NaoFiscal_Fechar_CCD"),
              (Lines{"EPSON_NaoFiscal_Fechar_CCD(1)", "EPSON_NaoFiscal_Fechar_CCD(1)"}));
}

TEST_F(EpsonDay, TheManagementReportGoesLineByLine) {
    ASSERT_TRUE(e::RelatorioGerencialStr("Fechamento\r\n\r\nTotal 10,00\r\n"));
    EXPECT_EQ(Journal(), (Lines{"EPSON_NaoFiscal_Abrir_Relatorio_Gerencial(\"1\")",
                                "EPSON_NaoFiscal_Imprimir_Linha(\"Fechamento\")",
                                "EPSON_NaoFiscal_Imprimir_Linha(\" \")",
                                "EPSON_NaoFiscal_Imprimir_Linha(\"Total 10,00\")",
                                "EPSON_NaoFiscal_Fechar_Relatorio_Gerencial(1)"}));
}

TEST_F(EpsonDay, AnEmptyReportPrintsNothing) {
    EXPECT_TRUE(e::RelatorioGerencial(TStringList{}));
    EXPECT_TRUE(e::RelatorioGerencialStr(""));
    EXPECT_TRUE(Journal().empty());
}

struct ReportFault {
    const char* function;
    bool closes;
    const char* contextTail;
};

class EpsonReportFault : public EpsonTest, public ::testing::WithParamInterface<ReportFault> {};

TEST_P(EpsonReportFault, EachStepShowsTheContextItReached) {
    ReturnOnce(GetParam().function, 28);
    PrinterState("1000000000000000", "1000000000000003", "0028", "report not registered");
    EXPECT_FALSE(e::RelatorioGerencial(TStringList{"Caixa 1", "Total"}));
    EXPECT_EQ(Calls("EPSON_NaoFiscal_Fechar_Relatorio_Gerencial").size(),
              GetParam().closes ? 1u : 0u);
    const std::string head = "function RelatorioGerencial(pSL: TStrings): Boolean\r\n"
                             "EPSON_NaoFiscal_Abrir_Relatorio_Gerencial(\"1\")\r\n[Caixa 1]";
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], head + GetParam().contextTail +
                              "\r\nszEstadoImpressora=1000000000000000\r\n"
                              "szEstadoFiscal=1000000000000003\r\n"
                              "szRetornoComando=0028\r\n"
                              "szMsgErro=report not registered");
}

INSTANTIATE_TEST_SUITE_P(
    Table, EpsonReportFault,
    ::testing::Values(ReportFault{"EPSON_NaoFiscal_Abrir_Relatorio_Gerencial", false, ""},
                      ReportFault{"EPSON_NaoFiscal_Imprimir_Linha", false,
                                  "\r\nEPSON_NaoFiscal_Imprimir_Linha(Caixa 1)"},
                      ReportFault{"EPSON_NaoFiscal_Fechar_Relatorio_Gerencial", true,
                                  "\r\nEPSON_NaoFiscal_Fechar_Relatorio_Gerencial(true);"}));

TEST_F(EpsonDay, TheDrawerIsWhatTheLastStatusReadSaw) {
    PrinterState("1001000000000000");
    EXPECT_TRUE(e::GavetaAberta());
    PrinterState("1000000000000000");
    EXPECT_FALSE(e::GavetaAberta());
    e::AcionaGaveta();
    EXPECT_EQ(Calls("EPSON_Impressora_Abrir_Gaveta").size(), 1u);
}

struct RatesCase {
    std::string table;
    int rc;
    std::string result;
};

class EpsonRates : public EpsonTest, public ::testing::WithParamInterface<RatesCase> {};

TEST_P(EpsonRates, OnlyIcmsEntriesOfTwentyThree) {
    Answer("EPSON_Obter_Tabela_Aliquotas", GetParam().table);
    Return("EPSON_Obter_Tabela_Aliquotas", GetParam().rc);
    EXPECT_EQ(e::RetornoAliquotas(), GetParam().result);
}

const std::string Tail17(17, '0');
INSTANTIATE_TEST_SUITE_P(
    Table, EpsonRates,
    ::testing::Values(RatesCase{"T 1800" + Tail17 + "S 0500" + Tail17, 0, "1800"},
                      RatesCase{"T 1800" + Tail17 + "S 0500" + Tail17 + "T 0700" + Tail17, 0,
                                "1800,0700"},
                      // A last entry shorter than 23 characters is not read.
                      RatesCase{"T 1800" + Tail17 + "T 1200", 0, "1800"},
                      RatesCase{"t 1800" + Tail17, 0, ""}, RatesCase{"", 0, ""},
                      RatesCase{"T 1800" + Tail17, 1, ""}));

TEST_F(EpsonDay, PaymentFormsFromTheirFortyFourCharacterRecords) {
    EXPECT_EQ(e::DescricoesFiscais(), "Dinheiro\r\nCheque\r\nCartao\r\n");

    // A refused call still has its buffer read: here it holds nothing.
    Return("EPSON_Obter_Tabela_Pagamentos", 1);
    EXPECT_EQ(e::DescricoesFiscais(), "");

    Return("EPSON_Obter_Tabela_Pagamentos", 0);
    std::string record = "  Vale Gas     S" + std::string(28, '0');
    Answer("EPSON_Obter_Tabela_Pagamentos",
           "02" + std::string(44, ' ') + record + std::string(15, 'Z'));
    EXPECT_EQ(e::DescricoesFiscais(), "Vale Gas\r\nZZZZZZZZZZZZZZZ\r\n");
}

struct TruncCase {
    const char* arredonda;
    int rc;
    bool truncando;
    bool ok;
};

class EpsonTrunc : public EpsonTest, public ::testing::WithParamInterface<TruncCase> {};

TEST_P(EpsonTrunc, TruncatingIsExactlyN) {
    Answer("EPSON_Obter_Arredonda_Trunca_Fabricacao.arredonda", GetParam().arredonda);
    Return("EPSON_Obter_Arredonda_Trunca_Fabricacao", GetParam().rc);
    bool truncando = !GetParam().truncando;
    EXPECT_EQ(e::VerificaTruncamento(truncando), GetParam().ok);
    EXPECT_EQ(truncando, GetParam().truncando);
}

INSTANTIATE_TEST_SUITE_P(Table, EpsonTrunc,
                         ::testing::Values(TruncCase{"N", 0, true, true},
                                           TruncCase{"S", 0, false, true},
                                           TruncCase{"NN", 0, false, true},
                                           TruncCase{"N", 1, false, false}));

TEST_F(EpsonDay, ValorArredondadoCutsToTheCentWhateverCasas) {
    for (int casas : {-2, 0, 3}) {
        EXPECT_DOUBLE_EQ(e::ValorArredondado(2.999, casas), 2.99);
        EXPECT_DOUBLE_EQ(e::ValorArredondado(1.15, casas), 1.15);
        EXPECT_DOUBLE_EQ(e::ValorArredondado(-2.999, casas), -2.99);
    }
}

class EpsonData : public EpsonTest {
protected:
    void SetUp() override {
        EpsonTest::SetUp();
        SetClockForTesting([] { return EncodeDateTime(2026, 12, 11, 9, 0, 0, 0); });
    }
    void TearDown() override {
        SetClockForTesting({});
        EpsonTest::TearDown();
    }
};

const Lines DataHead = {"NumFabric=000000",
                        "MFAdic= ",
                        "MarcaECF=Texto",
                        "ModeloECF=0",
                        "TipoECF=0",
                        "PDV=1",
                        "NSerie=0",
                        "VersaoSB=0",
                        "DataHoraSB=0",
                        "CNPJ=0",
                        "IE=0",
                        "CRZ=0",
                        "COO=0",
                        "CRO=0",
                        "UsuCod=0",
                        "DTMov=111226"};

TEST_F(EpsonData, PegarDadosImprWithTheLastReduction) {
    TStringList lista{"old"};
    ASSERT_TRUE(e::PegarDadosImpr(lista));
    Lines expected = DataHead;
    expected.push_back("DTHEmiss=" + FloatToStr(EncodeDateTime(2026, 12, 10, 23, 5, 10, 0)));
    for (const char* key : {"Bruta", "IncideDescontoISS", "GT"})
        expected.push_back(std::string(key) + "=0");
    for (const char* key : {"I1", "I2", "N1", "N2", "F1", "F2", "IS1", "IS2", "NS1", "NS2", "FS1",
                            "FS2", "OPNF", "DT", "DS", "AT", "AS", "Can-T", "Can-S"})
        expected.push_back(std::string(key) + "=00000000000000");
    EXPECT_EQ(lista.Items(), expected);
    EXPECT_EQ(lista[16], "DTHEmiss=46366,9619212963");
}

TEST_F(EpsonData, PegarDadosImprWithoutAReadableReductionStopsAtDTMov) {
    Return("EPSON_Obter_Dados_Ultima_RZ", 29);
    TStringList lista{"old"};
    EXPECT_FALSE(e::PegarDadosImpr(lista));
    EXPECT_EQ(lista.Items(), DataHead);
}

} // namespace
} // namespace zelt
