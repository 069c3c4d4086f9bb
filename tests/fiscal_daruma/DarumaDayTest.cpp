// Day cycle, cash, linked receipts, management reports, tables and files, against the stand-in
// library.
#include "DarumaFixture.h"
#include "fiscal/daruma/UEcfPlugDaruma.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileSystem.h"
#include "zelt/ecfplug_daruma.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelt {
namespace {

using Lines = std::vector<std::string>;

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "linha " + std::to_string(i) + "\r\n";
    return text;
}

// The journal line of a print call whose text holds lines `first` to `last` (line ends appear
// escaped in the journal).
std::string PrintCall(const char* function, int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i)
        text += "linha " + std::to_string(i) + "\\r\\n";
    return std::string(function) + "(\"" + text + "\")";
}

// ---- X and Z ---------------------------------------------------------------------------------

TEST_F(DarumaTest, LeituraXReportsARefusal) {
    ::LeituraX();
    Return("iLeituraX_ECF_Daruma", 10);
    ::LeituraX();
    EXPECT_EQ(Calls("iLeituraX_ECF_Daruma").size(), 2u);
    EXPECT_EQ(Mens(), (Lines{"Ocorreu um erro na impressora fiscal ao tentar emitir a Leitura X"}));
}

TEST_F(DarumaTest, ReducaoZSendsBlankDateAndTime) {
    EXPECT_TRUE(::ReducaoZ());
    EXPECT_EQ(Calls("iReducaoZ_ECF_Daruma"), (Lines{"iReducaoZ_ECF_Daruma(\" \",\" \")"}));
    EXPECT_TRUE(Calls("iCFCancelar_ECF_Daruma").empty());
}

TEST_F(DarumaTest, ReducaoZCancelsAnOpenCouponFirst) {
    Answer("rCFVerificarStatus_ECF_Daruma", "2");
    EXPECT_TRUE(::ReducaoZ());
    const Lines journal = Journal();
    const auto at = [&](const std::string& prefix) {
        for (std::size_t i = 0; i < journal.size(); ++i)
            if (journal[i].rfind(prefix, 0) == 0)
                return static_cast<int>(i);
        return -1;
    };
    ASSERT_GE(at("iCFCancelar_ECF_Daruma"), 0);
    EXPECT_LT(at("iCFCancelar_ECF_Daruma"), at("iReducaoZ_ECF_Daruma"));
}

TEST_F(DarumaTest, ReducaoZWithAPrinterThatDoesNotAnswerReducesNothing) {
    Return("rVerificarImpressoraLigada_ECF_Daruma", 0);
    EXPECT_FALSE(::ReducaoZ());
    EXPECT_EQ(Boxes(), (Lines{"Impressora não foi localizada"}));
    EXPECT_TRUE(Calls("iReducaoZ_ECF_Daruma").empty());
}

TEST_F(DarumaTest, ReducaoZRefusedShowsTheReportAndTheCode) {
    Return("iReducaoZ_ECF_Daruma", 181);
    Return("rStatusUltimoCmd_ECF_Daruma", -1);
    Answer("rStatusUltimoCmd_ECF_Daruma.erro", "181");
    EXPECT_FALSE(::ReducaoZ());
    EXPECT_EQ(Boxes(), (Lines{"Daruma\r\niReducaoZ_ECF_Daruma\r\nCódigo de erro:181\r\n"
                              "Código de Aviso:000"}));
    EXPECT_EQ(Mens(), (Lines{"iReducaoZ_ECF_Darum retornou 181"}));
}

TEST_F(DarumaTest, ReducaoZSeNecessarioTellsWhetherAReductionIsPending) {
    struct Case {
        int code;
        const char* pending;
        int32_t result;
    };
    for (const Case& c :
         {Case{1, "1", 2}, Case{1, "0", 1}, Case{1, "", 1}, Case{0, "1", 0}, Case{-1, "1", 0}}) {
        Return("rVerificarReducaoZ_ECF_Daruma", c.code);
        Answer("rVerificarReducaoZ_ECF_Daruma", c.pending);
        EXPECT_EQ(::ReducaoZSeNecessario(), c.result) << c.code << " " << c.pending;
    }
    EXPECT_TRUE(Calls("iReducaoZ_ECF_Daruma").empty());
}

