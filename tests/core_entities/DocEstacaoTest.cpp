#include "app/ZeltCore/UDocEstacaoHashListI.h"
#include "core/entities/UDocEstacao.h"
#include "core/entities/UDocEstacaoHashItem.h"
#include "core/entities/UDocEstacaoHashList.h"
#include "core/entities/UDodEstacaoList.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/StringList.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace zelt {
namespace {

// ---------------------------------------------------------------------------------------------
// TDocEstacao

TEST(DocEstacaoTest, TextFormsAreZeroFilled) {
    const TDocEstacao doc(1, 2, 123);
    EXPECT_EQ(doc.GetDocAsString(), "001-002-000123");
    EXPECT_EQ(doc.GetDocAsCsvString(), "001;002;000123");
    EXPECT_EQ(doc.GetEmprCodAsString(), "1");
    EXPECT_EQ(doc.GetEstacaoCodAsString(), "2");
    EXPECT_EQ(doc.GetCodAsString(), "123");
    EXPECT_EQ(TDocEstacao(999, 15, 987654).GetDocAsString(), "999-015-987654");
}

TEST(DocEstacaoTest, ArgumentsGoCompanyStationNumber) {
    const TDocEstacao doc(1, 2, 3);
    EXPECT_EQ(doc.EmprCod, 1);
    EXPECT_EQ(doc.EstacaoCod, 2);
    EXPECT_EQ(doc.Cod, 3);
}

TEST(DocEstacaoTest, EqualOnlyWhenAllThreeAgree) {
    const TDocEstacao doc(1, 2, 3);
    EXPECT_TRUE(doc.DocEstacaoEhIgual(TDocEstacao(1, 2, 3)));
    EXPECT_FALSE(doc.DocEstacaoEhIgual(TDocEstacao(9, 2, 3)));
    EXPECT_FALSE(doc.DocEstacaoEhIgual(TDocEstacao(1, 9, 3)));
    EXPECT_FALSE(doc.DocEstacaoEhIgual(TDocEstacao(1, 2, 9)));
    EXPECT_FALSE(doc.DocEstacaoEhIgual(TDocEstacao(2, 1, 3)));
    // The number alone is the coded item's equality.
    EXPECT_TRUE(doc.CodItemEhIgual(TDocEstacao(7, 7, 3)));
}

TEST(DocEstacaoTest, CopyAndReplace) {
    TDocEstacao doc(4, 5, 6);
    const TDocEstacao copia(doc);
    EXPECT_TRUE(copia.DocEstacaoEhIgual(doc));
    doc.PegarCod(7, 8, 9);
    EXPECT_TRUE(doc.DocEstacaoEhIgual(TDocEstacao(7, 8, 9)));
    EXPECT_TRUE(copia.DocEstacaoEhIgual(TDocEstacao(4, 5, 6)));
}

struct ZeradoCase {
    std::int32_t empr, estacao, numero;
    bool zerado;
};

class DocZeradoTest : public ::testing::TestWithParam<ZeradoCase> {};

TEST_P(DocZeradoTest, NoNumberAndCompanyOrStationMissing) {
    const ZeradoCase& c = GetParam();
    const TDocEstacao doc(c.empr, c.estacao, c.numero);
    const TCodItem& base = doc;
    EXPECT_EQ(base.Zerado(), c.zerado);
}

INSTANTIATE_TEST_SUITE_P(Cases, DocZeradoTest,
                         ::testing::Values(ZeradoCase{0, 0, 0, true},  //
                                           ZeradoCase{1, 0, 0, true},  //
                                           ZeradoCase{0, 1, 0, true},  //
                                           ZeradoCase{1, 1, 0, false}, //
                                           ZeradoCase{0, 0, 5, false}, //
                                           ZeradoCase{1, 2, 3, false}));

TEST(DocEstacaoTest, ZerarThroughTheBaseClearsTheWholeKey) {
    TDocEstacao doc(1, 2, 3);
    TCodItem& base = doc;
    base.Zerar();
    EXPECT_TRUE(doc.DocEstacaoEhIgual(TDocEstacao(0, 0, 0)));
}

TEST(DocEstacaoTest, DescribedItemKeepsItsDescriptionWhenZeroed) {
    TDocEstacaoHashItem doc(1, 2, 3, "Nota");
    doc.Zerar();
    EXPECT_TRUE(doc.Zerado());
    EXPECT_EQ(doc.Descr, "Nota");
}

// ---------------------------------------------------------------------------------------------
// TDocEstacaoList

class DocEstacaoListTest : public ::testing::Test {
protected:
    void SetUp() override {
        lista.Pegar(1, 2, 3); // 0
        lista.Pegar(2, 1, 3); // 1: company and station swapped
        lista.Pegar(1, 0, 0); // 2: zeroed, not all zero
        lista.Pegar(0, 0, 0); // 3
        lista.Pegar(1, 2, 3); // 4: duplicate key
        lista.Pegar(0, 0, 0); // 5
    }
    TDocEstacaoList lista;
};

TEST_F(DocEstacaoListTest, LookupByKeyFindsTheFirstInArgumentOrder) {
    EXPECT_EQ(lista.CodToIndex(1, 2, 3), 0);
    EXPECT_EQ(lista.CodToIndex(2, 1, 3), 1);
    EXPECT_EQ(lista.CodToIndex(3, 2, 1), -1);
    EXPECT_EQ(lista.CodToDocEstacao(1, 2, 3), &lista.GetDocEstacao(0));
    EXPECT_EQ(lista.CodToDocEstacao(1, 2, 4), nullptr);
}

TEST_F(DocEstacaoListTest, PegarUniqueAddsOnlyANewKey) {
    TDocEstacao& existente = lista.PegarUnique(2, 1, 3);
    EXPECT_EQ(&existente, &lista.GetDocEstacao(1));
    EXPECT_EQ(lista.Count(), 6);
    TDocEstacao& novo = lista.PegarUnique(2, 1, 4);
    EXPECT_EQ(lista.Count(), 7);
    EXPECT_EQ(&lista.GetDocEstacao(6), &novo);
    EXPECT_TRUE(novo.DocEstacaoEhIgual(TDocEstacao(2, 1, 4)));
}

TEST_F(DocEstacaoListTest, CountsOnlyAllZeroKeys) {
    EXPECT_EQ(lista.QtdZero(), 2);
    EXPECT_TRUE(lista.GetDocEstacao(2).Zerado());
}

TEST(DocEstacaoListFirstTest, FirstDocumentWithTheWholeKeySet) {
    TDocEstacaoList lista;
    EXPECT_EQ(lista.PrimDocNaoZero(), nullptr);
    lista.Pegar(0, 2, 3);
    lista.Pegar(1, 0, 3);
    lista.Pegar(1, 2, 0);
    EXPECT_EQ(lista.PrimDocNaoZero(), nullptr);
    TDocEstacao& completo = lista.Pegar(1, 2, 3);
    lista.Pegar(4, 5, 6);
    EXPECT_EQ(lista.PrimDocNaoZero(), &completo);
}

TEST_F(DocEstacaoListTest, IndexErrorsAndOwnership) {
    EXPECT_THROW(lista.GetDocEstacao(6), EListError);
    EXPECT_THROW(lista.GetDocEstacao(-1), EListError);
    EXPECT_THROW(lista.Add(nullptr), EArgumentError);
    lista.Delete(0);
    EXPECT_EQ(lista.CodToIndex(1, 2, 3), 3);
    lista.Clear();
    EXPECT_EQ(lista.Count(), 0);
}

// ---------------------------------------------------------------------------------------------
// TDocEstacaoHashList and PreencherSL

class DocEstacaoHashListTest : public ::testing::Test {
protected:
    void SetUp() override {
        lista.Pegar(1, 1, 10, "Primeira");
        lista.Pegar(1, 2, 10, "Segunda");
        lista.Pegar(1, 1, 11, "Primeira");
    }
    TDocEstacaoHashList lista;
};

TEST_F(DocEstacaoHashListTest, LookupByKeyAndByExactDescription) {
    EXPECT_EQ(lista.CodToDocEstacaoHashItem(1, 2, 10), &lista.GetDocEstacaoHashItem(1));
    EXPECT_EQ(lista.CodToDocEstacaoHashItem(2, 1, 10), nullptr);
    EXPECT_EQ(lista.DescrToDocEstacaoHashItem("Primeira"), &lista.GetDocEstacaoHashItem(0));
    EXPECT_EQ(lista.DescrToDocEstacaoHashItem("primeira"), nullptr);
    EXPECT_EQ(lista.DescrToDocEstacaoHashItem("Segunda "), nullptr);
    EXPECT_EQ(lista.GetDocEstacaoHashItem(2).Cod, 11);
}

TEST_F(DocEstacaoHashListTest, KeyOnlyAdditionsAreDescribedItemsToo) {
    TDocEstacao& novo = lista.PegarUnique(3, 3, 3);
    EXPECT_EQ(lista.Count(), 4);
    ASSERT_NE(dynamic_cast<TDocEstacaoHashItem*>(&novo), nullptr);
    EXPECT_EQ(lista.GetDocEstacaoHashItem(3).Descr, "");
    EXPECT_EQ(&lista.PegarUnique(1, 1, 11), &lista.GetDocEstacaoHashItem(2));
}

TEST_F(DocEstacaoHashListTest, RefusesUndescribedItems) {
    TDocEstacaoList& comoBase = lista;
    EXPECT_THROW(comoBase.Add(std::make_unique<TDocEstacao>(1, 1, 1)), EArgumentError);
    EXPECT_EQ(lista.Count(), 3);
}

TEST_F(DocEstacaoHashListTest, PreencherSLAppendsTheDescriptionsInListOrder) {
    TStringList sl{"já estava"};
    TDocEstacaoHashListI::PreencherSL(lista, sl);
    EXPECT_EQ(sl, (TStringList{"já estava", "Primeira", "Segunda", "Primeira"}));
    TDocEstacaoHashListI::PreencherSL(TDocEstacaoHashList(), sl);
    EXPECT_EQ(sl.Count(), 4);
}

} // namespace
} // namespace zelt
