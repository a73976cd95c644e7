// The card list: its rows for a card of each kind, the double-click edits with the refresh and the
// reselection by card index, the secret's popup, and what a system that is not Intel x86 still does.
#include "tests/ui/cards_fixture.h"

#include <QColor>
#include <QPoint>

namespace cardstest {
namespace {

using RowList = std::vector<std::pair<std::string, std::string>>;

class ListViewTest : public CCardsFixture {
protected:
    // Double clicks row nRow of the list as the control reports it.
    void DoubleClick(int nRow) {
        Rows().m_onDblClk(nRow);
        fwtest::ProcessEvents();
    }
    void RightClick(int nRow) {
        Rows().m_onRClick(nRow);
        fwtest::ProcessEvents();
    }
    // The card the tree selects now, by its item data.
    intptr_t SelectedIndex() const { return Tree()->GetTreeCtrl().GetItemData(Selected()); }
};

TEST_F(ListViewTest, ColumnsAndColour) {
    ASSERT_EQ(Rows().GetColumnCount(), 2);
    EXPECT_EQ(Rows().GetColumnHeading(0), "Field");
    EXPECT_EQ(Rows().GetColumnWidth(0), 100);
    EXPECT_EQ(Rows().GetColumnHeading(1), "Data");
    EXPECT_EQ(Rows().GetColumnWidth(1), 400);
    EXPECT_EQ(Rows().GetTextColor(), QColor(0, 0, 255));
    EXPECT_EQ(Rows().GetItemCount(), 0);
}

TEST_F(ListViewTest, BrowserCardHasEightRows) {
    CCard* pCard = AddCards({{"WWW Pages", "mail", "8letters", "short note"}})[0];
    pCard->SetField2("http://mail.example");
    pCard->SetField3("me");
    pCard->SetAutoAccess(1);
    SelectCard("WWW Pages", 0);
    EXPECT_EQ(ListRows(), (RowList{{"Name:", "mail"},
                                {"URL:", "http://mail.example"},
                                {"User ID:", "me"},
                                {"Password:", "********"},
                                {"Note:", "short note"},
                                {"Automatic Access:", "On"},
                                {"New Browser Window:", "Off"},
                                {"Date:", "3/4/2001"}}));
    EXPECT_EQ(List()->GetShownCard(), pCard);
}

TEST_F(ListViewTest, OtherCardHasSixRowsAndAnEmptySecretShowsNoStars) {
    AddCards({{"Bank Accounts", "First Bank", "", std::string(50, 'w') + " " + std::string(10, 'x')}});
    SelectCard("Bank Accounts", 0);
    EXPECT_EQ(ListRows(), (RowList{{"Bank:", "First Bank"},
                                {"Branch Number:", ""},
                                {"Account Holder:", ""},
                                {"Account Number:", ""},
                                {"Note:", std::string(50, 'w') + "..."},
                                {"Date:", "3/4/2001"}}));
}

TEST_F(ListViewTest, CategorySelectionEmptiesTheList) {
    AddCards({{"WWW Pages", "mail"}});
    SelectCard("WWW Pages", 0);
    ASSERT_GT(Rows().GetItemCount(), 0);
    Tree()->SelectTreeItem(CategoryNode("Bank Accounts"));
    fwtest::ProcessEvents();
    EXPECT_EQ(Rows().GetItemCount(), 0);
    EXPECT_EQ(List()->GetShownCard(), nullptr);
}

// Rows 5 and 6 of a browser card toggle their attribute in place; twice is back where it was.
struct ToggleCase {
    const char* name;
    int nRow;
    int32_t (CCard::*get)() const;
};

class AttributeToggleTest : public ListViewTest, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(AttributeToggleTest, TwiceIsBackAndTheDocumentIsModified) {
    const ToggleCase& c = GetParam();
    CCard* pCard = AddCards({{"FTP Servers", "files"}})[0];
    SelectCard("FTP Servers", 0);
    DoubleClick(c.nRow);
    EXPECT_EQ((pCard->*c.get)(), 1);
    EXPECT_TRUE(m_pDoc->IsModified());
    // The list was refreshed and shows the card again.
    EXPECT_EQ(List()->GetShownCard(), pCard);
    EXPECT_EQ(Rows().GetItemText(c.nRow, 1), "On");
    DoubleClick(c.nRow);
    EXPECT_EQ((pCard->*c.get)(), 0);
    EXPECT_EQ(Rows().GetItemText(c.nRow, 1), "Off");
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_TRUE(m_runner.m_dialogCaptions.empty());
}

INSTANTIATE_TEST_SUITE_P(ListRows, AttributeToggleTest,
                         ::testing::Values(ToggleCase{"AutomaticAccess", 5, &CCard::GetAutoAccess},
                                           ToggleCase{"NewBrowserWindow", 6, &CCard::GetNewWindow}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListViewTest, NoteRowEditsTheNote) {
    CCard* pCard = AddCards({{"Bank Accounts", "savings", "", "old\r\nnote"}})[0];
    SelectCard("Bank Accounts", 0);
    m_runner.m_dialogHandlers.push_back([](CDialog& dlg) {
        EXPECT_EQ(dlg.GetWindowText(), "Note ");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_NOTE_TEXT), "old\r\nnote");
        TypeInto(dlg, IDC_NOTE_TEXT, "new note");
        return fw::IDOK;
    });
    DoubleClick(4);
    EXPECT_EQ(pCard->GetNote(), "new note");
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_EQ(Rows().GetItemText(4, 1), "new note");
}

// The tree sorts by text, the array keeps its order: the card comes back by its index.
TEST_F(ListViewTest, EditReselectsTheSameCardByIndex) {
    auto cards = AddCards({{"Login Accounts", "beta"}, {"Login Accounts", "Alpha"}});
    SelectCard("Login Accounts", 1);  // "Alpha", shown first
    ASSERT_EQ(SelectedText(), "Alpha");
    m_runner.m_dialogHandlers.push_back([](CDialog& dlg) {
        EXPECT_EQ(dlg.GetWindowText(), "Edit Card");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_FIELD1), "Alpha");
        TypeInto(dlg, IDC_FIELD1, "zeta");  // now shown last
        return fw::IDOK;
    });
    DoubleClick(0);
    EXPECT_EQ(cards[1]->GetField1(), "zeta");
    EXPECT_EQ(cards[1]->GetDate(), "3/4/2001");
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_EQ(SelectedIndex(), 1);
    EXPECT_EQ(SelectedText(), "zeta");
    EXPECT_EQ(List()->GetShownCard(), cards[1]);
    EXPECT_EQ(Child()->GetActiveView(), Tree());
}

