// New, Edit, Delete, First and Last Card through the frame's commands, with the card dialog answered by
// the scripted runner.
#include "tests/ui/cards_fixture.h"

#include <QCheckBox>
#include <cctype>
#include <QLineEdit>

namespace cardstest {
namespace {

// What the add dialog shows for a category, and what the user then types.
struct AddCase {
    const char* category;
    const char* prefix;
    bool attributesEnabled;
    bool editUrlShown;
    std::vector<std::string> labels;
};

class AddCardTest : public CCardsFixture, public ::testing::WithParamInterface<AddCase> {};
class AddCardCommandTest : public CCardsFixture {};

TEST_P(AddCardTest, OpensThePrefilledDialogAndAppendsTheCard) {
    const AddCase& c = GetParam();
    // A card already there: the new one must go after it, whatever the tree's order.
    CCard* pFirst = AddCards({{c.category, "zz existing"}})[0];
    Tree()->SelectTreeItem(CategoryNode(c.category));

    bool bChecked = false;
    m_runner.m_dialogHandlers.push_back([&](CDialog& dlg) {
        EXPECT_EQ(dlg.GetWindowText(), "Add New Card");
        EXPECT_EQ(dlg.GetDlgItemText(fw::IDOK), "Add Card");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_CATEGORY_NAME), c.category);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(dlg.GetDlgItemText(IDC_LABEL1 + i), c.labels[static_cast<size_t>(i)]);
        }
        EXPECT_EQ(dlg.GetDlgItemText(IDC_FIELD1), "Untitled");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_FIELD2), c.prefix);
        EXPECT_EQ(dlg.IsControlEnabled(IDC_AUTO_ACCESS), c.attributesEnabled);
        EXPECT_EQ(dlg.IsControlEnabled(IDC_NEW_WINDOW), c.attributesEnabled);
        EXPECT_FALSE(qobject_cast<QCheckBox*>(dlg.GetDlgItem(IDC_AUTO_ACCESS))->isChecked());
        EXPECT_EQ(dlg.IsControlVisible(IDC_EDIT_URL), c.editUrlShown);
        EXPECT_EQ(qobject_cast<QLineEdit*>(dlg.GetDlgItem(IDC_FIELD4))->echoMode(), QLineEdit::Password);
        bChecked = true;
        TypeInto(dlg, IDC_FIELD1, "new card");
        TypeInto(dlg, IDC_FIELD4, "pw");
        TypeInto(dlg, IDC_NOTE, "line 1\nline 2");
        if (c.attributesEnabled) {
            dlg.ClickButton(IDC_NEW_WINDOW);
        }
        return fw::IDOK;
    });
    ASSERT_TRUE(Send(ID_CARD_NEW));
    ASSERT_TRUE(bChecked);

    const CCardArray& cards = *m_pDoc->FindCategoryArray(c.category);
    ASSERT_EQ(cards.GetCount(), 2);
    EXPECT_EQ(cards.GetCard(0), pFirst);
    const CCard& added = *cards.GetCard(1);
    EXPECT_EQ(added.GetField1(), "new card");
    EXPECT_EQ(added.GetField2(), c.prefix);
    EXPECT_EQ(added.GetField4(), "pw");
    EXPECT_EQ(added.GetNote(), "line 1\r\nline 2");
    EXPECT_EQ(added.GetCategory(), c.category);
    EXPECT_EQ(added.GetDate(), "1/2/2003");
    EXPECT_EQ(added.GetNewWindow(), c.attributesEnabled ? 1 : 0);
    EXPECT_EQ(added.GetAutoAccess(), 0);
    EXPECT_TRUE(m_pDoc->IsModified());
    // The tree shows a card of the category again.
    EXPECT_TRUE(SelectedIsCard());
    EXPECT_EQ(Tree()->GetTreeCtrl().GetParentItem(Selected()), CategoryNode(c.category));
}

INSTANTIATE_TEST_SUITE_P(
    Categories, AddCardTest,
    ::testing::Values(AddCase{"WWW Pages", "http://", true, true, {"Name:", "URL:", "User ID:", "Password:"}},
                      AddCase{"Password Manager", "http://", true, true,
                              {"Name:", "Home Page:", "Description:", "Password:"}},
                      AddCase{"FTP Servers", "ftp://", true, true, {"Name:", "URL:", "User ID:", "Password:"}},
                      AddCase{"Newsgroups", "ftp://", true, true, {"Name:", "URL:", "User ID:", "Password:"}},
                      AddCase{"Login Accounts", "telnet://", false, true, {"Name:", "Host:", "Login:", "Password:"}},
                      AddCase{"E-Mail Contacts", "", false, true, {"Name:", "URL:", "N/A:", "N/A:"}},
                      AddCase{"Bank Accounts", "", false, false,
                              {"Bank:", "Branch Number:", "Account Holder:", "Account Number:"}}),
    [](const auto& info) {
        std::string name;
        for (const char ch : std::string(info.param.category)) {
            if (std::isalnum(static_cast<unsigned char>(ch))) {
                name += ch;
            }
        }
        return name;
    });

