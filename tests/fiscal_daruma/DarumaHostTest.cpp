// A point-of-sale host in front of the plug-in and the printer emulator: the plug-in is loaded
// by file name, every operation bound by its plain name, and the operator messages caught with
// the host's own presenter. What the printer received is read from the emulator's call journal,
// what it printed from its paper tape.
#include "zelt/ecfplug.h"
#include "zelt/messages.h"

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

extern "C" int ZeltEcfHeaderDarumaCount(void);
extern "C" int ZeltEcfHeaderEpsonCount(void);
extern "C" size_t ZeltEcfHeaderStatusSize(void);

namespace {

using Lines = std::vector<std::string>;

std::string BinDir() {
    const char* dir = std::getenv("ZELT_BIN_DIR");
    std::string folder = dir ? dir : ".";
    return folder.back() == '/' ? folder : folder + "/";
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

Lines ReadLines(const std::string& path) {
    Lines lines;
    std::istringstream in(ReadAll(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

struct Message {
    int32_t kind;
    std::string text;
};

bool Record(void* context, int32_t kind, const char* text, const char*) {
    static_cast<std::vector<Message>*>(context)->push_back({kind, text ? text : ""});
    return true;
}

class PointOfSale : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = (std::filesystem::temp_directory_path() / "zelt-pdv-XXXXXX").string();
        ASSERT_NE(mkdtemp(folder_.data()), nullptr);
        folder_ += "/";
        setenv("ZELT_DARUMA_STATE", (folder_ + "state.ini").c_str(), 1);
        setenv("ZELT_DARUMA_TAPE", (folder_ + "bobina.txt").c_str(), 1);
        setenv("ZELT_DARUMA_JOURNAL", (folder_ + "journal.txt").c_str(), 1);
        setenv("ZELT_DARUMA_FAULTS", (folder_ + "faults.ini").c_str(), 1);
        setenv("ZELT_DARUMA_REPORTS", folder_.c_str(), 1);
        // The emulator lies beside the plug-in. Named outright, so that a settings file another
        // test writes there for a moment cannot send this host elsewhere.
        setenv("ZELT_DARUMA_FRAMEWORK_DIR", BinDir().c_str(), 1);
        SetClock("11/12/2026 10:00:00");

        plugin_ = dlopen((BinDir() + "EcfPlugDaruma.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(plugin_, nullptr) << dlerror();
        auto setPresenter = reinterpret_cast<void (*)(ZeltMessagePresenterFn, void*)>(
            Bind("zelt_set_message_presenter"));
        setPresenter(&Record, &messages_);
    }

    void TearDown() override {
        if (plugin_) {
            reinterpret_cast<void (*)(ZeltMessagePresenterFn, void*)>(
                Bind("zelt_set_message_presenter"))(nullptr, nullptr);
            dlclose(plugin_);
        }
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    void* Bind(const char* name) {
        void* symbol = dlsym(plugin_, name);
        if (!symbol)
            throw std::runtime_error(std::string("plug-in lacks ") + name);
        return symbol;
    }
    template <class Fn> Fn Op(const char* name) { return reinterpret_cast<Fn>(Bind(name)); }

    void Faults(const std::string& ini) {
        std::ofstream(folder_ + "faults.ini", std::ios::binary) << ini;
    }
    void SetClock(const std::string& moment) { Faults("[Clock]\nFixed=" + moment + "\n"); }

    Lines Journal() const { return ReadLines(folder_ + "journal.txt"); }
    // The journal lines of one function, in order.
    Lines Calls(const std::string& function) const {
        Lines calls;
        for (const std::string& line : Journal())
            if (line.rfind(function + "(", 0) == 0)
                calls.push_back(line);
        return calls;
    }
    std::string Tape() const { return ReadAll(folder_ + "bobina.txt"); }
    Lines Texts() const {
        Lines texts;
        for (const Message& m : messages_)
            texts.push_back(m.text);
        return texts;
    }

    std::string folder_;
    void* plugin_ = nullptr;
    std::vector<Message> messages_;
};

// "linha 1\r\n...": the text of lines first..last as the journal writes it (CR LF escaped).
std::string JournalBlock(const char* prefix, int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i)
        text += std::string(prefix) + std::to_string(i) + "\\r\\n";
    return text;
}

std::string Numbered(const char* prefix, int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += std::string(prefix) + std::to_string(i) + "\r\n";
    return text;
}

TEST(ContractHeaders, ReadTheSameInC) {
    int daruma = 0, epson = 0;
#define ZELT_COUNT(name, d, e)                                                                     \
    daruma += d;                                                                                   \
    epson += e;
    ZELT_ECF_OPERATIONS(ZELT_COUNT)
#undef ZELT_COUNT
    EXPECT_EQ(ZeltEcfHeaderDarumaCount(), daruma);
    EXPECT_EQ(ZeltEcfHeaderEpsonCount(), epson);
    EXPECT_EQ(ZeltEcfHeaderStatusSize(), sizeof(ZeltPrinterStatus));
}

TEST_F(PointOfSale, SellsACouponAndRunsTheDay) {
    Op<EcfIniciarFn>("Iniciar")();
    ASSERT_TRUE(Op<EcfImpressoraLigadaFn>("ImpressoraLigada")());
    EXPECT_EQ(Op<EcfRetornaCliPosFn>("RetornaCliPos")(), ZeltCpAntesMens);
    EXPECT_EQ(dlsym(plugin_, "AbreCupomCli"), nullptr);

    // ---- the coupon ----
    int32_t coo = 0, casasQtd = 0, casasValor = 0;
    double dataHora = 0;
    ASSERT_TRUE(Op<EcfAbreCupomFn>("AbreCupom")(&coo, &dataHora, &casasQtd, &casasValor))
        << ::testing::PrintToString(Texts());
    EXPECT_GT(coo, 0);
    EXPECT_EQ(casasQtd, 3);
    EXPECT_EQ(casasValor, 2);
    EXPECT_TRUE(Op<EcfCupomAbertoFn>("CupomAberto")());

    auto item = Op<EcfImprimirItemFn>("ImprimirItem");
    ASSERT_TRUE(item("789001", "ARROZ TIPO 1 5KG", "1800", "2", "21,90", "0,00", "", "", "UN"));
    ASSERT_TRUE(item("789002", "FEIJAO CARIOCA", "FF", "1", "8,50", "0,00", "", "", "UN"));
    ASSERT_TRUE(item("789003", "OLEO DE SOJA", "1200", "1,5", "7,00", "0,00", "", "", "LT"));
    ASSERT_TRUE(Op<EcfDescontoItemFn>("DescontoItem")("1", 1.90));
    ASSERT_TRUE(Op<EcfCancelaItemFn>("CancelaItem")("3"));
    ASSERT_TRUE(Op<EcfFecharCupomInicioFn>("FecharCupomInicio")("1,00"));
    // 43,80 - 1,90 + 8,50 - 1,00 = 49,40
    ASSERT_TRUE(Op<EcfFecharCupomFPFn>("FecharCupomFP")("Dinheiro", "20,00"));
    ASSERT_TRUE(Op<EcfFecharCupomFPFn>("FecharCupomFP")("Cartao", "29,40"));
    ASSERT_TRUE(Op<EcfIdConsumidorFn>("IdConsumidor")("MARIA DA SILVA", "RUA DAS FLORES 100",
                                                      "123.456.789-09"));
    // 100 pieces "Mnnn " of five characters: the 384th character ends piece M076.
    std::string message;
    for (int i = 0; i < 100; ++i)
        message += "M" + std::to_string(1000 + i).substr(1) + " ";
    ASSERT_TRUE(Op<EcfFecharCupomFimFn>("FecharCupomFim")(message.c_str()));
    EXPECT_FALSE(Op<EcfCupomAbertoFn>("CupomAberto")());

    // ---- linked receipt for the card payment ----
    ASSERT_TRUE(Op<EcfAbreVinculadoFn>("AbreVinculado")("Cartao", 29.40, coo));
    ASSERT_TRUE(Op<EcfUsaVinculadoFn>("UsaVinculado")(Numbered("via cliente ", 15).c_str(), ""));
    ASSERT_TRUE(Op<EcfFechaVinculadoFn>("FechaVinculado")());

    // ---- management report, cash, X ----
    ASSERT_TRUE(
        Op<EcfRelatorioGerencialFn>("RelatorioGerencial")(Numbered("relatorio ", 9).c_str()));
    ASSERT_TRUE(Op<EcfSangriaFn>("Sangria")(50.0));
    ASSERT_TRUE(Op<EcfSuprimentoFn>("Suprimento")(100.0));
    Op<EcfLeituraXFn>("LeituraX")();

    // ---- Z: pending from 02:00 of the next day ----
    auto pendente = Op<EcfReducaoZSeNecessarioFn>("ReducaoZSeNecessario");
    EXPECT_EQ(pendente(), 1);
    SetClock("12/12/2026 03:00:00");
    EXPECT_EQ(pendente(), 2);
    ASSERT_TRUE(Op<EcfReducaoZFn>("ReducaoZ")()) << ::testing::PrintToString(Texts());
    EXPECT_EQ(pendente(), 1);
    EXPECT_TRUE(messages_.empty()) << ::testing::PrintToString(Texts());

    // ---- what the printer was told ----
    EXPECT_EQ(
        Calls("iCFVender_ECF_Daruma"),
        (Lines{"iCFVender_ECF_Daruma(\"I18,00\",\"2,0\",\"21,90\",\"D$\",\"0,00\",\"789001\","
               "\"UN\",\"ARROZ TIPO 1 5KG\")",
               "iCFVender_ECF_Daruma(\"FF\",\"1,0\",\"8,50\",\"D$\",\"0,00\",\"789002\",\"UN\","
               "\"FEIJAO CARIOCA\")",
               "iCFVender_ECF_Daruma(\"I12,00\",\"1,5\",\"7,00\",\"D$\",\"0,00\",\"789003\","
               "\"LT\",\"OLEO DE SOJA\")"}));
    EXPECT_EQ(Calls("iCFLancarDescontoItem_ECF_Daruma"),
              (Lines{"iCFLancarDescontoItem_ECF_Daruma(\"1\",\"D$\",\"1,90\")"}));
    EXPECT_EQ(Calls("iCFEncerrar_ECF_Daruma"),
              (Lines{"iCFEncerrar_ECF_Daruma(\"0\",\"" + message.substr(0, 384) + "\")"}));
    EXPECT_EQ(Calls("iCFIdentificarConsumidor_ECF_Daruma"),
              (Lines{"iCFIdentificarConsumidor_ECF_Daruma(\"MARIA DA SILVA\",\"RUA DAS FLORES "
                     "100\",\"123.456.789-09\")"}));
    const std::string cooText = std::to_string(1000000 + coo).substr(1);
    EXPECT_EQ(Calls("iCCDAbrirSimplificado_ECF_Daruma"),
              (Lines{"iCCDAbrirSimplificado_ECF_Daruma(\"Cartao\",\"1\",\"" + cooText +
                     "\",\"29,40\")"}));
    EXPECT_EQ(
        Calls("iCCDImprimirTexto_ECF_Daruma"),
        (Lines{"iCCDImprimirTexto_ECF_Daruma(\"" + JournalBlock("via cliente ", 1, 7) + "\")",
               "iCCDImprimirTexto_ECF_Daruma(\"" + JournalBlock("via cliente ", 8, 14) + "\")",
               "iCCDImprimirTexto_ECF_Daruma(\"" + JournalBlock("via cliente ", 15, 15) + "\")"}));
    EXPECT_EQ(Calls("iRGAbrir_ECF_Daruma"), (Lines{"iRGAbrir_ECF_Daruma(\"Comprovante\")"}));
    EXPECT_EQ(Calls("iRGImprimirTexto_ECF_Daruma"),
              (Lines{"iRGImprimirTexto_ECF_Daruma(\"" + JournalBlock("relatorio ", 1, 1) + "\")",
                     "iRGImprimirTexto_ECF_Daruma(\"" + JournalBlock("relatorio ", 2, 8) + "\")",
                     "iRGImprimirTexto_ECF_Daruma(\"" + JournalBlock("relatorio ", 9, 9) + "\")"}));
    EXPECT_EQ(Calls("iSangria_ECF_Daruma"), (Lines{"iSangria_ECF_Daruma(\"50,00\",NULL)"}));
    EXPECT_EQ(Calls("iSuprimento_ECF_Daruma"), (Lines{"iSuprimento_ECF_Daruma(\"100,00\",NULL)"}));
    EXPECT_EQ(Calls("iReducaoZ_ECF_Daruma"), (Lines{"iReducaoZ_ECF_Daruma(\" \",\" \")"}));

    // ---- what it printed ----
    const std::string tape = Tape();
    const std::vector<std::string> printed = {
        "ARROZ TIPO 1 5KG", "FEIJAO CARIOCA", "OLEO DE SOJA", "MARIA DA SILVA", "123.456.789-09",
        "via cliente 15",   "relatorio 9",    "Dinheiro",     "Cartao",         "M000 M001"};
    for (const std::string& text : printed)
        EXPECT_NE(tape.find(text), std::string::npos) << text;
    // The message is printed up to its 384th character.
    EXPECT_NE(tape.find("M076"), std::string::npos);
    EXPECT_EQ(tape.find("M077"), std::string::npos);
    bool total = false;
    for (const std::string& line : ReadLines(folder_ + "bobina.txt"))
        total = total || (line.rfind("TOTAL R$", 0) == 0 && line.size() >= 5 &&
                          line.substr(line.size() - 5) == "49,40");
    EXPECT_TRUE(total) << tape;
}

TEST_F(PointOfSale, ReadsTablesAndWritesTheFilesTheHostAsksFor) {
    Op<EcfIniciarFn>("Iniciar")();
    EXPECT_STREQ(Op<EcfRetornoAliquotasFn>("RetornoAliquotas")(), "1800,1200,0700,2500");
    const char *marca = nullptr, *modelo = nullptr, *tipo = nullptr;
    ASSERT_TRUE(Op<EcfMarcaImprFn>("MarcaImpr")(&marca, &modelo, &tipo));
    EXPECT_EQ((Lines{marca, modelo, tipo}), (Lines{"DARUMA AUTOMACAO", "FS700 L", "ECF-IF"}));
    bool truncando = true;
    ASSERT_TRUE(Op<EcfVerificaTruncamentoFn>("VerificaTruncamento")(&truncando));
    EXPECT_FALSE(truncando);

    // One coupon, so that the fiscal tape memory has something to give.
    int32_t coo = 0, casasQtd = 0, casasValor = 0;
    double dataHora = 0;
    ASSERT_TRUE(Op<EcfAbreCupomFn>("AbreCupom")(&coo, &dataHora, &casasQtd, &casasValor));
    ASSERT_TRUE(Op<EcfImprimirItemFn>("ImprimirItem")("1", "CAFE", "1800", "1", "9,90", "0,00", "",
                                                      "", "UN"));
    ASSERT_TRUE(Op<EcfFecharCupomInicioFn>("FecharCupomInicio")("0,00"));
    ASSERT_TRUE(Op<EcfFecharCupomFPFn>("FecharCupomFP")("Dinheiro", "9,90"));
    ASSERT_TRUE(Op<EcfFecharCupomFimFn>("FecharCupomFim")(""));

    const std::string mfd = folder_ + "mfd_coo.txt", memoria = folder_ + "memoria.txt";
    Op<EcfArqMFDCOOFn>("ArqMFDCOO")(nullptr, mfd.c_str(), coo, coo);
    EXPECT_NE(ReadAll(mfd).find("CAFE"), std::string::npos) << ReadAll(mfd);
    Op<EcfMFDtGravFn>("MFCDtGrav")(dataHora - 1, dataHora + 1, memoria.c_str());
    EXPECT_FALSE(ReadAll(memoria).empty());
    EXPECT_TRUE(Op<EcfGravarTDMFn>("GravarTDM")(0, "11/12/2026", "11/12/2026"));
    EXPECT_TRUE(messages_.empty()) << ::testing::PrintToString(Texts());
}

TEST_F(PointOfSale, ASecondReductionTheSameDayIsRefusedAndShown) {
    Op<EcfIniciarFn>("Iniciar")();
    ASSERT_TRUE(Op<EcfReducaoZFn>("ReducaoZ")()) << ::testing::PrintToString(Texts());
    EXPECT_FALSE(Op<EcfReducaoZFn>("ReducaoZ")());
    EXPECT_EQ(Texts(), (Lines{"Daruma\r\niReducaoZ_ECF_Daruma\r\nCódigo de erro:022\r\n"
                              "Código de Aviso:000",
                              "iReducaoZ_ECF_Darum retornou 22"}));
    // And the fiscal day stays closed to coupons.
    int32_t coo = 0, casasQtd = 0, casasValor = 0;
    double dataHora = 0;
    EXPECT_FALSE(Op<EcfAbreCupomFn>("AbreCupom")(&coo, &dataHora, &casasQtd, &casasValor));
}

TEST_F(PointOfSale, PaperOutAndARefusedPaymentCanBeRetried) {
    Op<EcfIniciarFn>("Iniciar")();
    int32_t coo = 0, casasQtd = 0, casasValor = 0;
    double dataHora = 0;
    ASSERT_TRUE(Op<EcfAbreCupomFn>("AbreCupom")(&coo, &dataHora, &casasQtd, &casasValor));
    auto item = Op<EcfImprimirItemFn>("ImprimirItem");
    ASSERT_TRUE(item("1", "PAO", "1800", "1", "5,00", "0,00", "", "", "UN"));

    Faults("[Clock]\nFixed=11/12/2026 10:00:00\n[Printer]\nPaperOut=1\n");
    EXPECT_FALSE(item("2", "LEITE", "1800", "1", "4,00", "0,00", "", "", "UN"));
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(
        Texts()[0].rfind("Ocorreu um erro na impressora ao vender o item, iCFVender_ECF_Daruma "
                         "retornou 50\r\n",
                         0),
        0u);
    SetClock("11/12/2026 10:00:00");
    ASSERT_TRUE(item("2", "LEITE", "1800", "1", "4,00", "0,00", "", "", "UN"));

    ASSERT_TRUE(Op<EcfFecharCupomInicioFn>("FecharCupomInicio")("0,00"));
    Faults("[Clock]\nFixed=11/12/2026 10:00:00\n[Refuse]\niCFEfetuarPagamento_ECF_Daruma=49\n");
    auto pagar = Op<EcfFecharCupomFPFn>("FecharCupomFP");
    EXPECT_FALSE(pagar("Dinheiro", "9,00"));
    EXPECT_EQ(Texts().back(), "fech cupom fp retornou 49 com frec [Dinheiro] valor [9,00]");
    ASSERT_TRUE(pagar("Dinheiro", "9,00"));
    ASSERT_TRUE(Op<EcfFecharCupomFimFn>("FecharCupomFim")("Volte sempre"));
    EXPECT_FALSE(Op<EcfCupomAbertoFn>("CupomAberto")());
    EXPECT_EQ(Calls("iCFVender_ECF_Daruma").size(), 3u);
    // The refused sale and payment left no trace on the coupon: each item and the payment once.
    const std::string tape = Tape();
    const auto count = [&](const std::string& text) {
        int n = 0;
        for (auto at = tape.find(text); at != std::string::npos; at = tape.find(text, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("PAO"), 1) << tape;
    EXPECT_EQ(count("LEITE"), 1) << tape;
    EXPECT_EQ(count("Dinheiro"), 1) << tape;
}

TEST_F(PointOfSale, APrinterThatDoesNotAnswerFailsEveryStep) {
    Faults("[Printer]\nOff=1\n");
    Op<EcfIniciarFn>("Iniciar")();
    EXPECT_FALSE(Op<EcfImpressoraLigadaFn>("ImpressoraLigada")());
    int32_t coo = 0, casasQtd = 0, casasValor = 0;
    double dataHora = 0;
    EXPECT_FALSE(Op<EcfAbreCupomFn>("AbreCupom")(&coo, &dataHora, &casasQtd, &casasValor));
    EXPECT_EQ(Texts(), (Lines{"Daruma\r\niCFAbrirPadrao_ECF_Daruma\r\nerro de conexão",
                              "Erro abrindo o cupom para Daruma Fiscal\r\nCódigo de erro:0"}));
    EXPECT_EQ(Op<EcfReducaoZSeNecessarioFn>("ReducaoZSeNecessario")(), 0);
    // The host may cancel; nothing was open, so nothing is cancelled.
    EXPECT_LT(Op<EcfCancelaCupomFn>("CancelaCupom")(0, nullptr), 1);
}

// Garbage in every buffer and integer the printer fills, and answers longer than their buffers:
// the plug-in reads no byte beyond what it allocated (the sanitizer build watches) and its
// answers stay within what the contract allows.
TEST_F(PointOfSale, SurvivesGarbageAndOverlongAnswers) {
    Op<EcfIniciarFn>("Iniciar")();
    auto numCupom = Op<EcfTextoFn>("NumCupom");
    auto pendente = Op<EcfReducaoZSeNecessarioFn>("ReducaoZSeNecessario");
    auto marca = Op<EcfMarcaImprFn>("MarcaImpr");
    for (int seed = 1; seed <= 40; ++seed) {
        Faults("[Clock]\nFixed=11/12/2026 10:00:00\n[Answers]\nGarbage=" + std::to_string(seed) +
               "\n[Refuse]\niCFAbrirPadrao_ECF_Daruma=10\n");
        // Garbage fills the buffer to its full size with bytes that are never zero.
        EXPECT_EQ(std::string(numCupom()).size(), 6u);
        const int32_t p = pendente();
        EXPECT_TRUE(p >= 0 && p <= 2) << p;
        const char *m = nullptr, *modelo = nullptr, *tipo = nullptr;
        marca(&m, &modelo, &tipo);
        EXPECT_LE(std::string(m).size() + std::string(modelo).size() + std::string(tipo).size(),
                  3000u);
        EXPECT_LE(std::string(Op<EcfRetornoAliquotasFn>("RetornoAliquotas")()).size(), 150u);
        bool truncando = false;
        Op<EcfVerificaTruncamentoFn>("VerificaTruncamento")(&truncando);
        Op<EcfCupomAbertoFn>("CupomAberto")();
        Op<EcfGavetaAbertaFn>("GavetaAberta")();
        double dataHora = 0;
        Op<EcfDataHoraImprFn>("DataHoraImpr")(&dataHora);
        // A refused opening runs the failure report over the garbage status texts.
        int32_t coo = 0, casasQtd = 0, casasValor = 0;
        EXPECT_FALSE(Op<EcfAbreCupomFn>("AbreCupom")(&coo, &dataHora, &casasQtd, &casasValor));
    }
    const std::string longText(5000, '9');
    Faults("[Answers]\nrRetornarInformacao_ECF_Daruma.26=" + longText +
           "\nrLerAliquotas_ECF_Daruma=T" + longText + "\n");
    EXPECT_STREQ(numCupom(), "999999");
    EXPECT_STREQ(Op<EcfRetornoAliquotasFn>("RetornoAliquotas")(), std::string(149, '9').c_str());
}

} // namespace