// ---- cash ------------------------------------------------------------------------------------

TEST_F(DarumaTest, SangriaAndSuprimentoSendTwoDecimalsWithAComma) {
    ASSERT_TRUE(::Sangria(10.5));
    ASSERT_TRUE(::Suprimento(1234.567));
    EXPECT_EQ(Calls("iSangria_ECF_Daruma"), (Lines{"iSangria_ECF_Daruma(\"10,50\",NULL)"}));
    EXPECT_EQ(Calls("iSuprimento_ECF_Daruma"), (Lines{"iSuprimento_ECF_Daruma(\"1234,57\",NULL)"}));
    Return("iSangria_ECF_Daruma", 22);
    Return("iSuprimento_ECF_Daruma", 50);
    EXPECT_FALSE(::Sangria(1));
    EXPECT_FALSE(::Suprimento(1));
    EXPECT_EQ(Mens(), (Lines{"Ocorreu um erro ao registrar sangria na impressora fiscal",
                             "Ocorreu um erro ao registrar suprimento na impressora fiscal"}));
}

// ---- linked receipt --------------------------------------------------------------------------

TEST_F(DarumaTest, AbreVinculadoSendsTheCouponNumberInSixDigits) {
    ASSERT_TRUE(::AbreVinculado("Cartao", 10.5, 123));
    EXPECT_EQ(Calls("iCCDAbrirSimplificado_ECF_Daruma"),
              (Lines{"iCCDAbrirSimplificado_ECF_Daruma(\"Cartao\",\"1\",\"000123\",\"10,50\")"}));
}

TEST_F(DarumaTest, AbreVinculadoRefusedShowsTheReportAndTheCode) {
    Return("iCCDAbrirSimplificado_ECF_Daruma", 43);
    EXPECT_FALSE(::AbreVinculado("Cartao", 10.5, 123));
    EXPECT_EQ(Boxes(), (Lines{"iCCDAbrirSimplificado_ECF_Daruma=43"}));
}

TEST_F(DarumaTest, AbreVinculadoWithThePrinterOffSaysNothing) {
    Return("rVerificarImpressoraLigada_ECF_Daruma", 0);
    EXPECT_FALSE(::AbreVinculado("Cartao", 10.5, 123));
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Calls("iCCDAbrirSimplificado_ECF_Daruma").empty());
}

TEST_F(DarumaTest, UsaVinculadoPrintsBlocksOfSevenLines) {
    struct Case {
        int lines;
        Lines calls;
    };
    const char* f = "iCCDImprimirTexto_ECF_Daruma";
    const Case cases[] = {
        {15, {PrintCall(f, 1, 7), PrintCall(f, 8, 14), PrintCall(f, 15, 15)}},
        {7, {PrintCall(f, 1, 7)}},
        {8, {PrintCall(f, 1, 7), PrintCall(f, 8, 8)}},
        {0, {}},
    };
    for (const Case& c : cases) {
        ClearJournal();
        EXPECT_TRUE(::UsaVinculado(NumberedLines(c.lines).c_str(), "ignorado"));
        EXPECT_EQ(Calls(f), c.calls) << c.lines << " lines";
    }
}

TEST_F(DarumaTest, UsaVinculadoStopsAtTheFirstRefusedBlock) {
    ReturnOnce("iCCDImprimirTexto_ECF_Daruma", 1);
    ReturnOnce("iCCDImprimirTexto_ECF_Daruma", 50);
    EXPECT_FALSE(::UsaVinculado(NumberedLines(15).c_str(), nullptr));
    EXPECT_EQ(Calls("iCCDImprimirTexto_ECF_Daruma").size(), 2u);
    EXPECT_EQ(Boxes(), (Lines{"iCCDImprimirTexto_ECF_Daruma=50"}));
}

