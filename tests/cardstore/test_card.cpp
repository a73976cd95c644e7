// Categories, cards and the per-category arrays.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "cardstore/cardarray.h"
#include "cardstore/cardstore.h"
#include "cardstore/categories.h"

namespace {

struct LabelCase {
    std::string name;
    int longest;
    std::string l1, l2, l3, l4;
};

class CategoryLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(CategoryLabels, CopiesLabelsAndReturnsLongest) {
    const LabelCase& c = GetParam();
    CCardStore store;
    std::string l1 = "x1", l2 = "x2", l3 = "x3", l4 = "x4";
    EXPECT_EQ(store.GetCategoryLabels(c.name, l1, l2, l3, l4), c.longest);
    EXPECT_EQ(l1, c.l1);
    EXPECT_EQ(l2, c.l2);
    EXPECT_EQ(l3, c.l3);
    EXPECT_EQ(l4, c.l4);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CategoryLabels,
    ::testing::Values(LabelCase{"WWW Pages", 9, "Name:", "URL:", "User ID:", "Password:"},
                      LabelCase{"Membership Numbers", 13, "Organisation:", "Home Page:", "Name:", "Number:"},
                      LabelCase{"POP Accounts", 11, "Full Name:", "POP Server:", "UserID:", "Password:"},
                      LabelCase{"E-Mail Contacts", 5, "Name:", "URL:", "N/A:", "N/A:"},
                      // Names are compared byte for byte: other case, a trailing blank or nothing at all
                      // match no category and leave the out-texts alone.
                      LabelCase{"www pages", 0, "x1", "x2", "x3", "x4"},
                      LabelCase{"WWW Pages ", 0, "x1", "x2", "x3", "x4"},
                      LabelCase{"", 0, "x1", "x2", "x3", "x4"}));

TEST(CategoryTable, EveryNameFindsItsOwnArray) {
    CCardStore store;
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
        const std::string_view name = kCategories[static_cast<size_t>(i)].name;
        EXPECT_EQ(FindCategoryIndex(name), i);
        EXPECT_EQ(store.FindCategoryArray(name), &store.GetCategoryArray(i));
        EXPECT_EQ(store.GetCategoryArray(i).GetName(), name);
        EXPECT_EQ(store.GetCategoryArray(i).GetLabel4(), kCategories[static_cast<size_t>(i)].label4);
    }
    EXPECT_EQ(store.FindCategoryArray("Bank accounts"), nullptr);
}

TEST(CategoryTable, OrdersArePermutationsOfTheFourteen) {
    for (const auto* order : {&kFileCategoryOrder, &kTreeCategoryOrder, &kSearchCategoryOrder}) {
        std::set<int> seen(order->begin(), order->end());
        EXPECT_EQ(seen.size(), size_t{CATEGORY_COUNT});
        EXPECT_EQ(*seen.begin(), 0);
        EXPECT_EQ(*seen.rbegin(), CATEGORY_COUNT - 1);
    }
    // The file stores bank accounts (6) before POP (4) and login accounts (5).
    const auto pos = [](int index) {
        return std::find(kFileCategoryOrder.begin(), kFileCategoryOrder.end(), index) -
               kFileCategoryOrder.begin();
    };
    EXPECT_LT(pos(6), pos(4));
    EXPECT_LT(pos(4), pos(5));
}

TEST(NewArray, HasPlaceholderLabelsAndNoCards) {
    CCardArray array;
    EXPECT_EQ(array.GetName(), "");
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(array.GetLabel1(), "Field_1");
    EXPECT_EQ(array.GetLabel4(), "Field_4");
    EXPECT_EQ(array.GetCard(0), nullptr);
}

struct SizeCase {
    const char* what;
    std::string category, date, note;
    uint64_t size;
};

class StoredSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(StoredSize, CountsTextsPlusTenBytes) {
    const SizeCase& c = GetParam();
    CCard card;
    card.SetCategory(c.category);
    card.SetDate(c.date);
    card.SetNote(c.note);
    EXPECT_EQ(card.GetStoredSize(), c.size) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cards, StoredSize,
                         ::testing::Values(SizeCase{"empty card", "", "", "", 10},
                                           SizeCase{"bank card with a date", "Bank Accounts", "12/31/99", "",
                                                    31},
                                           SizeCase{"longest note", "", "", std::string(65535, 'n'), 65545}));

TEST(StoredSize, DocumentTotalIsAboveZeroExactlyWithACard) {
    CCardStore store;
    EXPECT_EQ(store.GetTotalStoredSize(), 0u);
    store.GetCategoryArray(6).AddCard(std::make_unique<CCard>());
    auto card = std::make_unique<CCard>();
    card->SetField1("abc");
    store.GetCategoryArray(0).AddCard(std::move(card));
    EXPECT_EQ(store.GetTotalStoredSize(), 23u);
    EXPECT_EQ(store.GetTotalCardCount(), 2);
    store.RemoveAllCards();
    EXPECT_EQ(store.GetTotalStoredSize(), 0u);
    EXPECT_EQ(store.GetCategoryArray(6).GetName(), "Bank Accounts");
}

// Three cards whose field 1 names them, so positions can be checked after a change.
class ThreeCards : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"first", "second", "third"}) {
            auto card = std::make_unique<CCard>();
            card->SetField1(name);
            m_pCards.push_back(card.get());
            m_array.AddCard(std::move(card));
        }
    }
    std::string NameAt(int32_t index) const { return m_array.GetCard(index)->GetField1(); }

    CCardArray m_array;
    std::vector<CCard*> m_pCards;
};

TEST_F(ThreeCards, RemoveFirstMovesTheOthersDownAndHandsTheCardOver) {
    std::unique_ptr<CCard> removed = m_array.RemoveCard(0);
    ASSERT_EQ(removed.get(), m_pCards[0]);
    EXPECT_EQ(m_array.GetCount(), 2);
    EXPECT_EQ(NameAt(0), "second");
    EXPECT_EQ(NameAt(1), "third");
}

TEST_F(ThreeCards, RemoveOutOfRangeChangesNothing) {
    for (int32_t index : {-1, 3, 100}) {
        EXPECT_EQ(m_array.RemoveCard(index), nullptr);
        EXPECT_EQ(m_array.GetCount(), 3);
    }
    CCardArray empty;
    EXPECT_EQ(empty.RemoveCard(0), nullptr);
    EXPECT_EQ(empty.GetCount(), 0);
}

TEST_F(ThreeCards, ReplaceWithTheSameCardKeepsTheArray) {
    m_pCards[1]->SetField1("edited");
    EXPECT_TRUE(m_array.ReplaceCard(m_pCards[1], 1));
    EXPECT_EQ(m_array.GetCount(), 3);
    EXPECT_EQ(m_array.GetCard(1), m_pCards[1]);
    EXPECT_EQ(NameAt(1), "edited");
}

TEST_F(ThreeCards, ReplaceNeverStoresACardTwiceOrAStranger) {
    CCard stranger;
    const struct {
        const CCard* card;
        int32_t index;
    } refused[] = {{m_pCards[0], 1}, {&stranger, 0}, {nullptr, 0}, {m_pCards[0], -1}, {m_pCards[2], 3}};
    for (const auto& r : refused) {
        EXPECT_FALSE(m_array.ReplaceCard(r.card, r.index));
    }
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(m_array.GetCard(i), m_pCards[static_cast<size_t>(i)]);
    }
}

} // namespace