TEST_F(AddCardCommandTest, FromACardNodeAddsToItsCategory) {
    AddCards({{"Bank Accounts", "main account"}});
    SelectCard("Bank Accounts", 0);
    m_runner.m_dialogHandlers.push_back([](CDialog&) { return fw::IDOK; });
    ASSERT_TRUE(Send(ID_ADD_CARD));
    ASSERT_EQ(m_pDoc->FindCategoryArray("Bank Accounts")->GetCount(), 2);
    EXPECT_EQ(m_pDoc->FindCategoryArray("Bank Accounts")->GetCard(1)->GetField1(), "Untitled");
}

TEST_F(AddCardCommandTest, CancelLeavesTheDocumentAsItWas) {
    Tree()->SelectTreeItem(CategoryNode("WWW Pages"));
    m_runner.m_dialogHandlers.push_back([](CDialog& dlg) {
        TypeInto(dlg, IDC_FIELD1, "typed, then cancelled");
        return fw::IDCANCEL;
    });
    ASSERT_TRUE(Send(ID_CARD_NEW));
    EXPECT_EQ(m_runner.m_dialogCaptions.size(), 1u);
    EXPECT_EQ(m_pDoc->GetTotalCardCount(), 0);
    EXPECT_FALSE(m_pDoc->IsModified());
}

// Without a selected node the card would belong to no category and be dropped; nothing is asked instead.
TEST_F(AddCardCommandTest, WithoutASelectedNodeNothingOpens) {
    Tree()->GetTreeCtrl().SelectItem(nullptr);
    ASSERT_EQ(Selected(), nullptr);
    m_runner.m_dialogHandlers.push_back([](CDialog&) { return fw::IDOK; });
    Send(ID_CARD_NEW);
    EXPECT_TRUE(m_runner.m_dialogCaptions.empty());
    EXPECT_EQ(m_pDoc->GetTotalCardCount(), 0);
    EXPECT_FALSE(m_pDoc->IsModified());
}

class EditCardTest : public CCardsFixture {};

TEST_F(EditCardTest, KeepsCategoryDateAndObjectAndMarksModified) {
    CCard* pCard = AddCards({{"E-Mail Contacts", "friend", "secret", "old note"}})[0];
    SelectCard("E-Mail Contacts", 0);
    m_runner.m_dialogHandlers.push_back([](CDialog& dlg) {
        EXPECT_EQ(dlg.GetWindowText(), "Edit Card");
        EXPECT_EQ(dlg.GetDlgItemText(fw::IDOK), "OK");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_FIELD1), "friend");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_FIELD4), "secret");
        EXPECT_EQ(dlg.GetDlgItemText(IDC_NOTE), "old note");
        // An existing e-mail contact offers its attributes, a new one does not.
        EXPECT_TRUE(dlg.IsControlEnabled(IDC_AUTO_ACCESS));
        TypeInto(dlg, IDC_FIELD1, "best friend");
        dlg.ClickButton(IDC_AUTO_ACCESS);
        return fw::IDOK;
    });
    ASSERT_TRUE(Send(ID_CARD_EDIT));
    const CCardArray& cards = *m_pDoc->FindCategoryArray("E-Mail Contacts");
    ASSERT_EQ(cards.GetCount(), 1);
    EXPECT_EQ(cards.GetCard(0), pCard);
    EXPECT_EQ(pCard->GetField1(), "best friend");
    EXPECT_EQ(pCard->GetField4(), "secret");
    EXPECT_EQ(pCard->GetAutoAccess(), 1);
    EXPECT_EQ(pCard->GetCategory(), "E-Mail Contacts");
    EXPECT_EQ(pCard->GetDate(), "3/4/2001");
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_EQ(SelectedText(), "best friend");
}

TEST_F(EditCardTest, OkWithoutChangesStillMarksModifiedAndCancelDoesNot) {
    AddCards({{"WWW Pages", "site"}});
    SelectCard("WWW Pages", 0);
    m_runner.m_dialogHandlers.push_back([](CDialog& dlg) {
        TypeInto(dlg, IDC_FIELD1, "changed, then cancelled");
        return fw::IDCANCEL;
    });
    ASSERT_TRUE(Send(ID_EDIT_CARD));
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(m_pDoc->FindCategoryArray("WWW Pages")->GetCard(0)->GetField1(), "site");
    EXPECT_EQ(SelectedText(), "site");

    m_runner.m_dialogHandlers.push_back([](CDialog&) { return fw::IDOK; });
    ASSERT_TRUE(Send(ID_EDIT_CARD));
    EXPECT_TRUE(m_pDoc->IsModified());
}

TEST_F(EditCardTest, IsDisabledOnACategoryNode) {
    AddCards({{"WWW Pages", "site"}});
    SelectCard("WWW Pages", 0);
    Tree()->SelectTreeItem(CategoryNode("Bank Accounts"));
    fwtest::ProcessEvents();
    EXPECT_FALSE(Send(ID_CARD_EDIT));
    EXPECT_TRUE(m_runner.m_dialogCaptions.empty());
}