TEST_F(DarumaTest, UsaVinculadoOutOfPaperPrintsNothing) {
    PaperOut();
    EXPECT_FALSE(::UsaVinculado(NumberedLines(3).c_str(), nullptr));
    EXPECT_FALSE(::UsaVinc("x"));
    EXPECT_TRUE(Calls("iCCDImprimirTexto_ECF_Daruma").empty());
    // The status query failing counts as ready.
    Return("rConsultaStatusImpressoraInt_ECF_Daruma", -1);
    EXPECT_TRUE(::UsaVinc("x"));
}

TEST_F(DarumaTest, UsaVincWithAnEmptyTextPrintsNothing) {
    EXPECT_TRUE(::UsaVinc(""));
    EXPECT_TRUE(Calls("iCCDImprimirTexto_ECF_Daruma").empty());
}

TEST_F(DarumaTest, FechaVinculadoShowsARefusal) {
    EXPECT_TRUE(::FechaVinculado());
    Return("iCCDFechar_ECF_Daruma", 11);
    EXPECT_FALSE(::FechaVinculado());
    EXPECT_EQ(Boxes(), (Lines{"iCCDFechar_ECF_Daruma=11"}));
}

// ---- management reports ----------------------------------------------------------------------

TEST_F(DarumaTest, RelatorioGerencialSendsTheFirstLineAloneThenBlocksOfSeven) {
    struct Case {
        int lines;
        Lines prints;
    };
    const char* f = "iRGImprimirTexto_ECF_Daruma";
    const Case cases[] = {
        {9, {PrintCall(f, 1, 1), PrintCall(f, 2, 8), PrintCall(f, 9, 9)}},
        {1, {PrintCall(f, 1, 1)}},
        {8, {PrintCall(f, 1, 1), PrintCall(f, 2, 8)}},
        {16, {PrintCall(f, 1, 1), PrintCall(f, 2, 8), PrintCall(f, 9, 15), PrintCall(f, 16, 16)}},
        {0, {}},
    };
    for (const Case& c : cases) {
        ClearJournal();
        EXPECT_TRUE(::RelatorioGerencial(NumberedLines(c.lines).c_str())) << c.lines;
        EXPECT_EQ(Calls("iRGAbrir_ECF_Daruma"), (Lines{"iRGAbrir_ECF_Daruma(\"Comprovante\")"}));
        EXPECT_EQ(Calls(f), c.prints) << c.lines << " lines";
        EXPECT_EQ(Calls("iRGFechar_ECF_Daruma").size(), 1u);
    }
}

TEST_F(DarumaTest, RelatorioGerencialStrTakesTheLinesOfOneText) {
    EXPECT_TRUE(::RelatorioGerencialStr("a\r\nb"));
    EXPECT_EQ(Calls("iRGImprimirTexto_ECF_Daruma"),
              (Lines{"iRGImprimirTexto_ECF_Daruma(\"a\\r\\n\")",
                     "iRGImprimirTexto_ECF_Daruma(\"b\\r\\n\")"}));
}

TEST_F(DarumaTest, RelatorioGerencialRefusedOpeningShowsTheCodeThenTheReport) {
    Return("iRGAbrir_ECF_Daruma", 30);
    Return("rStatusUltimoCmd_ECF_Daruma", 0);
    EXPECT_FALSE(::RelatorioGerencial("a"));
    EXPECT_EQ(Boxes(), (Lines{"iRGAbrir_ECF_Daruma=30",
                              "Daruma\r\niRGAbrir_ECF_Daruma(\r\nerro de conexão"}));
    EXPECT_TRUE(Calls("iRGImprimirTexto_ECF_Daruma").empty());
}

TEST_F(DarumaTest, RelatorioGerencialStopsAndLeavesTheReportOpen) {
    ReturnOnce("iRGImprimirTexto_ECF_Daruma", 1);
    ReturnOnce("iRGImprimirTexto_ECF_Daruma", 8);
    EXPECT_FALSE(::RelatorioGerencial(NumberedLines(9).c_str()));
    EXPECT_EQ(Calls("iRGImprimirTexto_ECF_Daruma").size(), 2u);
    EXPECT_TRUE(Calls("iRGFechar_ECF_Daruma").empty());
    EXPECT_EQ(Boxes(), (Lines{"iRGImprimirTexto_ECF_Daruma retornou 8"}));
}

