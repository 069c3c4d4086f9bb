// Garbage in, under changing faults: random calls with random, over-long and NULL texts, random
// clocks, garbage answers, paper out and injected refusals. The library must never crash, never
// write past a buffer, answer only the codes it documents, and keep a state it can go on from.
// Bounded and seeded, so that it runs in seconds and fails the same way twice.
#include "tests/printers_daruma/DarumaFixture.h"

#include <functional>
#include <random>
#include <set>

namespace zelt::test {
namespace {

class Fuzz : public DarumaTest {
protected:
    std::mt19937_64 rng{20261211};
    int scratch_ = 0;

    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(rng() % n); }

    // Texts live until the next round, as a caller's would during a call.
    std::vector<std::string> texts_;

    const char* Arg() {
        static const char* const kPool[] = {
            "1,00",   "0,00",  "10,5",  "FF",  "I18,00", "T1200", "II",         "Dinheiro",
            "Cartao", "D$",    "A%",    "D%",  "1",      "0",     "000001",     "11122026",
            "COO",    "DATAM", "ARQ",   "IMP", "RG",     "TDM",   "1.234,56",   "9999,999",
            "-1",     ",",     "1,2,3", "",    " ",      "\r\n",  "Comprovante"};
        const std::size_t kind = Below(10);
        if (kind == 0)
            return nullptr;
        std::string text;
        if (kind <= 3) {
            text = kPool[Below(std::size(kPool))];
        } else if (kind <= 8) {
            text.resize(Below(60));
            for (char& c : text)
                c = static_cast<char>(1 + Below(255));
        } else {
            text.assign(1 + Below(5000), static_cast<char>('0' + Below(75)));
        }
        texts_.push_back(std::move(text));
        return texts_.back().c_str();
    }