class DeleteCardTest : public CCardsFixture {};

TEST_F(DeleteCardTest, TheOnlyCardOfACategoryLeavesItsNodeSelectedAndClosed) {
    AddCards({{"Bank Accounts", "savings"}, {"WWW Pages", "site"}});
    SelectCard("Bank Accounts", 0);
    ASSERT_TRUE(Send(ID_CARD_DELETE));

    ASSERT_EQ(m_runner.m_messages.size(), 1u);
    EXPECT_EQ(m_runner.m_messages[0].text, "Are you sure you want to delete this card?");
    EXPECT_EQ(m_runner.m_messages[0].caption, "Warning");
    EXPECT_EQ(m_runner.m_messages[0].type, fw::MB_OKCANCEL | fw::MB_ICONEXCLAMATION);
    EXPECT_EQ(m_runner.m_messages[0].owner, m_pMain);

    EXPECT_EQ(m_pDoc->FindCategoryArray("Bank Accounts")->GetCount(), 0);
    EXPECT_EQ(m_pDoc->GetTotalCardCount(), 1);
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_EQ(Selected(), CategoryNode("Bank Accounts"));
    int nImage = -1, nSelected = -1;
    Tree()->GetTreeCtrl().GetItemImage(Selected(), nImage, nSelected);
    EXPECT_EQ(nImage, Tree()->m_nClosedImage);
    EXPECT_FALSE(Tree()->IsCardSelected());
    EXPECT_EQ(CategoryCountText(), "0");
    EXPECT_EQ(m_pMain->m_wndStatusDialogBar.GetDlgItemText(IDC_TOTAL_COUNT), "1");
    EXPECT_EQ(List()->GetShownCard(), nullptr);
}

TEST_F(DeleteCardTest, CancelledConfirmationChangesNothing) {
    AddCards({{"Bank Accounts", "savings"}});
    SelectCard("Bank Accounts", 0);
    m_runner.m_messageAnswers.push_back(fw::IDCANCEL);
    ASSERT_TRUE(Send(ID_DELETE_CARD));
    EXPECT_EQ(m_pDoc->GetTotalCardCount(), 1);
    EXPECT_FALSE(m_pDoc->IsModified());
}

// The frame's card flag may stay set from another document window while this tree shows a category
// node; its remembered card (index 0 of whatever category is selected now) is not the user's choice.
TEST_F(DeleteCardTest, OnlyTheCardTheTreeShowsSelected) {
    AddCards({{"WWW Pages", "site"}, {"Bank Accounts", "savings"}});
    SelectCard("WWW Pages", 0);
    Tree()->SelectTreeItem(CategoryNode("Bank Accounts"));
    fwtest::ProcessEvents();
    m_pMain->SetCardActive(true);
    Send(ID_CARD_DELETE);
    EXPECT_TRUE(m_runner.m_messages.empty());
    EXPECT_EQ(m_pDoc->GetTotalCardCount(), 2);
    EXPECT_FALSE(m_pDoc->IsModified());
}

// First and last card in the tree's display order, from the tree; the list view's commands do nothing.
struct StepCase {
    const char* name;
    int nCommand;
    bool bFromList;
    const char* category;
    const char* expectedText;  // the node selected afterwards
};

class FirstLastCardTest : public CCardsFixture, public ::testing::WithParamInterface<StepCase> {};

TEST_P(FirstLastCardTest, SelectsInDisplayOrder) {
    const StepCase& c = GetParam();
    // Array order beta, Alpha, gamma; the tree shows Alpha, beta, gamma.
    AddCards({{"Login Accounts", "beta"}, {"Login Accounts", "Alpha"}, {"Login Accounts", "gamma"},
              {"Bank Accounts", "only"}});
    Tree()->SelectTreeItem(CategoryNode(c.category));
    fwtest::ProcessEvents();
    if (c.bFromList) {
        ActivateList();
    }
    EXPECT_TRUE(Send(c.nCommand));
    EXPECT_EQ(SelectedText(), c.expectedText);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirstLastCardTest,
    ::testing::Values(StepCase{"First", ID_CARD_FIRST, false, "Login Accounts", "Alpha"},
                      StepCase{"Last", ID_CARD_LAST, false, "Login Accounts", "gamma"},
                      StepCase{"FirstOfOne", ID_CARD_FIRST, false, "Bank Accounts", "only"},
                      StepCase{"LastOfOne", ID_CARD_LAST, false, "Bank Accounts", "only"},
                      StepCase{"EmptyCategory", ID_CARD_LAST, false, "Credit Cards", "Credit Cards"},
                      StepCase{"FromTheList", ID_CARD_FIRST, true, "Login Accounts", "Login Accounts"},
                      StepCase{"LastFromTheList", ID_CARD_LAST, true, "Login Accounts", "Login Accounts"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cardstest