TEST_F(DarumaTest, RelatorioGerencialRefusedCloseIsShown) {
    Return("iRGFechar_ECF_Daruma", 8);
    EXPECT_FALSE(::RelatorioGerencial("a"));
    EXPECT_EQ(Boxes(), (Lines{"iRGFechar_ECF_Daruma retornou 8"}));
}

TEST_F(DarumaTest, RelatorioGerencialOutOfPaperOpensNothingOutsideTheDevelopmentEnvironment) {
    PaperOut();
    unsetenv("ZELT_DEV");
    EXPECT_FALSE(::RelatorioGerencial("a"));
    EXPECT_TRUE(Calls("iRGAbrir_ECF_Daruma").empty());
    // Under the development environment it opens, then stops before printing.
    setenv("ZELT_DEV", "1", 1);
    EXPECT_FALSE(::RelatorioGerencial("a"));
    unsetenv("ZELT_DEV");
    EXPECT_EQ(Calls("iRGAbrir_ECF_Daruma").size(), 1u);
    EXPECT_TRUE(Calls("iRGImprimirTexto_ECF_Daruma").empty());
}

TEST_F(DarumaTest, ReportInStepsOpensWithoutANameAndFailsSilently) {
    EXPECT_TRUE(::AbreGerencial());
    EXPECT_TRUE(::UsaGerencial(NumberedLines(8).c_str()));
    EXPECT_TRUE(::FechaGerencial());
    EXPECT_EQ(Calls("iRGAbrir_ECF_Daruma"), (Lines{"iRGAbrir_ECF_Daruma(NULL)"}));
    const char* f = "iRGImprimirTexto_ECF_Daruma";
    EXPECT_EQ(Calls(f), (Lines{PrintCall(f, 1, 7), PrintCall(f, 8, 8)}));

    Return("iRGAbrir_ECF_Daruma", 10);
    Return(f, 8);
    Return("iRGFechar_ECF_Daruma", 8);
    EXPECT_FALSE(::AbreGerencial());
    EXPECT_FALSE(::UsaGerencial(NumberedLines(8).c_str()));
    EXPECT_FALSE(::FechaGerencial());
    EXPECT_TRUE(Messages().empty());
}

// ---- drawer ----------------------------------------------------------------------------------

TEST_F(DarumaTest, GavetaAbertaNeedsAnAnswerAndAnOpenDrawer) {
    EXPECT_FALSE(::GavetaAberta());
    Int("rStatusGaveta_ECF_Daruma", 1);
    EXPECT_TRUE(::GavetaAberta());
    Return("rStatusGaveta_ECF_Daruma", 0);
    EXPECT_FALSE(::GavetaAberta());
    ::AcionaGaveta();
    EXPECT_EQ(Calls("eAbrirGaveta_ECF_Daruma").size(), 1u);
}

// ---- tables ----------------------------------------------------------------------------------

TEST_F(DarumaTest, RetornoAliquotasKeepsTheIcmsRatesInThePrintersOrder) {
    struct Case {
        const char* answer;
        const char* result;
    };
    for (const Case& c :
         {Case{"T1800;T1200;S0500;T0000;T18", "1800,1200"},
          Case{"t0700;TT1200;T12A0;T2500;", "0700,2500"}, Case{"", ""}, Case{"S0500", ""}}) {
        Answer("rLerAliquotas_ECF_Daruma", c.answer);
        EXPECT_STREQ(::RetornoAliquotas(), c.result) << c.answer;
    }
}

