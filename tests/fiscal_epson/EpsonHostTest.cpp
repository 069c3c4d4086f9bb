// A point-of-sale host in front of the plug-in and the printer emulator: the plug-in is loaded
// by file name, every operation bound by its plain name, and the operator messages caught with
// the host's own presenter. What the printer received is read from the emulator's call journal.
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

namespace {

using Lines = std::vector<std::string>;

std::string BinDir() {
    const char* dir = std::getenv("ZELT_BIN_DIR");
    std::string folder = dir ? dir : ".";
    return folder.back() == '/' ? folder : folder + "/";
}

Lines ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    Lines lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

Lines SplitCrLf(const std::string& text) {
    Lines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            break;
        start = end + 2;
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

class EpsonHost : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = (std::filesystem::temp_directory_path() / "zelt-pdv-epson-XXXXXX").string();
        ASSERT_NE(mkdtemp(folder_.data()), nullptr);
        folder_ += "/";
        setenv("ZELT_EPSON_STATE", (folder_ + "state.ini").c_str(), 1);
        setenv("ZELT_EPSON_TAPE", (folder_ + "bobina.txt").c_str(), 1);
        setenv("ZELT_EPSON_JOURNAL", (folder_ + "journal.txt").c_str(), 1);
        setenv("ZELT_EPSON_FAULTS", (folder_ + "faults.ini").c_str(), 1);
        setenv("ZELT_EPSON_REPORTS", folder_.c_str(), 1);
        // The emulator lies beside the plug-in; named outright all the same.
        setenv("ZELT_EPSON_LIBRARY_DIR", BinDir().c_str(), 1);
        Faults("");

        plugin_ = dlopen((BinDir() + "EcfPlugEpson.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(plugin_, nullptr) << dlerror();
        Op<void (*)(ZeltMessagePresenterFn, void*)>("zelt_set_message_presenter")(&Record,
                                                                                  &messages_);
    }

    void TearDown() override {
        if (plugin_) {
            Op<void (*)(ZeltMessagePresenterFn, void*)>("zelt_set_message_presenter")(nullptr,
                                                                                      nullptr);
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

    // The clock stands still, so that the fiscal day stays the same whatever the time.
    void Faults(const std::string& more) {
        std::ofstream(folder_ + "faults.ini", std::ios::binary)
            << "[Clock]\nFixed=11/12/2026 10:00:00\n"
            << more;
    }

    Lines Calls(const std::string& function) const {
        Lines calls;
        for (const std::string& line : ReadLines(folder_ + "journal.txt"))
            if (line.rfind(function + "(", 0) == 0)
                calls.push_back(line);
        return calls;
    }
    Lines Texts(int32_t kind) const {
        Lines texts;
        for (const Message& m : messages_)
            if (m.kind == kind)
                texts.push_back(m.text);
        return texts;
    }

    struct Opened {
        bool ok;
        int32_t numero, casasQtd, casasValor;
        double dataHora;
    };
    Opened AbreCupomCli(const char* nome, const char* doc, const char* e1, const char* e2,
                        const char* e3, const char* e4) {
        Opened o{false, -1, -1, -1, 0};
        o.ok = Op<EcfAbreCupomCliFn>("AbreCupomCli")(nome, doc, e1, e2, e3, e4, &o.numero,
                                                     &o.dataHora, &o.casasQtd, &o.casasValor);
        return o;
    }
    bool Item(const char* codigo, const char* quantidade, const char* preco,
              const char* desconto = "0,00") {
        return Op<EcfImprimirItemFn>("ImprimirItem")(codigo, "Produto", "18,00", quantidade, preco,
                                                     desconto, "0,00", "1", "UN");
    }
    int32_t Coo() { return Op<EcfNumCupomIntFn>("UEcfPlugEpson.NumCupomInt")(); }
    uint32_t Flags() {
        return Op<EcfExternarRetornoImpressoraFn>("ExternarRetornoImpressora")().Flags;
    }

    std::string folder_;
    void* plugin_ = nullptr;
    std::vector<Message> messages_;
};

TEST_F(EpsonHost, ThePlainNamesAreTheEpsonColumnOfTheContract) {
    Lines wrong;
#define ZELT_CHECK_PLAIN(name, daruma, epson)                                                      \
    if ((dlsym(plugin_, #name) != nullptr) != bool(epson))                                         \
        wrong.push_back(#name);                                                                    \
    if ((epson) && !dlsym(plugin_, "UEcfPlugEpson." #name))                                        \
        wrong.push_back("UEcfPlugEpson." #name);
    ZELT_ECF_OPERATIONS(ZELT_CHECK_PLAIN)
#undef ZELT_CHECK_PLAIN
#define ZELT_CHECK_INTERNAL(name, daruma, epson)                                                   \
    if ((epson) && !dlsym(plugin_, "UEcfPlugEpson." #name))                                        \
        wrong.push_back("UEcfPlugEpson." #name);
    ZELT_ECF_INTERNAL_OPERATIONS(ZELT_CHECK_INTERNAL)
#undef ZELT_CHECK_INTERNAL
    EXPECT_TRUE(wrong.empty()) << ::testing::PrintToString(wrong);
    // The internal operations have no plain name; AbreCupomCli is in the plain table here.
    EXPECT_EQ(dlsym(plugin_, "NumCupomInt"), nullptr);
    EXPECT_EQ(dlsym(plugin_, "DistribuirValoresStatus"), nullptr);
    EXPECT_EQ(Op<EcfRetornaCliPosFn>("RetornaCliPos")(), ZeltCpAoAbrir);
}

TEST_F(EpsonHost, AWholeSaleWithTheConsumerLinkedReceiptReportsAndReduction) {
    Op<EcfIniciarFn>("Iniciar")();
    ASSERT_TRUE(Op<EcfAbrirPortaFn>("AbrirPorta")());
    ASSERT_TRUE(Op<EcfImpressoraLigadaFn>("ImpressoraLigada")());

    // 36 + 2 + 11 + 1 + 6 + 1 + 10 = 67 characters: 40 on line 1, 27 on line 2.
    const Opened o = AbreCupomCli("Maria da Silva Souza", "12345678909",
                                  "Avenida Governador Pedro de Toledo Nº 1", "Apartamento",
                                  "Centro", "Campinas-SP");
    ASSERT_TRUE(o.ok) << ::testing::PrintToString(Texts(ZELT_MESSAGE_INFORMATION));
    EXPECT_EQ(o.numero, 1); // the first fiscal coupon of a new printer
    EXPECT_EQ(o.casasQtd, 3);
    EXPECT_EQ(o.casasValor, 2);
    EXPECT_EQ(Calls("EPSON_RelatorioFiscal_Abrir_Jornada").size(), 1u);
    EXPECT_EQ(Calls("EPSON_Fiscal_Abrir_Cupom"),
              Lines{"EPSON_Fiscal_Abrir_Cupom(\"12345678909\",\"Maria da Silva Souza\","
                    "\"Avenida Governador Pedro de Toledo Nº 1,\","
                    "\"Apartamento Centro Campinas-SP\",3)"});
    EXPECT_TRUE(Op<EcfCupomAbertoFn>("CupomAberto")());

    ASSERT_TRUE(Item("1", "1,5", "2,99"));
    ASSERT_TRUE(Item("2", "1", "10,00", "1,50"));
    // Zero quantity: nothing reaches the printer, and the operator is told why.
    EXPECT_FALSE(Item("3", "0", "10,00"));
    EXPECT_EQ(Texts(ZELT_MESSAGE_INFORMATION),
              Lines{"Erro ao imprimir produto 3. Quantidade deve ser maior do que zero."});
    EXPECT_EQ(Calls("EPSON_Fiscal_Vender_Item"),
              (Lines{"EPSON_Fiscal_Vender_Item(\"1\",\"Produto\",\"1500\",3,\"UN\",\"299\",2,"
                     "\"1800\",1)",
                     "EPSON_Fiscal_Vender_Item(\"2\",\"Produto\",\"1000\",3,\"UN\",\"1000\",2,"
                     "\"1800\",1)"}));
    EXPECT_EQ(Calls("EPSON_Fiscal_Desconto_Acrescimo_Item"),
              Lines{"EPSON_Fiscal_Desconto_Acrescimo_Item(\"150\",2,1,0)"});

    // 4,49 + 8,50 = 12,99.
    ASSERT_TRUE(Op<EcfFecharCupomInicioFn>("FecharCupomInicio")("0,00"));
    ASSERT_TRUE(Op<EcfFecharCupomFPFn>("FecharCupomFP")("Dinheiro", "5,00"));
    ASSERT_TRUE(Op<EcfFecharCupomFPFn>("FecharCupomFP")("Cartao", "7,99"));
    const std::string mensagem = std::string(440, '-') + "Obrigado pela preferencia";
    ASSERT_TRUE(Op<EcfFecharCupomFimFn>("FecharCupomFim")(mensagem.c_str()));
    EXPECT_EQ(Calls("EPSON_Fiscal_Imprimir_MensagemEX"),
              Lines{"EPSON_Fiscal_Imprimir_MensagemEX(\"" + mensagem.substr(0, 448) + "\")"});
    EXPECT_FALSE(Op<EcfCupomAbertoFn>("CupomAberto")());
    const int32_t cooCupom = Coo();
    EXPECT_GT(cooCupom, 0);

    ASSERT_TRUE(Op<EcfAbreVinculadoFn>("AbreVinculado")("Cartao", 7.99, cooCupom));
    std::string comprovante;
    for (int i = 1; i <= 10; ++i)
        comprovante += "linha " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(Op<EcfUsaVinculadoFn>("UsaVinculado")(comprovante.c_str(), ""));
    ASSERT_TRUE(Op<EcfFechaVinculadoFn>("FechaVinculado")());
    const Lines blocos = Calls("EPSON_NaoFiscal_Imprimir_Linha");
    ASSERT_EQ(blocos.size(), 2u);
    EXPECT_NE(blocos[0].find("linha 7\\r\\n\")"), std::string::npos) << blocos[0];
    EXPECT_EQ(blocos[1], "EPSON_NaoFiscal_Imprimir_Linha(\"linha 8\\r\\nlinha 9\\r\\nlinha "
                         "10\\r\\n\")");

    Op<EcfLeituraXFn>("LeituraX")();
    EXPECT_EQ(Calls("EPSON_RelatorioFiscal_LeituraX").size(), 1u);
    ASSERT_TRUE(Op<EcfRelatorioGerencialFn>("RelatorioGerencial")("Caixa 1\r\n\r\nTotal 12,99"));
    const Lines linhas = Calls("EPSON_NaoFiscal_Imprimir_Linha");
    ASSERT_EQ(linhas.size(), 5u);
    EXPECT_EQ(Lines(linhas.begin() + 2, linhas.end()),
              (Lines{"EPSON_NaoFiscal_Imprimir_Linha(\"Caixa 1\")",
                     "EPSON_NaoFiscal_Imprimir_Linha(\" \")",
                     "EPSON_NaoFiscal_Imprimir_Linha(\"Total 12,99\")"}));

    EXPECT_EQ(Op<EcfReducaoZSeNecessarioFn>("ReducaoZSeNecessario")(), 1);
    ASSERT_TRUE(Op<EcfReducaoZFn>("ReducaoZ")());
    EXPECT_EQ(Texts(ZELT_MESSAGE_STATUS).size(), 2u);
    EXPECT_TRUE(Texts(ZELT_MESSAGE_STATUS).back().empty());
    // Only the zero-quantity item was told to the operator.
    EXPECT_EQ(Texts(ZELT_MESSAGE_INFORMATION).size(), 1u);

    const char* data = nullptr;
    const char* hora = nullptr;
    ASSERT_TRUE(Op<EcfDtUltimaReducaoZStrFn>("DtUltimaReducaoZStr")(&data, &hora));
    EXPECT_STREQ(data, "11122026");
    EXPECT_STREQ(hora, "100000");
    const char* dados = nullptr;
    ASSERT_TRUE(Op<EcfPegarDadosImprFn>("PegarDadosImpr")(&dados));
    const Lines lista = SplitCrLf(dados);
    ASSERT_EQ(lista.size(), 39u);
    EXPECT_EQ(lista[15].rfind("DTMov=", 0), 0u);
    // 11/12/2026 10:00:00 is day 46367 and ten twenty-fourths.
    EXPECT_EQ(lista[16], "DTHEmiss=46367,4166666667");
    EXPECT_EQ(lista[38], "Can-S=00000000000000");
}

TEST_F(EpsonHost, CancelRules) {
    // A new printer has issued nothing: no number, nothing sent.
    ASSERT_EQ(Coo(), 0);
    EXPECT_EQ(Op<EcfCancelaCupomFn>("CancelaCupom")(0, ""), 0);
    EXPECT_TRUE(Calls("EPSON_Fiscal_Cancelar_Cupom").empty());

    int32_t numero = 0, q = 0, v = 0;
    double dt = 0;
    ASSERT_TRUE(Op<EcfAbreCupomFn>("AbreCupom")(&numero, &dt, &q, &v));
    ASSERT_TRUE(Item("1", "1", "1,00"));
    const int32_t coo = Coo();
    ASSERT_GT(coo, 0);
    EXPECT_EQ(Op<EcfCancelaCupomFn>("CancelaCupom")(0, ""), coo);
    EXPECT_EQ(Calls("EPSON_Fiscal_Cancelar_Cupom").size(), 1u);
    EXPECT_FALSE(Op<EcfCupomAbertoFn>("CupomAberto")());
    EXPECT_TRUE(Texts(ZELT_MESSAGE_INFORMATION).empty());

    // The cancellation was the last document: a second cancel is refused, and still answers the
    // number it read.
    const int32_t cooCancelamento = Coo();
    EXPECT_EQ(Op<EcfCancelaCupomFn>("CancelaCupom")(0, ""), cooCancelamento);
    EXPECT_EQ(Calls("EPSON_Fiscal_Cancelar_Cupom").size(), 2u);
    const Lines boxes = Texts(ZELT_MESSAGE_INFORMATION);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("szRetornoComando=0025"), std::string::npos) << boxes[0];
}

TEST_F(EpsonHost, PegarDadosImprWithoutAnyReduction) {
    const char* dados = nullptr;
    EXPECT_FALSE(Op<EcfPegarDadosImprFn>("PegarDadosImpr")(&dados));
    const Lines lista = SplitCrLf(dados);
    ASSERT_EQ(lista.size(), 16u);
    EXPECT_EQ(lista.front(), "NumFabric=000000");
    EXPECT_EQ(lista.back().rfind("DTMov=", 0), 0u);

    const char* data = "antes";
    const char* hora = "antes";
    EXPECT_FALSE(Op<EcfDtUltimaReducaoZStrFn>("DtUltimaReducaoZStr")(&data, &hora));
    EXPECT_STREQ(data, "antes");
    EXPECT_STREQ(hora, "antes");
    double dt = 5;
    EXPECT_FALSE(Op<EcfDtUltimaReducaoZFn>("DtUltimaReducaoZ")(&dt));
    EXPECT_EQ(dt, 0);
}

TEST_F(EpsonHost, APrinterWhoseStatusCannotBeReadChangesNoFlag) {
    Faults("[Printer]\nPaperOut=1\n");
    bool fimPapel = false;
    ASSERT_TRUE(Op<EcfVerificaStatusImpressoraFn>("VerificaStatusImpressora")(&fimPapel, ""));
    EXPECT_TRUE(fimPapel);
    const uint32_t before = Flags();
    EXPECT_TRUE(before & (1u << ZeltPfFimPapel));

    Faults("[Printer]\nOff=1\n");
    bool outro = true;
    EXPECT_FALSE(Op<EcfVerificaStatusImpressoraFn>("VerificaStatusImpressora")(&outro, "x"));
    EXPECT_TRUE(outro); // left as the host had it
    EXPECT_EQ(Flags(), before);
    EXPECT_FALSE(Op<EcfImpressoraLigadaFn>("ImpressoraLigada")());
    EXPECT_TRUE(messages_.empty());
}

TEST_F(EpsonHost, TheRatesAndPaymentFormsOfTheEmulator) {
    EXPECT_STREQ(Op<EcfRetornoAliquotasFn>("RetornoAliquotas")(), "1800,1200,0700,2500");
    EXPECT_STREQ(Op<EcfDescricoesFiscaisFn>("DescricoesFiscais")(),
                 "Dinheiro\r\nCheque\r\nCartao\r\n");
    bool truncando = true;
    ASSERT_TRUE(Op<EcfVerificaTruncamentoFn>("VerificaTruncamento")(&truncando));
    EXPECT_FALSE(truncando);
}

} // namespace
