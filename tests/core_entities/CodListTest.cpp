#include "core/entities/UCodList.h"
#include "core/entities/UHashList.h"
#include "platform/rtl/Errors.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <typeinfo>
#include <vector>

namespace zelt {
namespace {

std::vector<std::int32_t> Cods(const TCodList& lista) {
    std::vector<std::int32_t> cods;
    for (int i = 0; i < lista.Count(); ++i) {
        cods.push_back(lista.GetCodItem(i).Cod);
    }
    return cods;
}

void Encher(TCodList& lista, const std::vector<std::int32_t>& cods) {
    for (std::int32_t cod : cods) {
        lista.Add(std::make_unique<TCodItem>(cod));
    }
}

// An item that counts how many of its kind are alive, to see the list free what it owns.
class TItemContado : public TCodItem {
public:
    explicit TItemContado(std::int32_t cod) : TCodItem(cod) { ++vivos; }
    ~TItemContado() override { --vivos; }
    static inline int vivos = 0;
};

// ---------------------------------------------------------------------------------------------
// Items

TEST(CodItemTest, CodeEqualityTextAndZeroing) {
    TCodItem a(7);
    EXPECT_TRUE(a.CodItemEhIgual(TCodItem(7)));
    EXPECT_FALSE(a.CodItemEhIgual(TCodItem(8)));
    EXPECT_EQ(a.GetCodAsString(), "7");
    EXPECT_EQ(TCodItem(-12).GetCodAsString(), "-12");
    EXPECT_FALSE(a.Zerado());
    a.Zerar();
    EXPECT_EQ(a.Cod, 0);
    EXPECT_TRUE(a.Zerado());
    EXPECT_TRUE(TCodItem().Zerado());
    EXPECT_FALSE(TCodItem(-1).Zerado());
}

TEST(CodItemTest, ZerarThroughTheBaseAlsoEmptiesTheDescription) {
    THashItem h(4, "Caixa");
    TCodItem& base = h;
    base.Zerar();
    EXPECT_EQ(h.Cod, 0);
    EXPECT_EQ(h.Descr, "");
    EXPECT_TRUE(base.Zerado());
}

// ---------------------------------------------------------------------------------------------
// TCodList

TEST(CodListTest, HighestCodeCountsOnlyPositiveCodes) {
    TCodList vazia;
    EXPECT_EQ(vazia.GetMaiorCod(), 0);

    TCodList negativos;
    Encher(negativos, {-3, -1});
    EXPECT_EQ(negativos.GetMaiorCod(), 0);

    TCodList mista;
    Encher(mista, {3, -7, 9, 0, 2});
    EXPECT_EQ(mista.GetMaiorCod(), 9);
}

TEST(CodListTest, LookupByCodeReturnsTheFirstMatch) {
    TCodList lista;
    TCodItem& primeiro = lista.Add(std::make_unique<TCodItem>(5));
    lista.Add(std::make_unique<TCodItem>(2));
    lista.Add(std::make_unique<TCodItem>(5));
    EXPECT_EQ(lista.CodToCodItem(5), &primeiro);
    EXPECT_EQ(lista.CodToCodItem(2), &lista.GetCodItem(1));
    EXPECT_EQ(lista.CodToCodItem(3), nullptr);
    EXPECT_EQ(TCodList().CodToCodItem(0), nullptr);
}

TEST(CodListTest, IndexOutsideTheListRaisesTheListError) {
    TCodList lista;
    Encher(lista, {1, 2, 3});
    try {
        lista.GetCodItem(3);
        FAIL() << "no error";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    EXPECT_THROW(lista.GetCodItem(-1), EListError);
    EXPECT_THROW(lista.Delete(3), EListError);
    EXPECT_EQ(lista.Count(), 3);
}

TEST(CodListTest, OwnsItsItems) {
    TItemContado::vivos = 0;
    {
        TCodList lista;
        for (int i = 1; i <= 4; ++i) {
            lista.Add(std::make_unique<TItemContado>(i));
        }
        EXPECT_EQ(TItemContado::vivos, 4);
        lista.Delete(1);
        EXPECT_EQ(TItemContado::vivos, 3);
        EXPECT_EQ(Cods(lista), (std::vector<std::int32_t>{1, 3, 4}));
        lista.Clear();
        EXPECT_EQ(TItemContado::vivos, 0);
        lista.Add(std::make_unique<TItemContado>(9));
        EXPECT_EQ(TItemContado::vivos, 1);
    }
    EXPECT_EQ(TItemContado::vivos, 0);
}

TEST(CodListTest, RefusesANullItem) {
    TCodList lista;
    EXPECT_THROW(lista.Add(nullptr), EArgumentError);
    EXPECT_EQ(lista.Count(), 0);
}

// ---------------------------------------------------------------------------------------------
// PreencherCods

// The rule as stated: one counter for the pass; for each item without a code, step the counter
// until no item of the list (those coded in this pass included) has it.
void PreencherCodsQuadratico(std::vector<std::int32_t>& cods) {
    std::int32_t n = 0;
    for (std::int32_t& cod : cods) {
        if (cod != 0) {
            continue;
        }
        do {
            ++n;
        } while (std::find(cods.begin(), cods.end(), n) != cods.end());
        cod = n;
    }
}

struct PreencherCase {
    std::vector<std::int32_t> antes;
    std::vector<std::int32_t> depois;
};

void PrintTo(const PreencherCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.antes) << " -> " << ::testing::PrintToString(c.depois);
}

class PreencherCodsTest : public ::testing::TestWithParam<PreencherCase> {};

TEST_P(PreencherCodsTest, GivesTheSmallestFreeCodesInListOrder) {
    TCodList lista;
    Encher(lista, GetParam().antes);
    lista.PreencherCods();
    EXPECT_EQ(Cods(lista), GetParam().depois);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PreencherCodsTest,
    ::testing::Values(PreencherCase{{0, 2, 0, 0, 5}, {1, 2, 3, 4, 5}},
                      PreencherCase{{0, 0, 1}, {2, 3, 1}}, PreencherCase{{}, {}},
                      PreencherCase{{4, 2}, {4, 2}}, PreencherCase{{0, 0, 0}, {1, 2, 3}},
                      PreencherCase{{1, 2, 3, 0}, {1, 2, 3, 4}},
                      // Duplicates stay; negative codes take nothing from the positive range.
                      PreencherCase{{3, 3, 0, 0, 0}, {3, 3, 1, 2, 4}},
                      PreencherCase{{-1, 0, -2, 0}, {-1, 1, -2, 2}},
                      PreencherCase{{0, 2147483647}, {1, 2147483647}}));

TEST(PreencherCodsRandomTest, SameCodesAsTheStraightforwardScan) {
    std::mt19937 gen(61);
    for (int rodada = 0; rodada < 400; ++rodada) {
        const int tamanho = std::uniform_int_distribution<int>(0, 200)(gen);
        // Small code ranges make collisions, duplicates and runs of taken codes common.
        const int teto = std::uniform_int_distribution<int>(1, 300)(gen);
        std::uniform_int_distribution<int> cod(-5, teto);
        std::bernoulli_distribution zero(std::uniform_real_distribution<double>(0.1, 0.9)(gen));
        std::vector<std::int32_t> cods;
        for (int i = 0; i < tamanho; ++i) {
            cods.push_back(zero(gen) ? 0 : cod(gen));
        }
        TCodList lista;
        Encher(lista, cods);
        lista.PreencherCods();
        PreencherCodsQuadratico(cods);
        ASSERT_EQ(Cods(lista), cods) << "round " << rodada;
    }
}

TEST(PreencherCodsItemsTest, KeepsTheItemsAndTheirKind) {
    THashList lista;
    lista.Pegar(0, "a");
    lista.Pegar(1, "b");
    lista.Pegar(0, "c");
    lista.PreencherCods();
    ASSERT_EQ(lista.Count(), 3);
    EXPECT_EQ(lista.GetHashItem(0).Descr, "a");
    EXPECT_EQ(lista.GetHashItem(0).Cod, 2);
    EXPECT_EQ(lista.GetHashItem(2).Descr, "c");
    EXPECT_EQ(lista.GetHashItem(2).Cod, 3);
}

// ---------------------------------------------------------------------------------------------
// THashList

class TItemDeTabela : public THashItem {
public:
    TItemDeTabela(std::int32_t cod, const std::string& descr) : THashItem(cod, descr) {}
};

class HashListTest : public ::testing::Test {
protected:
    void SetUp() override {
        lista.Pegar(1, "ABC");
        lista.Pegar(5, "Caixa");
        lista.Pegar(2, "ABC");
    }
    THashList lista;
};

TEST_F(HashListTest, DescriptionsCompareExactly) {
    EXPECT_EQ(lista.DescrToHashItem("ABC"), &lista.GetHashItem(0));
    EXPECT_EQ(lista.DescrToHashItem("Caixa"), &lista.GetHashItem(1));
    EXPECT_EQ(lista.DescrToHashItem("abc"), nullptr);
    EXPECT_EQ(lista.DescrToHashItem("ABC "), nullptr);
    EXPECT_EQ(lista.DescrToHashItem(" ABC"), nullptr);
    EXPECT_EQ(lista.DescrToHashItem(""), nullptr);
}

TEST_F(HashListTest, GarantaDescrFindsBeforeAdding) {
    THashItem& achado = lista.GarantaDescr("Caixa");
    EXPECT_EQ(&achado, &lista.GetHashItem(1));
    EXPECT_EQ(lista.Count(), 3);
}

TEST_F(HashListTest, GarantaDescrNumbersFromTheHighestCodeAndNeverFillsGaps) {
    THashItem& novo = lista.GarantaDescr("abc");
    EXPECT_EQ(novo.Cod, 6);
    EXPECT_EQ(novo.Descr, "abc");
    EXPECT_EQ(&lista.GetHashItem(3), &novo);
    EXPECT_EQ(lista.GarantaDescr("Pacote").Cod, 7);
    EXPECT_EQ(lista.Count(), 5);
}

TEST_F(HashListTest, GarantaDescrMakesTheGivenKindOfItem) {
    THashItem& novo = lista.GarantaDescr("Tabela", &THashList::Classe<TItemDeTabela>);
    EXPECT_NE(dynamic_cast<TItemDeTabela*>(&novo), nullptr);
    EXPECT_EQ(typeid(lista.GarantaDescr("Outro")), typeid(THashItem));
}

TEST(HashListEmptyTest, GarantaDescrOnNoPositiveCodeStartsAtOne) {
    THashList lista;
    lista.Pegar(-3, "x");
    lista.Pegar(-1, "y");
    EXPECT_EQ(lista.GarantaDescr("z").Cod, 1);
    THashList vazia;
    EXPECT_EQ(vazia.GarantaDescr("z").Cod, 1);
}

TEST(HashListEmptyTest, PegarTwiceGivesTwoItems) {
    THashList lista;
    THashItem& a = lista.Pegar(3, "Igual");
    THashItem& b = lista.Pegar(3, "Igual");
    EXPECT_NE(&a, &b);
    EXPECT_EQ(lista.Count(), 2);
    EXPECT_EQ(lista.CodToCodItem(3), &a);
    EXPECT_EQ(lista.DescrToHashItem("Igual"), &a);
}

TEST(HashListEmptyTest, HoldsDescribedItemsOnly) {
    THashList lista;
    TCodList& comoBase = lista;
    EXPECT_THROW(comoBase.Add(std::make_unique<TCodItem>(1)), EArgumentError);
    EXPECT_EQ(lista.Count(), 0);
    comoBase.Add(std::make_unique<TItemDeTabela>(2, "ok"));
    EXPECT_EQ(lista.GetHashItem(0).Descr, "ok");
    EXPECT_THROW(lista.GetHashItem(1), EListError);
}

} // namespace
} // namespace zelt