TEST_F(DarumaTest, DescricoesFiscaisReadsThePaymentFormFile) {
    WriteFileAtomic(temp_ + "daruma_frec.txt", "Dinheiro;Cartao;Cheque\r\nignorada\r\n");
    EXPECT_STREQ(::DescricoesFiscais(), "Dinheiro\r\nCartao\r\nCheque\r\n");
    EXPECT_TRUE(Journal().empty());
}

TEST_F(DarumaTest, DescricoesFiscaisOfAnEmptyFileSaysSo) {
    WriteFileAtomic(temp_ + "daruma_frec.txt", "");
    EXPECT_STREQ(::DescricoesFiscais(), "");
    EXPECT_EQ(Mens(), (Lines{"Ocorreu um erro ao ler as formas de recebimento da impressora"}));
}

TEST_F(DarumaTest, DescricoesFiscaisWithoutTheFileGivesTheFileError) {
    EXPECT_STREQ(::DescricoesFiscais(), "");
    EXPECT_EQ(std::string(::EcfPlugDarumaUltimoErro()).rfind("EFOpenError: ", 0), 0u)
        << ::EcfPlugDarumaUltimoErro();
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DarumaTest, MarcaImprSplitsTheIdentificationAnswer) {
    struct Case {
        const char* answer;
        Lines outputs;
    };
    for (const Case& c :
         {Case{"DARUMA AUTOMACAO;FS700 L;ECF-IF", {"DARUMA AUTOMACAO", "FS700 L", "ECF-IF"}},
          Case{"DARUMA; ;FS2100T", {"DARUMA", "FS2100T", ""}}, Case{"", {"", "", ""}}}) {
        Answer("rRetornarInformacao_ECF_Daruma.80+81+79", c.answer);
        const char *marca = nullptr, *modelo = nullptr, *tipo = nullptr;
        ASSERT_TRUE(::MarcaImpr(&marca, &modelo, &tipo));
        EXPECT_EQ((Lines{marca, modelo, tipo}), c.outputs) << c.answer;
    }
    Return("rRetornarInformacao_ECF_Daruma", 0);
    const char* marca = "x";
    EXPECT_FALSE(::MarcaImpr(&marca, nullptr, nullptr));
    EXPECT_STREQ(marca, "");
}

TEST_F(DarumaTest, VerificaTruncamentoAsksOnlyTheModelThatTruncates) {
    struct Case {
        const char* model;
        const char* truncation;
        bool truncando;
        std::size_t truncationQueries;
    };
    for (const Case& c : {Case{"FS700 L", "1", true, 1}, Case{"FS700 L", "", false, 1},
                          Case{"FS2100T", "1", false, 0}}) {
        ClearJournal();
        Answer("rRetornarInformacao_ECF_Daruma.80+81+79", std::string("DARUMA;") + c.model);
        Answer("rRetornarInformacao_ECF_Daruma.165", c.truncation);
        bool truncando = !c.truncando;
        EXPECT_TRUE(::VerificaTruncamento(&truncando));
        EXPECT_EQ(truncando, c.truncando) << c.model << " " << c.truncation;
        EXPECT_EQ(Calls("rRetornarInformacao_ECF_Daruma").size(), 1 + c.truncationQueries);
    }
}

TEST(ValorArredondado, TiesGoToTheEvenNeighbour) {
    struct Case {
        double valor;
        int32_t casas;
        double result;
    };
    for (const Case& c : {Case{2.5, 0, 2}, Case{3.5, 0, 4}, Case{25, 1, 20}, Case{35, 1, 40},
                          Case{1.234, -2, 1.23}, Case{-2.5, 0, -2}}) {
        EXPECT_DOUBLE_EQ(::ValorArredondado(c.valor, c.casas), c.result)
            << c.valor << " " << c.casas;
    }
}

// ---- fiscal memory and files -----------------------------------------------------------------

