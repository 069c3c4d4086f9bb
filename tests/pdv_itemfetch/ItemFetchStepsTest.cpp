// The steps of the fetch one by one, where a fault would hide behind the whole run.
#include "outside/dataline/UArqSQL.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_InsereLinhas.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_PreencherTribVal.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_VendaItem.h"
#include "platform/rtl/FileSystem.h"
#include "tests/dataline/DbFixture.h"

#include <gtest/gtest.h>
#include <ostream>
#include <stdexcept>

namespace zelt {
namespace {

TEST(VendaListTest, ItemsKeepThePrintedRoundingsAndTheSaleKey) {
    TVendaList lista(7, 8, 9);
    const TVendaItem& a = lista.PegarItem(1, 2, 3, 4, 1, 1.23456, 10.005, 0.125);
    const TVendaItem& b = lista.PegarItem(5, 6, 7, 8, 0, 2.0005, 2.675, 0.375);
    ASSERT_EQ(lista.Count(), 2);
    EXPECT_EQ(&lista.GetVendaItem(0), &a);
    EXPECT_EQ(a.VendaEmprCod, 7);
    EXPECT_EQ(a.VendaEstacaoCod, 8);
    EXPECT_EQ(a.VendaCod, 9);
    EXPECT_EQ(a.EstMovCod, 3);
    EXPECT_EQ(a.ProdCod, 4);
    EXPECT_EQ(a.ModoArredondamento, 1);
    EXPECT_DOUBLE_EQ(a.Qtd, 1.235);
    // Binary rounding: 0.125 is an exact half and goes to the even 0.12; 2.675 lies below.
    EXPECT_DOUBLE_EQ(a.Desconto, 0.12);
    EXPECT_DOUBLE_EQ(b.PrecoUnit, 2.67);
    EXPECT_DOUBLE_EQ(b.Desconto, 0.38);
    EXPECT_EQ(a.TribCod, 0);
    EXPECT_EQ(a.Cfop, "");
    EXPECT_FALSE(a.ProdEncontrado);
    EXPECT_THROW(lista.GetVendaItem(2), std::out_of_range);
}

struct CasoIcms {
    int modo;
    double qtd, preco, desconto;
    double perc;
    std::int64_t icms; // ten-thousandths
};

void PrintTo(const CasoIcms& c, std::ostream* os) {
    *os << "modo " << c.modo << ", " << c.qtd << " x " << c.preco << " - " << c.desconto << " a "
        << c.perc << " %";
}

class IcmsTest : public ::testing::TestWithParam<CasoIcms> {};

TEST_P(IcmsTest, AmountFromTheNetTotalAndTheRate) {
    const CasoIcms& c = GetParam();
    TVendaList lista(1, 1, 1);
    TVendaItem& item = lista.PegarItem(1, 1, 1, 1, c.modo, c.qtd, c.preco, c.desconto);
    item.Perc = Currency::FromDouble(c.perc);
    TPreencherTribVal::Execute(lista);
    EXPECT_EQ(item.IcmsVal.Raw(), c.icms);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, IcmsTest,
    ::testing::Values(CasoIcms{0, 1.23456, 100, 0.10, 18, 222100}, // 1.235 x 100 - 0.10
                      CasoIcms{0, 2, 3.33, 0, 7, 4700},            // 0.4662
                      CasoIcms{1, 3, 0.3333, 0.01, 18, 1800},      // net 0.99 cut: 0.1782
                      CasoIcms{0, 1, 10, 0, 0, 0},                 // untaxed
                      CasoIcms{0, 1, 1, 5, 10, -4000},             // discount above the gross
                      CasoIcms{0, -2, 5, 0, 12, 12000}));          // a returned item

class InsereLinhasTest : public ::testing::Test {
protected:
    std::string Script(const TVendaList& lista) {
        TArqSQL arq(pasta_.Path() + "s.sql");
        arq.Criar();
        TInsereLinhas::Exec(arq, lista, modoOper_);
        arq.Fechar();
        return ReadFile(pasta_.Path() + "s.sql");
    }

    test::PastaTemporaria pasta_;
    TTerminalModoOper modoOper_{"/d/terminal_dados.fdb", "srv/3051:/d/vendas.fdb"};
};

TEST_F(InsereLinhasTest, QuotesDoubledAmountsWithAPointAndUnknownProductsLeftOut) {
    TVendaList lista(1, 2, 3);
    TVendaItem& a = lista.PegarItem(1, 2, 10, 500, 0, 1, 1, 0);
    a.TratIcms = 60;
    a.TribCod = 4;
    a.Cfop = "5'4'";
    a.Ncm = "'";
    a.TribIcmsCBenef = "SP''1";
    a.Perc = Currency::FromRaw(123456);
    a.IcmsVal = Currency::FromRaw(-5);
    a.TribIcmsPIcmsDeson = Currency::FromRaw(10001);
    a.TribIcmsMotDesIcms = 12;
    a.ProdEncontrado = true;
    lista.PegarItem(1, 2, 11, 501, 0, 1, 1, 0); // not in the product database

    const std::string tribs = "execute procedure ITENS_TRIBS_SET 1, 2, 3, 1, 2, 10, 4, '12.3456', "
                              "-0.0005, 60, '5''4''', 'SP''''1', 12, 1.0001;\r\ncommit;\r\n\r\n";
    EXPECT_EQ(Script(lista),
              "SET NAMES WIN1252;\r\nCONNECT 'srv/3051:/d/vendas.fdb';\r\nset echo on;\r\n"
              "update prod set TRAT_ICMS=60, CFOP='5''4''', TRIB_COD=4, NCM='''', "
              "TRIB_ICMS_CBENEF='SP''''1', TRIB_ICMS_PICMSDESON=1.0001, TRIB_ICMS_motDesICMS=12 "
              "where prod_cod=500;\r\ncommit;\r\n\r\n" +
                  tribs + "SET NAMES WIN1252;\r\nCONNECT '/d/terminal_dados.fdb';\r\n" + tribs);
}

} // namespace
} // namespace zelt
