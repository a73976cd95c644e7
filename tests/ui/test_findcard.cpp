// The Find Card dialog: the search order, case, Ignore Case, the wrap after a failed search, the texts
// searched, the empty keyword, and the life of the one modeless dialog.
#include "tests/ui/cards_fixture.h"
#include "ui/findcarddlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

namespace cardstest {
namespace {

class FindCardTest : public CCardsFixture {
protected:
    CFindCardDlg* Open() {
        EXPECT_TRUE(Send(ID_FIND_CARD));
        return m_pMain->m_pFindDialog;
    }
    void SetKeyword(const std::string& keyword) { TypeInto(*m_pMain->m_pFindDialog, IDC_KEYWORD, keyword); }
    void SetIgnoreCase(bool bOn) {
        auto* pBox = qobject_cast<QCheckBox*>(m_pMain->m_pFindDialog->GetDlgItem(IDC_IGNORE_CASE));
        if (pBox->isChecked() != bOn) {
            m_pMain->m_pFindDialog->ClickButton(IDC_IGNORE_CASE);
        }
    }
    // Presses a button; the card then selected ("Category/field 1"), or the message shown.
    std::string Press(int nButton) {
        const size_t nMessages = m_runner.m_messages.size();
        m_pMain->m_pFindDialog->ClickButton(nButton);
        fwtest::ProcessEvents();
        if (m_runner.m_messages.size() > nMessages) {
            return m_runner.m_messages.back().text;
        }
        return SelectedCard();
    }
    std::string SelectedCard() const {
        if (!SelectedIsCard()) {
            return "(none)";
        }
        const HTREEITEM hParent = Tree()->GetTreeCtrl().GetParentItem(Selected());
        return Tree()->GetTreeCtrl().GetItemText(hParent) + "/" + SelectedText();
    }
};

constexpr const char* kNotFound = "Card not found, try again.";

struct Step {
    int nButton;
    std::string expected;
};

struct SearchCase {
    const char* name;
    std::vector<CardSpec> cards;
    std::string keyword;
    bool ignoreCase;
    std::vector<Step> steps;
};

class FindSequenceTest : public FindCardTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(FindSequenceTest, SelectsInSearchOrder) {
    const SearchCase& c = GetParam();
    AddCards(c.cards);
    ASSERT_NE(Open(), nullptr);
    SetKeyword(c.keyword);
    SetIgnoreCase(c.ignoreCase);
    for (size_t i = 0; i < c.steps.size(); ++i) {
        EXPECT_EQ(Press(c.steps[i].nButton), c.steps[i].expected) << "step " << i;
    }
    EXPECT_FALSE(m_pDoc->IsModified());
}

const std::vector<CardSpec> kAlphaCards = {{"Bank Accounts", "Alpha"}, {"WWW Pages", "alpha mail"}};

INSTANTIATE_TEST_SUITE_P(
    Cases, FindSequenceTest,
    ::testing::Values(
        SearchCase{"CaseMatters",
                   kAlphaCards,
                   "alpha",
                   false,
                   {{IDC_FIND, "WWW Pages/alpha mail"},
                    {IDC_FIND_AGAIN, kNotFound},
                    {IDC_FIND_AGAIN, "WWW Pages/alpha mail"}}},
        SearchCase{"IgnoreCaseThenWrap",
                   kAlphaCards,
                   "alpha",
                   true,
                   {{IDC_FIND, "WWW Pages/alpha mail"},
                    {IDC_FIND_AGAIN, "Bank Accounts/Alpha"},
                    {IDC_FIND_AGAIN, kNotFound},
                    {IDC_FIND_AGAIN, "WWW Pages/alpha mail"},
                    {IDC_FIND, "WWW Pages/alpha mail"}}},
        // The tree lists Login Accounts above POP Accounts; the search goes the other way round.
        SearchCase{"SearchOrderIsNotTreeOrder",
                   {{"Login Accounts", "login key"}, {"POP Accounts", "pop key"}},
                   "key",
                   false,
                   {{IDC_FIND, "POP Accounts/pop key"}, {IDC_FIND_AGAIN, "Login Accounts/login key"}}},
        SearchCase{"ArrayOrderWithinACategory",
                   {{"Login Accounts", "zeta key"}, {"Login Accounts", "alpha key"}},
                   "key",
                   false,
                   {{IDC_FIND, "Login Accounts/zeta key"}, {IDC_FIND_AGAIN, "Login Accounts/alpha key"}}},
        SearchCase{"SecretFieldIsSearched",
                   {{"Bank Accounts", "savings"}, {"Credit Cards", "visa", "4711"}},
                   "4711",
                   false,
                   {{IDC_FIND, "Credit Cards/visa"}}},
        SearchCase{"NoteIsSearched",
                   {{"Bank Accounts", "savings", "", "branch in town"}},
                   "TOWN",
                   true,
                   {{IDC_FIND, "Bank Accounts/savings"}}},
        SearchCase{"DateIsNotSearched", {{"Bank Accounts", "savings"}}, "3/4/2001", false, {{IDC_FIND, kNotFound}}},
        SearchCase{"CategoryIsNotSearched", {{"Bank Accounts", "savings"}}, "Bank", false, {{IDC_FIND, kNotFound}}},
        // Only the 26 letters fold.
        SearchCase{"AccentedLettersKeepTheirCase",
                   {{"Personal Data", "\xC3\x89milie"}},
                   "\xC3\xA9milie",
                   true,
                   {{IDC_FIND, kNotFound}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FindCardTest, EmptyKeywordWarnsThenTakesTheFirstCard) {
    AddCards({{"Login Accounts", "login"}, {"POP Accounts", "pop"}});
    CFindCardDlg* pDlg = Open();
    ASSERT_NE(pDlg, nullptr);
    pDlg->ClickButton(IDC_FIND);
    fwtest::ProcessEvents();
    ASSERT_EQ(m_runner.m_messages.size(), 1u);
    EXPECT_EQ(m_runner.m_messages[0].text, "Please enter a string.");
    EXPECT_EQ(m_runner.m_messages[0].caption, m_pApp->GetAppName());
    EXPECT_EQ(m_runner.m_messages[0].type, fw::MB_OK);
    EXPECT_EQ(m_runner.m_messages[0].owner, pDlg->GetWindow());
    EXPECT_EQ(SelectedCard(), "POP Accounts/pop");
    EXPECT_EQ(pDlg->m_nLastFound, 0);
}

TEST_F(FindCardTest, NotFoundMessageHasTheTitleAndTheDialogAsOwner) {
    AddCards({{"Bank Accounts", "savings"}});
    CFindCardDlg* pDlg = Open();
    SetKeyword("nowhere");
    EXPECT_EQ(Press(IDC_FIND), kNotFound);
    EXPECT_EQ(m_runner.m_messages.back().caption, m_pApp->GetAppName());
    EXPECT_EQ(m_runner.m_messages.back().owner, pDlg->GetWindow());
    EXPECT_EQ(pDlg->m_nLastFound, -1);
}

TEST_F(FindCardTest, SearchMakesTheTreeActive) {
    AddCards({{"Bank Accounts", "savings"}});
    SelectCard("Bank Accounts", 0);
    ActivateList();
    Open();
    SetKeyword("sav");
    EXPECT_EQ(Press(IDC_FIND), "Bank Accounts/savings");
    EXPECT_EQ(Child()->GetActiveView(), Tree());
}

TEST_F(FindCardTest, EnterInTheKeywordRunsFind) {
    AddCards({{"Bank Accounts", "savings"}});
    CFindCardDlg* pDlg = Open();
    SetKeyword("sav");
    QTest::keyClick(pDlg->GetDlgItem(IDC_KEYWORD), Qt::Key_Return);
    fwtest::ProcessEvents();
    EXPECT_EQ(SelectedCard(), "Bank Accounts/savings");
    EXPECT_EQ(pDlg->m_nLastFound, 0);
}

TEST_F(FindCardTest, OneDialogAtATimeAndAFreshOneAfterCancel) {
    AddCards({{"Bank Accounts", "savings"}});
    CFindCardDlg* pFirst = Open();
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pFirst->GetWindow(), nullptr);
    EXPECT_TRUE(pFirst->GetWindow()->isVisible());
    SetKeyword("sav");
    SetIgnoreCase(true);
    EXPECT_TRUE(Send(ID_EDIT_FIND));
    EXPECT_EQ(m_pMain->m_pFindDialog, pFirst);
    EXPECT_EQ(pFirst->GetDlgItemText(IDC_KEYWORD), "sav");

    pFirst->ClickButton(fw::IDCANCEL);
    EXPECT_EQ(m_pMain->m_pFindDialog, nullptr);
    fwtest::ProcessEvents();

    CFindCardDlg* pSecond = Open();
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(pSecond->GetDlgItemText(IDC_KEYWORD), "");
    EXPECT_FALSE(qobject_cast<QCheckBox*>(pSecond->GetDlgItem(IDC_IGNORE_CASE))->isChecked());
    EXPECT_EQ(pSecond->m_nLastFound, -1);

    // Escape closes it the same way.
    QTest::keyClick(pSecond->GetWindow(), Qt::Key_Escape);
    EXPECT_EQ(m_pMain->m_pFindDialog, nullptr);
}

TEST_F(FindCardTest, WithoutADocumentWindowTheButtonsDoNothing) {
    AddCards({{"Bank Accounts", "savings"}});
    CFindCardDlg* pDlg = Open();
    SetKeyword("sav");
    EXPECT_EQ(Press(IDC_FIND), "Bank Accounts/savings");
    m_pApp->CloseAllDocuments(true);
    fwtest::ProcessEvents();
    ASSERT_EQ(m_pMain->MDIGetActive(), nullptr);
    const size_t nMessages = m_runner.m_messages.size();
    pDlg->ClickButton(IDC_FIND_AGAIN);
    pDlg->ClickButton(IDC_FIND);
    EXPECT_EQ(m_runner.m_messages.size(), nMessages);
    EXPECT_EQ(pDlg->m_nLastFound, 0);
    // The Find button of the toolbar still works with no document: the dialog is there already.
    EXPECT_TRUE(m_pMain->IsCommandEnabled(ID_FIND_CARD));
}

// The search list follows the document as it is at each press.
TEST_F(FindCardTest, FindAgainContinuesFromTheSamePositionAfterChanges) {
    auto cards = AddCards({{"WWW Pages", "key one"}, {"WWW Pages", "key two"}});
    Open();
    SetKeyword("key");
    EXPECT_EQ(Press(IDC_FIND), "WWW Pages/key one");
    AddCards({{"FTP Servers", "key three"}});
    EXPECT_EQ(Press(IDC_FIND_AGAIN), "WWW Pages/key two");
    EXPECT_EQ(Press(IDC_FIND_AGAIN), "FTP Servers/key three");
}

}  // namespace
}  // namespace cardstest