TEST_F(DarumaTest, FiscalMemoryReadingsSendTheirRangesAndKinds) {
    const double inicio = EncodeDate(2026, 1, 2), fim = EncodeDate(2026, 12, 31);
    const std::string destino = temp_ + "mf.txt";
    ::MFCDtImpr(inicio, fim);
    ::MFSDtGrav(inicio, fim, destino.c_str());
    ::MFCCImpr(1, 25);
    ::MFSCGrav(3, 4, destino.c_str());
    EXPECT_EQ(Calls("eMemoriaFiscal_ECF_Daruma"),
              (Lines{"eMemoriaFiscal_ECF_Daruma(\"02012026\",\"31122026\",1,\"IMP\")",
                     "eMemoriaFiscal_ECF_Daruma(\"02012026\",\"31122026\",0,\"ARQ\")",
                     "eMemoriaFiscal_ECF_Daruma(\"0001\",\"0025\",1,\"IMP\")",
                     "eMemoriaFiscal_ECF_Daruma(\"0003\",\"0004\",0,\"ARQ\")"}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DarumaTest, AWrittenReadingIsCopiedFromTheReportFolder) {
    const std::string destino = temp_ + "saida/mf.txt";
    ForceDirectories(temp_ + "saida/");
    WriteFileAtomic(destino, "anterior");
    // Nothing written by the library: the destination stays as it was.
    ::MFCCGrav(1, 2, destino.c_str());
    EXPECT_EQ(ReadFile(destino), "anterior");
    WriteFileAtomic(temp_ + "retorno.txt", "leitura da memoria fiscal");
    ::MFCCGrav(1, 2, destino.c_str());
    EXPECT_EQ(ReadFile(destino), "leitura da memoria fiscal");
}

TEST_F(DarumaTest, MfdFilesPointTheLibraryAtDriveCAndCopyItsFile) {
    WriteFileAtomic(temp_ + "ATO_MFD_DATA.TXT", "mfd por data");
    WriteFileAtomic(temp_ + "ATO_MFD_COO.TXT", "mfd por coo");
    const std::string porData = temp_ + "data.txt", porCoo = temp_ + "coo.txt";
    ::ArqMFDDatas("ignorado", porData.c_str(), EncodeDate(2026, 3, 4), EncodeDate(2026, 3, 5));
    ::ArqMFDCOO(nullptr, porCoo.c_str(), 7, 1234);
    EXPECT_EQ(Journal(),
              (Lines{"regAlterarValor_Daruma(\"START\\LocalArquivosRelatorios\",\"C:\\\")",
                     "rGerarMFD_ECF_Daruma(\"DATAM\",\"04032026\",\"05032026\")",
                     "regAlterarValor_Daruma(\"START\\LocalArquivosRelatorios\",\"C:\\\")",
                     "rGerarMFD_ECF_Daruma(\"COO\",\"007\",\"1234\")"}));
    EXPECT_EQ(ReadFile(porData), "mfd por data");
    EXPECT_EQ(ReadFile(porCoo), "mfd por coo");
}

TEST_F(DarumaTest, GravarTDMReadsItsRangeAsDates) {
    EXPECT_TRUE(::GravarTDM(0, "01/02/2026", "28/02/2026"));
    EXPECT_TRUE(::GravarTDM(1, "01/02/2026", "02/02/2026"));
    EXPECT_EQ(Calls("rGerarRelatorio_ECF_Daruma"),
              (Lines{"rGerarRelatorio_ECF_Daruma(\"TDM\",\"DATAM\",\"01022026\",\"28022026\")",
                     "rGerarRelatorio_ECF_Daruma(\"TDM\",\"COO\",\"01022026\",\"02022026\")"}));
    Return("rGerarRelatorio_ECF_Daruma", 16);
    EXPECT_FALSE(::GravarTDM(0, "01/02/2026", "28/02/2026"));
    EXPECT_EQ(Boxes(), (Lines{"Erro rGerarRelatorio_ECF_Daruma retornou 16"}));
    // A range that is not a date is the conversion error, before any printer call.
    ClearJournal();
    EXPECT_FALSE(::GravarTDM(1, "12", "15"));
    EXPECT_EQ(std::string(::EcfPlugDarumaUltimoErro()).rfind("EConvertError: ", 0), 0u);
    EXPECT_TRUE(Journal().empty());
}

} // namespace
} // namespace zelt