// Every row but the note and the attributes opens the card dialog; Cancel changes nothing, the refresh
// still runs.
class CardDialogRowTest : public ListViewTest, public ::testing::WithParamInterface<std::pair<const char*, int>> {};

TEST_P(CardDialogRowTest, CancelOnlyRefreshes) {
    const auto [category, nRow] = GetParam();
    AddCards({{category, "first"}, {category, "second"}});
    SelectCard(category, 1);
    ActivateList();
    m_runner.m_dialogHandlers.push_back([](CDialog& dlg) {
        TypeInto(dlg, IDC_FIELD1, "typed");
        return fw::IDCANCEL;
    });
    DoubleClick(nRow);
    EXPECT_EQ(m_runner.m_dialogCaptions, std::vector<std::string>{"Edit Card"});
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(m_pDoc->FindCategoryArray(category)->GetCard(1)->GetField1(), "second");
    EXPECT_EQ(SelectedIndex(), 1);
    EXPECT_EQ(Child()->GetActiveView(), Tree());
}

INSTANTIATE_TEST_SUITE_P(ListRows, CardDialogRowTest,
                         ::testing::Values(std::pair{"WWW Pages", 0}, std::pair{"WWW Pages", 3},
                                           std::pair{"WWW Pages", 7}, std::pair{"Bank Accounts", 2},
                                           std::pair{"Bank Accounts", 5}));

TEST_F(ListViewTest, DoubleClickOnNothingOnlyRefreshes) {
    AddCards({{"WWW Pages", "site"}});
    SelectCard("WWW Pages", 0);
    DoubleClick(-1);
    EXPECT_TRUE(m_runner.m_dialogCaptions.empty());
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(SelectedText(), "site");

    Tree()->SelectTreeItem(CategoryNode("Bank Accounts"));
    fwtest::ProcessEvents();
    DoubleClick(-1);  // empty list
    EXPECT_TRUE(m_runner.m_dialogCaptions.empty());
    EXPECT_EQ(Selected(), CategoryNode("Bank Accounts"));
}

TEST_F(ListViewTest, NotIntelX86ChangesNothingAndReselects) {
    m_pApp->m_bNonIntelProcessor = 1;
    CCard* pCard = AddCards({{"WWW Pages", "site"}})[0];
    SelectCard("WWW Pages", 0);
    for (const int nRow : {0, 4, 5}) {
        DoubleClick(nRow);
    }
    EXPECT_TRUE(m_runner.m_dialogCaptions.empty());
    EXPECT_EQ(pCard->GetAutoAccess(), 0);
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(List()->GetShownCard(), pCard);
}

TEST_F(ListViewTest, RightClickOnTheSecretShowsItInADisabledItem) {
    AddCards({{"Credit Cards", "visa", "12&34"}});
    SelectCard("Credit Cards", 0);
    RightClick(2);
    EXPECT_TRUE(m_runner.m_popups.empty());
    RightClick(3);
    ASSERT_EQ(m_runner.m_popups.size(), 1u);
    const fw::PopupMenuRequest& popup = m_runner.m_popups[0];
    ASSERT_EQ(popup.items.size(), 1u);
    EXPECT_EQ(popup.items[0].text, "12&34");
    EXPECT_TRUE(popup.items[0].disabled);
    EXPECT_EQ(popup.items[0].command, 0);
    QPoint row;
    ASSERT_TRUE(Rows().GetItemPosition(3, row));
    row = Rows().ClientToScreen(row);
    EXPECT_EQ(popup.x, row.x() + 80);
    EXPECT_EQ(popup.y, row.y());
    EXPECT_EQ(popup.owner, List());
    EXPECT_FALSE(m_pDoc->IsModified());

    Tree()->SelectTreeItem(CategoryNode("Credit Cards"));
    fwtest::ProcessEvents();
    RightClick(3);  // nothing shown
    EXPECT_EQ(m_runner.m_popups.size(), 1u);
}

}  // namespace
}  // namespace cardstest
