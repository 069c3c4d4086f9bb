// Every buffer the library fills: exact widths, the NUL inside the given size, guard bytes
// untouched, NULL buffers refused, and garbage answers kept inside the buffer too.
#include "tests/printers_epson/EpsonFixture.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace zelt::test {

namespace {

struct BufferQuery {
    const char* name;
    std::size_t chars;
    // Exact length of the answer, or 0 when it depends on the programming.
    std::size_t exact;
    std::function<int(const EpsonApi&, char*)> call;
};

std::vector<BufferQuery> Queries() {
    return {
        {"Estado", 24, 24, [](const EpsonApi& e, char* b) { return e.Obter_Estado_Impressora(b); }},
        {"Hora", 16, 14, [](const EpsonApi& e, char* b) { return e.Obter_Hora_Relogio(b); }},
        {"Contadores", 101, 101, [](const EpsonApi& e, char* b) { return e.Obter_Contadores(b); }},
        {"Jornada", 72, 72, [](const EpsonApi& e, char* b) { return e.Obter_Dados_Jornada(b); }},
        {"UltimaRZ", 1168, 1168,
         [](const EpsonApi& e, char* b) { return e.Obter_Dados_Ultima_RZ(b); }},
        {"Aliquotas", 554, 5 * 23,
         [](const EpsonApi& e, char* b) { return e.Obter_Tabela_Aliquotas(b); }},
        {"Pagamentos", 882, 882,
         [](const EpsonApi& e, char* b) { return e.Obter_Tabela_Pagamentos(b); }},
        {"RZ", 6, 6,
         [](const EpsonApi& e, char* b) { return e.RelatorioFiscal_RZ(nullptr, nullptr, 2, b); }},
    };
}

class EpsonEmuBuffersTest : public EpsonTest {};

TEST_F(EpsonEmuBuffersTest, EveryAnswerFitsItsBufferAtItsExactWidth) {
    OpenDay();
    SellSimpleCoupon();
    // The reduction goes first: the last Z data need one.
    std::vector<BufferQuery> queries = Queries();
    std::stable_partition(queries.begin(), queries.end(),
                          [](const BufferQuery& q) { return std::string(q.name) == "RZ"; });
    for (const BufferQuery& q : queries) {
        GuardedBuffer b(q.chars);
        EXPECT_EQ(q.call(E(), b.data()), 0) << q.name;
        EXPECT_TRUE(b.GuardIntact()) << q.name;
        EXPECT_TRUE(b.Terminated()) << q.name;
        EXPECT_EQ(b.Text().size(), q.exact) << q.name;
    }
}

TEST_F(EpsonEmuBuffersTest, NullBuffersAreRefusedWithTheBadCallCode) {
    OpenDay();
    for (const BufferQuery& q : Queries())
        EXPECT_EQ(q.call(E(), nullptr), 2) << q.name;
    GuardedBuffer b(16);
    EXPECT_EQ(E().Obter_Estado_ImpressoraEX(b.data(), nullptr, b.data(), b.data()), 2);
    EXPECT_EQ(E().Obter_Arredonda_Trunca_Fabricacao(nullptr, b.data()), 2);
    EXPECT_EQ(E().Obter_Arredonda_Trunca_Fabricacao(b.data(), nullptr), 2);
    EXPECT_EQ(Counters().substr(24, 6), "000000") << "the refused reduction did not happen";
}

TEST_F(EpsonEmuBuffersTest, StatusTextsHaveTheirFixedWidths) {
    GuardedBuffer p(16, ' '), f(16, ' '), c(4, ' '), m(100, ' ');
    ASSERT_EQ(E().Obter_Estado_ImpressoraEX(p.data(), f.data(), c.data(), m.data()), 0);
    EXPECT_EQ(p.Text().size(), 16u);
    EXPECT_EQ(f.Text(), "0000000000000000");
    EXPECT_EQ(c.Text(), "0000");
    EXPECT_EQ(m.Text(), "");
    for (const GuardedBuffer* b : {&p, &f, &c, &m})
        EXPECT_TRUE(b->GuardIntact());
}

TEST_F(EpsonEmuBuffersTest, GarbageAnswersStayInsideTheBuffers) {
    OpenDay();
    SellSimpleCoupon();
    GuardedBuffer crz(6);
    ASSERT_EQ(E().RelatorioFiscal_RZ("", "", 2, crz.data()), 0);
    AddFaults("[Answers]\nGarbage=42\n");
    for (const BufferQuery& q : Queries()) {
        if (std::string(q.name) == "RZ")
            continue;
        GuardedBuffer b(q.chars);
        EXPECT_EQ(q.call(E(), b.data()), 0) << q.name;
        EXPECT_TRUE(b.GuardIntact()) << q.name;
        EXPECT_EQ(b.Text().size(), q.chars) << q.name << " is filled to its full size";
    }
    GuardedBuffer p(16), f(16), c(4), m(100);
    ASSERT_EQ(E().Obter_Estado_ImpressoraEX(p.data(), f.data(), c.data(), m.data()), 0);
    for (const GuardedBuffer* b : {&p, &f, &c, &m})
        EXPECT_TRUE(b->GuardIntact());
    EXPECT_EQ(c.Text().size(), 4u);
}

TEST_F(EpsonEmuBuffersTest, GarbageTextArgumentsNeverCrashTheLibrary) {
    OpenDay();
    std::string junk;

    for (int i = 1; i < 256; ++i)
        junk += static_cast<char>(i);
    std::string longJunk(20000, '\x9f');
    for (std::string* text : {&junk, &longJunk}) {
        const char* t = text->c_str();
        EXPECT_NE(E().Fiscal_Abrir_Cupom(t, t, t, t, -7), 0);
        ASSERT_EQ(E().Fiscal_Abrir_Cupom(t, t, t, t, 3), 0);
        EXPECT_NE(E().Fiscal_Vender_Item(t, t, t, 99, t, t, -1, t, 1), 0);
        EXPECT_EQ(E().Fiscal_Vender_Item(t, t, "1", 0, t, "1", 0, "FF", 1), 0);
        EXPECT_NE(E().Fiscal_Cancelar_Item(t), 0);
        EXPECT_NE(E().Fiscal_Pagamento(t, t, 2, t, t), 0);
        EXPECT_EQ(E().Fiscal_Pagamento("Dinheiro", "1", 0, t, t), 0);
        EXPECT_EQ(E().Fiscal_Imprimir_MensagemEX(t), 0);
        EXPECT_EQ(E().Fiscal_Fechar_Cupom(1, 0), 0);
        EXPECT_NE(E().NaoFiscal_Abrir_CCD(t, t, 2, t), 0);
        EXPECT_NE(E().NaoFiscal_Abrir_Relatorio_Gerencial(t), 0);
        EXPECT_EQ(E().NaoFiscal_Abrir_Relatorio_Gerencial("1"), 0);
        EXPECT_EQ(E().NaoFiscal_Imprimir_Linha(t), 0);
        EXPECT_EQ(E().NaoFiscal_Fechar_Relatorio_Gerencial(1), 0);
    }
    EXPECT_EQ(E().Fiscal_Abrir_Cupom(nullptr, nullptr, nullptr, nullptr, 3), 0);
    EXPECT_EQ(DocumentInProgress(), "0001");
}

} // namespace

} // namespace zelt::test