    void ShakeFaults() {
        std::string ini = "[Clock]\nFixed=" + std::to_string(10 + Below(3)) + "/12/2026 " +
                          std::to_string(10 + Below(14)).substr(0, 2) + ":" +
                          std::to_string(10 + Below(50)) + ":00\n";
        if (Below(4) == 0)
            ini = "[Clock]\nFixed=11/12/2026 0" + std::to_string(Below(3)) + ":30:00\n";
        switch (Below(6)) {
        case 0:
            ini += "[Answers]\nGarbage=" + std::to_string(1 + Below(1000)) + "\n";
            break;
        case 1:
            ini += "[Printer]\nPaperOut=1\n";
            break;
        case 2:
            ini += "[Printer]\nOff=1\n";
            break;
        case 3:
            ini += "[Refuse]\niCFVender_ECF_Daruma=99\niCFAbrirPadrao_ECF_Daruma=7\n";
            break;
        case 4:
            ini += "[Answers]\nrRetornarInformacao_ECF_Daruma=" + std::string(4000, '9') +
                   "\nrLerAliquotas_ECF_Daruma=" + std::string(400, 'T') + "\n";
            break;
        default:
            break;
        }
        WriteFaults(ini);
    }
};

TEST_F(Fuzz, RandomCallsWithGarbageNeverBreakTheLibrary) {
    const std::set<int> documented = {0,  1,  -1, 7,  8,  10, 11, 12, 13, 14, 15, 16, 17, 18, 22,
                                      23, 24, 26, 28, 30, 32, 37, 39, 43, 45, 49, 50, 99, 181};
    std::vector<std::function<int()>> calls;
    auto guarded = [this](std::size_t n, auto call) {
        return [this, n, call]() {
            GuardedBuffer a(n), b(n);
            int i = 0, j = 0;
            const int rc = call(a.data(), b.data(), &i, &j);
            EXPECT_TRUE(a.GuardIntact() && b.GuardIntact());
            EXPECT_TRUE(a.Terminated() && b.Terminated());
            return rc;
        };
    };
    const DarumaApi& d = D();
    calls.push_back([&] { return d.eDefinirProduto(Arg()); });
    calls.push_back([&] { return d.regAlterarValor(Arg(), Arg()); });
    calls.push_back([&] { return d.confCadastrarPadrao(Arg(), Arg()); });
    calls.push_back([&] { return d.iTEF_Fechar(); });
    calls.push_back([&] { return d.iCFAbrirPadrao(); });
    calls.push_back([&] { return d.iCFAbrir(Arg(), Arg(), Arg()); });
    calls.push_back([&] { return d.iCFIdentificarConsumidor(Arg(), Arg(), Arg()); });
    for (int k = 0; k < 4; ++k) // selling is what most sessions do
        calls.push_back(
            [&] { return d.iCFVender(Arg(), Arg(), Arg(), Arg(), Arg(), Arg(), Arg(), Arg()); });
    calls.push_back([&] { return d.iCFVender("FF", "1", "2,50", "D$", "0", "1", "UN", "OK"); });
    calls.push_back([&] { return d.iCFLancarDescontoItem(Arg(), Arg(), Arg()); });
    calls.push_back([&] { return d.iCFCancelarItem(Arg()); });
    calls.push_back([&] { return d.iCFTotalizarCupom(Arg(), Arg()); });
    calls.push_back([&] { return d.iCFTotalizarCupom("D$", "0"); });
    calls.push_back([&] { return d.iCFEfetuarPagamento(Arg(), Arg(), Arg()); });
    calls.push_back([&] { return d.iCFEfetuarPagamento("Dinheiro", "100,00", nullptr); });
    calls.push_back([&] { return d.iCFEncerrar(Arg(), Arg()); });
    calls.push_back([&] { return d.iCFCancelar(); });
    calls.push_back([&] { return d.iLeituraX(); });
    calls.push_back([&] { return d.iReducaoZ(Arg(), Arg()); });
    calls.push_back([&] { return d.iSangria(Arg(), Arg()); });
    calls.push_back([&] { return d.iSuprimento(Arg(), Arg()); });
    calls.push_back([&] { return d.eAbrirGaveta(); });
    calls.push_back([&] { return d.iCCDAbrirSimplificado(Arg(), Arg(), Arg(), Arg()); });
    calls.push_back([&] { return d.iCCDImprimirTexto(Arg()); });
    calls.push_back([&] { return d.iCCDFechar(); });
    calls.push_back([&] { return d.iRGAbrir(Arg()); });
    calls.push_back([&] { return d.iRGImprimirTexto(Arg()); });
    calls.push_back([&] { return d.iRGFechar(); });
    calls.push_back([&] { return d.eMemoriaFiscal(Arg(), Arg(), static_cast<int>(rng()), Arg()); });
    calls.push_back([&] { return d.rGerarMFD(Arg(), Arg(), Arg()); });
    calls.push_back([&] { return d.rGerarRelatorio(Arg(), Arg(), Arg(), Arg()); });
    calls.push_back(
        [&] { return d.rConsultaStatusImpressoraInt(static_cast<int>(rng()), &scratch_); });
    calls.push_back(
        guarded(8, [&](char* a, char* b, int*, int*) { return d.rDataHoraImpressora(a, b); }));
    calls.push_back(guarded(3000, [&](char* a, char*, int*, int*) {
        static const char* const kIndexes[] = {"172", "80+81+79", "165", "26+172", "1+2"};
        return d.rRetornarInformacao(kIndexes[Below(5)], a);
    }));
    calls.push_back(
        guarded(6, [&](char* a, char*, int*, int*) { return d.rRetornarInformacao("26", a); }));
    calls.push_back(guarded(
        3, [&](char* a, char* b, int* i, int* j) { return d.rStatusUltimoCmd(a, b, i, j); }));
    calls.push_back(
        guarded(1, [&](char* a, char*, int* i, int*) { return d.rCFVerificarStatus(a, i); }));
    calls.push_back(
        guarded(1, [&](char* a, char*, int*, int*) { return d.rVerificarReducaoZ(a); }));
    calls.push_back(guarded(150, [&](char* a, char*, int*, int*) { return d.rLerAliquotas(a); }));
    calls.push_back(guarded(360, [&](char* a, char*, int*, int*) { return d.rLerRG(a); }));

    for (int round = 0; round < 1200; ++round) {
        if (round % 40 == 0)
            ShakeFaults();
        texts_.clear();
        texts_.reserve(16);
        const int rc = calls[Below(calls.size())]();
        ASSERT_TRUE(documented.count(rc)) << "round " << round << " returned " << rc;
    }

    // Whatever happened, the printer answers and can still sell.
    FixClock("13/12/2026 12:00:00");
    EXPECT_EQ(D().rVerificarImpressoraLigada(), 1);
    EXPECT_EQ(Coo().size(), 6u);
    const int status = CouponStatus();
    EXPECT_TRUE(status >= 0 && status <= 4);
    D().iTEF_Fechar();
    D().iCFCancelar();
    if (PendingZ() == "1") {
        ASSERT_EQ(D().iReducaoZ(" ", " "), 1);
    }
    FixClock("14/12/2026 12:00:00");
    SellSimpleCoupon();
}

} // namespace
} // namespace zelt::test
