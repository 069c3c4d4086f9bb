// What a host sees of the plug-in as a shared library: the names it finds, the fixed answers, the
// extended error texts, and a maker library that is missing whole or in part.
#include "DarumaFixture.h"
#include "fiscal/daruma/UDarumaErrosEstendidos.h"
#include "fiscal/daruma/UDarumaFramework.h"
#include "fiscal/daruma/UEcfPlugDaruma.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/StringList.h"
#include "zelt/ecfplug_daruma.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace zelt {
namespace {

using Lines = std::vector<std::string>;

struct Operation {
    const char* name;
    bool daruma;
};

#define ZELT_TEST_OPERATION(name, daruma, epson) Operation{#name, daruma == 1},
const Operation ContractOperations[] = {ZELT_ECF_OPERATIONS(ZELT_TEST_OPERATION)};
const Operation InternalOperations[] = {ZELT_ECF_INTERNAL_OPERATIONS(ZELT_TEST_OPERATION)};
#undef ZELT_TEST_OPERATION

class PluginLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        handle_ = dlopen((BinDir() + "EcfPlugDaruma.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
    }
    void TearDown() override {
        if (handle_)
            dlclose(handle_);
    }
    void* Find(const std::string& name) const { return dlsym(handle_, name.c_str()); }
    void* handle_ = nullptr;
};

TEST_F(PluginLibrary, OffersExactlyItsNamesOfTheContractTable) {
    for (const Operation& op : ContractOperations) {
        EXPECT_EQ(Find(op.name) != nullptr, op.daruma) << op.name;
        if (op.daruma) {
            EXPECT_EQ(Find(op.name), Find(std::string("UEcfPlugDaruma.") + op.name)) << op.name;
        }
    }
}

TEST_F(PluginLibrary, InternalOperationsHaveOnlyTheirQualifiedName) {
    for (const Operation& op : InternalOperations) {
        if (!op.daruma)
            continue;
        EXPECT_EQ(Find(op.name), nullptr) << op.name;
        EXPECT_NE(Find(std::string("UEcfPlugDaruma.") + op.name), nullptr) << op.name;
    }
    // A host that wants to identify the consumer on opening is told to do it after the payments.
    auto cliPos = reinterpret_cast<EcfRetornaCliPosFn>(Find("RetornaCliPos"));
    ASSERT_NE(cliPos, nullptr);
    EXPECT_EQ(cliPos(), ZeltCpAntesMens);
}

TEST_F(PluginLibrary, ExportsTheExtendedErrorTexts) {
    auto text = static_cast<const char* const*>(Find("DarumaErrosEstendidosSL"));
    ASSERT_NE(text, nullptr);
    TStringList lines;
    lines.SetText(*text);
    EXPECT_EQ(lines, DarumaErrosEstendidosSL);
    EXPECT_NE(Find("EcfPlugDarumaUltimoErro"), nullptr);
}

TEST(DarumaErrosEstendidosSL, GivesTheTextOfACode) {
    EXPECT_EQ(DarumaErrosEstendidosSL.Values("17"), "Estouro\" de capacidade numérica (overflow)");
    EXPECT_EQ(DarumaErrosEstendidosSL.Values("999"), "Erro de time out conectando a impressora");
    EXPECT_EQ(DarumaErrosEstendidosSL.Values("181"),
              "Não é possivel realizar Redução Z entre 00:00am e 02:00am");
    EXPECT_EQ(DarumaErrosEstendidosSL.Values("9"), "");
    EXPECT_EQ(DarumaErrosEstendidosSL.Count(), 65);
    EXPECT_EQ(DarumaErrosEstendidosSL[0],
              "0=IF em modo Manutenção. Foi ligada sem o Jumper de Operação");
    EXPECT_EQ(DarumaErrosEstendidosSL[DarumaErrosEstendidosSL.Count() - 1],
              "999=Erro de time out conectando a impressora");
}

// ---- answers that need no printer ------------------------------------------------------------

TEST_F(DarumaTest, FixedAnswersCallNoLibraryFunction) {
    EXPECT_TRUE(::AbrirPorta());
    EXPECT_TRUE(::PodeVender());
    EXPECT_TRUE(::DiaAberto());
    EXPECT_TRUE(::ProgramaArredondamento());
    EXPECT_TRUE(::ProgramaTruncamento());
    EXPECT_FALSE(::OfereceFechamentoResumido());
    EXPECT_FALSE(::FecharCupomResumido("a", "b"));
    EXPECT_EQ(::DtUltimoMovimento(), 0.0);
    EXPECT_EQ(::DataCompilacao(), EncodeDateTime(2014, 11, 25, 12, 0, 6, 0));
    EXPECT_EQ(::GNF(), 0);
    EXPECT_EQ(::RetornaCliPos(), ZeltCpAntesMens);
    EXPECT_EQ(
        (Lines{::NumSerie(), ::CodigoNacional(), ::TipoECF(), ::VersaoSoft(), ::DataHoraInst(),
               ::StrDados(), ::NumFabrECF(), ::MFAdicional(), ::ContadorReducaoZ()}),
        (Lines{"1", "000000", "", "", "", "", "", "", ""}));

    double valor = 7;
    EXPECT_FALSE(::DtUltimaReducaoZ(&valor));
    EXPECT_FALSE(::DtMovimentoUltimaReducao(&valor));
    EXPECT_FALSE(::GrandeTotal(&valor));
    EXPECT_EQ(valor, 7);
    // Each text out lives until the next call: read it before calling again.
    const char *data = "x", *hora = "y";
    EXPECT_FALSE(::DtUltimaReducaoZStr(&data, &hora));
    EXPECT_EQ((Lines{data, hora}), (Lines{"", ""}));
    const char* bruta = "z";
    EXPECT_FALSE(::VendaBrutaAtual(&bruta));
    EXPECT_STREQ(bruta, "");
    int32_t a = 1, b = 2;
    EXPECT_FALSE(::RetornaGNF(&a, &b, &valor));
    EXPECT_FALSE(::RetornaGRG(&a, &b, &valor));
    EXPECT_FALSE(::RetornaCDC(&a, &b, &valor));
    EXPECT_EQ((std::vector<int32_t>{a, b}), (std::vector<int32_t>{1, 2}));
    const char *t1 = "1", *t2 = "2", *t3 = "3", *t4 = "4", *t5 = "5", *lista = "l";
    EXPECT_FALSE(::RetornarDadosECF(&t1, &t2, &t3, &t4, &t5, &lista));
    EXPECT_EQ((Lines{t1, t2, t3, t4, t5, lista}), (Lines{"1", "2", "3", "", "", "l"}));
    EXPECT_FALSE(::ColocaTributos("T1800"));
    EXPECT_FALSE(::PegarDadosImpr(&lista));
    ::AberturaDoDia();
    ::FechamentoDoDia();
    ::FecharPorta();
    ::AjustePorta("COM1");
    ::Teste();
    ::AjustarCupomNLinsFinal(3);
    ::PrevineValorItem(1.5);
    ::PegarCliche(&lista);
    ::PegarProdsSis(nullptr);
    ::EspelhoMFD("", "", "", "", "", "", "");
    ::GeraSintegra("", 0, 0, "", "", "", "", "", "", "", "", "", "", "", "", "");
    EXPECT_TRUE(Journal().empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DarumaTest, VerificaStatusImpressoraTellsWhetherThePrinterAnswers) {
    bool fimPapel = true;
    EXPECT_TRUE(::VerificaStatusImpressora(&fimPapel));
    EXPECT_FALSE(fimPapel);
    Return("rVerificarImpressoraLigada_ECF_Daruma", 0);
    fimPapel = true;
    EXPECT_FALSE(::VerificaStatusImpressora(&fimPapel));
    EXPECT_FALSE(fimPapel);
}

TEST_F(DarumaTest, TheStatusRecordStartsEmptyAndTheDistributionClearsItsMirroredFlags) {
    EXPECT_EQ(::ExternarRetornoImpressora().Flags, 0u);
    ecfdaruma::StatusRecord().Flags = (1u << ZeltPfCupomAberto) | (1u << ZeltPfTruncando);
    auto distribuir = reinterpret_cast<EcfDistribuirValoresStatusFn>(
        dlsym(RTLD_DEFAULT, "UEcfPlugDaruma.DistribuirValoresStatus"));
    ASSERT_NE(distribuir, nullptr);
    distribuir();
    const ZeltPrinterStatus status = ::ExternarRetornoImpressora();
    EXPECT_EQ(status.Flags, 1u << ZeltPfTruncando);
    EXPECT_STREQ(status.Texto, "");
    ecfdaruma::StatusRecord() = ZeltPrinterStatus{};
}

TEST_F(DarumaTest, AnOutputTextLivesUntilTheThreadsNextCall) {
    const char* numero = ::NumCupom();
    ASSERT_STREQ(numero, "000042");
    // Handing the text back in is safe: it is read before it is released.
    EXPECT_TRUE(::CancelaItem(numero));
    EXPECT_EQ(Calls("iCFCancelarItem_ECF_Daruma"),
              (Lines{"iCFCancelarItem_ECF_Daruma(\"000042\")"}));
}

TEST_F(DarumaTest, TheLastErrorBelongsToTheCallingThread) {
    Answer("rRetornarInformacao_ECF_Daruma.172", "garbage");
    double dataHora = 0;
    int32_t numero = 0, casasQtd = 0, casasValor = 0;
    EXPECT_FALSE(::AbreCupom(&numero, &dataHora, &casasQtd, &casasValor));
    std::string otherThread = "unset";
    std::thread([&] { otherThread = ::EcfPlugDarumaUltimoErro(); }).join();
    EXPECT_EQ(otherThread, "");
    EXPECT_NE(std::string(::EcfPlugDarumaUltimoErro()), "");
}

// ---- a maker library that is missing ---------------------------------------------------------

TEST_F(DarumaTest, AMissingLibraryIsToldOnceAndEveryCallFails) {
    UseLibraryFolder(temp_ + "vazia/");
    ::Iniciar();
    EXPECT_FALSE(::ImpressoraLigada());
    int32_t numero = 5, casasQtd = 0, casasValor = 0;
    double dataHora = 0;
    EXPECT_FALSE(::AbreCupom(&numero, &dataHora, &casasQtd, &casasValor));
    EXPECT_EQ(numero, 5);
    EXPECT_EQ(::ReducaoZSeNecessario(), 0);
    EXPECT_STREQ(::NumCupom(), "");
    EXPECT_EQ(::CancelaCupom(0, ""), 0);
    EXPECT_EQ(std::string(::EcfPlugDarumaUltimoErro()).rfind("EDarumaIndisponivel: ", 0), 0u)
        << ::EcfPlugDarumaUltimoErro();
    const Lines mens = Mens();
    ASSERT_EQ(mens.size(), 1u);
    EXPECT_EQ(mens[0].rfind("Não foi possível carregar a biblioteca da impressora Daruma\r\n" +
                                temp_ + "vazia/libDarumaFramework.so\r\n",
                            0),
              0u)
        << mens[0];
    EXPECT_TRUE(Boxes().empty());
    // Answers that need no printer still come.
    EXPECT_TRUE(::PodeVender());
}

TEST_F(DarumaTest, TheIniFileBesideThePluginNamesTheLibraryFolder) {
    unsetenv(ecfdaruma::DarumaFrameworkDirEnv);
    const std::string ini = ecfdaruma::TDarumaFramework::PastaPlugin() + "EcfPlugDaruma.ini";
    ASSERT_FALSE(FileExists(ini)) << "a real settings file is in the way: " << ini;
    WriteFileAtomic(ini, "[DarumaFramework]\r\nPasta = " + BinDir() + "fake_daruma\r\n");
    const std::string folder = ecfdaruma::TDarumaFramework::PastaBiblioteca();
    DeleteFile(ini);
    EXPECT_EQ(folder, BinDir() + "fake_daruma/");
    // Without either setting the library is looked for beside the plug-in.
    EXPECT_EQ(ecfdaruma::TDarumaFramework::PastaBiblioteca(),
              ecfdaruma::TDarumaFramework::PastaPlugin());
}

TEST_F(DarumaTest, AMissingFunctionIsNamedOnceAndOnlyItsOperationsFail) {
    UseLibraryFolder(BinDir() + "fake_daruma_without_sale/");
    EXPECT_TRUE(::ImpressoraLigada());
    EXPECT_FALSE(::ImprimirItem("1", "A", "1800", "1", "1,00", "0,00", "", "", "UN"));
    EXPECT_FALSE(::ImprimirItem("1", "A", "1800", "1", "1,00", "0,00", "", "", "UN"));
    EXPECT_EQ(Mens(), (Lines{"A biblioteca da impressora Daruma\r\n" + BinDir() +
                             "fake_daruma_without_sale/libDarumaFramework.so\r\nnão tem as "
                             "funções:\r\niCFVender_ECF_Daruma"}));
    EXPECT_STREQ(::EcfPlugDarumaUltimoErro(),
                 "EDarumaIndisponivel: Função ausente na biblioteca Daruma: iCFVender_ECF_Daruma");
}

} // namespace
} // namespace zelt
