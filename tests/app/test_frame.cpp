// The main frame: its bars and what they show, the command table in every state of the program, the
// document window's layout, creation failures that end start-up, and the automatic save.
#include "tests/app/frame_fixture.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <filesystem>
#include <optional>

namespace frametest {
namespace {

// --- the command table --------------------------------------------------------------------------------------

enum State { NoDocument, EmptyDocument, DocumentWithCards, CardSelected, CategorySelected, StateCount };

const char* const kStateNames[] = {"NoDocument", "EmptyDocument", "DocumentWithCards", "CardSelected",
                                   "CategorySelected"};

// When the handler of a row exists. Later: the card, find, copy, internet, print and preferences work
// brings it. Until then the route has no handler and the command is disabled in every state, whatever its
// rule; once the handler is registered, the row's expectation below is what the rule must give.
enum class Handler { Now, Later, Never };

struct CommandRow {
    int nID;
    const char* pszName;
    // Enabled per state, in the order of State: '+' enabled, '-' disabled.
    const char* pszEnabled;
    Handler handler;
};

// Rules: always "+++++"; cards "-+" with no document depending on whether the frame or the application
// handles it, then "-+++" from the empty document on; card "---+-"; window "-++++"; view "-++++";
// never and none "-----".
const CommandRow kCommandTable[] = {
    {ID_FILE_NEW, "New", "+++++", Handler::Now},
    {ID_FILE_OPEN, "Open", "+++++", Handler::Now},
    {ID_FILE_SAVE, "Save", "--+++", Handler::Now},
    {ID_FILE_SAVE_AS, "Save As", "--+++", Handler::Now},
    {ID_FILE_ENCRYPTONSAVE, "Encrypt On Save", "--+++", Handler::Now},
    {ID_ENCRYPT_FILE, "Encrypt File", "--+++", Handler::Now},
    {ID_FILE_PRINT_SETUP, "Print Setup", "+-+++", Handler::Later},
    {ID_FILE_PRINT, "Print", "--+++", Handler::Later},
    {ID_PRINT_PREVIEW, "Print Preview", "+-+++", Handler::Later},
    {ID_EDIT_CUT, "Cut", "-----", Handler::Never},
    {ID_EDIT_PASTE, "Paste", "-----", Handler::Now},
    {ID_EDIT_COPY, "Copy", "---+-", Handler::Later},
    {ID_EDIT_UNDO, "Undo", "-----", Handler::Never},
    {ID_EDIT_FIND, "Find", "+-+++", Handler::Later},
    {ID_FIND_CARD, "Find Card", "+-+++", Handler::Later},
    {ID_CARD_NEW, "New Card", "+++++", Handler::Later},
    {ID_ADD_CARD, "Add Card", "-++++", Handler::Later},
    {ID_CARD_DELETE, "Delete Card (menu)", "---+-", Handler::Later},
    {ID_DELETE_CARD, "Delete Card", "---+-", Handler::Later},
    {ID_CARD_EDIT, "Edit Card (menu)", "---+-", Handler::Later},
    {ID_EDIT_CARD, "Edit Card", "---+-", Handler::Later},
    {ID_CARD_FIRST, "First Card", "+++++", Handler::Later},
    {ID_CARD_LAST, "Last Card", "+++++", Handler::Later},
    {ID_COPY_PASSWORD, "Copy Password", "---+-", Handler::Later},
    {ID_LOAD_WEB_PAGE, "Load Web Page (menu)", "---+-", Handler::Later},
    {ID_TB_LOAD_WEB_PAGE, "Load Web Page", "---+-", Handler::Later},
    {ID_GET_WEB_PAGE, "Get Web Page (menu)", "+++++", Handler::Later},
    {ID_TB_GET_WEB_PAGE, "Get Web Page", "-++++", Handler::Later},
    {ID_LAUNCH_BROWSER, "Launch Browser", "+++++", Handler::Later},
    {ID_ONLINE_DOCUMENTATION, "Read Help", "+++++", Handler::Later},
    {ID_PREFERENCES, "Preferences", "+++++", Handler::Later},
    {ID_APP_ABOUT, "About", "+++++", Handler::Now},
    {ID_VIEW_TOOLBAR, "Toolbar", "+++++", Handler::Now},
    {ID_VIEW_STATUS_BAR, "Status Bar", "+++++", Handler::Now},
    {ID_WINDOW_ARRANGE, "Arrange Icons", "-++++", Handler::Now},
};

class CommandTable : public CFrameFixture, public ::testing::WithParamInterface<State> {
protected:
    void Enter(State state) {
        ASSERT_TRUE(Start());
        if (state == NoDocument) {
            return;
        }
        CQuorrelDoc* pDoc = NewDocument();
        ASSERT_NE(pDoc, nullptr);
        if (state == EmptyDocument) {
            return;
        }
        AddCards(pDoc, 5, {"beta", "Alpha"});
        CQuorrelView* pTree = TreeOf(pDoc);
        ASSERT_NE(pTree, nullptr);
        if (state == DocumentWithCards) {
            return;
        }
        pTree->SelectNthCard(pTree->GetCategoryItem("Login Accounts"), 0);
        if (state == CategorySelected) {
            pTree->SelectTreeItem(pTree->GetCategoryItem("Bank Accounts"));
        }
        fwtest::ProcessEvents();
    }
};

TEST_P(CommandTable, EachCommandIsEnabledExactlyAsItsRuleSays) {
    const State state = GetParam();
    Enter(state);
    ASSERT_NE(m_pMain, nullptr);
    for (const CommandRow& row : kCommandTable) {
        SCOPED_TRACE(row.pszName);
        CCmdUI cmdUI(row.nID);
        m_pMain->UpdateCmdUI(cmdUI);
        const bool bRuleEnables = row.pszEnabled[state] == '+';
        switch (row.handler) {
        case Handler::Now:
            // A document's own commands have no handler on the route while no document is open.
            if (bRuleEnables) {
                EXPECT_TRUE(cmdUI.HasHandler());
            }
            EXPECT_EQ(m_pMain->IsCommandEnabled(row.nID), bRuleEnables);
            break;
        case Handler::Later:
            EXPECT_EQ(m_pMain->IsCommandEnabled(row.nID), cmdUI.HasHandler() && bRuleEnables);
            break;
        case Handler::Never:
            EXPECT_FALSE(cmdUI.HasHandler());
            EXPECT_FALSE(m_pMain->IsCommandEnabled(row.nID));
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(States, CommandTable,
                         ::testing::Values(NoDocument, EmptyDocument, DocumentWithCards, CardSelected,
                                           CategorySelected),
                         [](const ::testing::TestParamInfo<State>& info) { return kStateNames[info.param]; });

// --- the frame and its bars --------------------------------------------------------------------------------

using MainFrame = CFrameFixture;

TEST_F(MainFrame, OpensCentredAtItsSizeWithTheBarsOfAnEmptyProgram) {
    ASSERT_TRUE(Start());
    ASSERT_NE(m_pMain, nullptr);
    EXPECT_EQ(m_pMain->width(), 650);
    EXPECT_EQ(m_pMain->height(), 480);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint offset = m_pMain->frameGeometry().center() - area.center();
    EXPECT_LE(std::abs(offset.x()), 2);
    EXPECT_LE(std::abs(offset.y()), 2);
    EXPECT_TRUE(m_pMain->isVisible());
    EXPECT_EQ(m_pMain->GetMenuBarID(), IDR_MAINFRAME);

    // The encrypted image is appended after the toolbar's own; the Encrypt File button shows image 3.
    EXPECT_EQ(m_pMain->m_wndToolBar.GetButtonCount(), 23);
    EXPECT_EQ(m_pMain->GetEncryptedImage(), m_pMain->m_wndToolBar.GetImageCount() - 1);
    EXPECT_GT(m_pMain->GetEncryptedImage(), 3);
    int nID = 0;
    unsigned nStyle = 0;
    int nImage = -1;
    m_pMain->m_wndToolBar.GetButtonInfo(3, nID, nStyle, nImage);
    EXPECT_EQ(nID, ID_ENCRYPT_FILE);
    EXPECT_EQ(nImage, 3);

    CStatusBar& status = m_pMain->m_wndStatusBar;
    ASSERT_EQ(status.GetPaneCount(), 4);
    EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_CAPS), 1);
    EXPECT_EQ(status.GetPaneText(1), "CAP");
    EXPECT_EQ(status.GetPaneText(2), "NUM");
    EXPECT_EQ(status.GetPaneText(3), "SCRL");
    EXPECT_EQ(m_pMain->GetMessageText(), "Ready");

    // The template's "( Not Encrypted )" is replaced at creation.
    EXPECT_EQ(DialogBarText(IDC_SAVE_STATUS_TEXT), "(Not Encrypted)");
    EXPECT_EQ(DialogBarText(IDC_CATEGORY_COUNT), "0");
    EXPECT_EQ(DialogBarText(IDC_TOTAL_COUNT), "0");
    EXPECT_FALSE(m_pMain->IsCardActive());
    EXPECT_EQ(m_pMain->GetActiveCardIndex(), -1);
    EXPECT_EQ(m_pMain->m_strCategoryName[0], "WWW Pages");
    EXPECT_EQ(m_pMain->m_strCategoryName[13], "Membership Numbers");
}

TEST_F(MainFrame, SaveStatusAndEncryptButtonFollowTheCallers) {
    ASSERT_TRUE(Start());
    m_pMain->ShowSaveStatus(true);
    m_pMain->SetToolbarButtonImage(3, ID_ENCRYPT_FILE, m_pMain->GetEncryptedImage());
    EXPECT_EQ(DialogBarText(IDC_SAVE_STATUS_TEXT), "(Encrypted)");
    int nID = 0;
    unsigned nStyle = 0;
    int nImage = -1;
    m_pMain->m_wndToolBar.GetButtonInfo(3, nID, nStyle, nImage);
    EXPECT_EQ(nImage, m_pMain->GetEncryptedImage());

    m_pMain->ShowSaveStatus(false);
    EXPECT_EQ(DialogBarText(IDC_SAVE_STATUS_TEXT), "(Not Encrypted)");

    m_pMain->UpdateCardCounts(7, 3, 12);
    EXPECT_EQ(DialogBarText(IDC_CATEGORY_COUNT), "7");
    EXPECT_EQ(DialogBarText(IDC_TOTAL_COUNT), "12");
}

TEST_F(MainFrame, DocumentWindowIsMaximisedWithTheTreeFirstAndTheListRight) {
    ASSERT_TRUE(Start());
    CQuorrelDoc* pDoc = NewDocument();
    ASSERT_NE(pDoc, nullptr);
    CChildFrame* pChild = FrameOf(pDoc);
    ASSERT_NE(pChild, nullptr);
    EXPECT_TRUE(pChild->IsMDIMaximized());
    EXPECT_EQ(m_pMain->MDIGetActive(), pChild);
    EXPECT_EQ(m_pMain->GetMenuBarID(), IDR_PLAINTYPE);

    ASSERT_EQ(pDoc->GetViews().size(), 2u);
    EXPECT_NE(dynamic_cast<CQuorrelView*>(pDoc->GetViews()[0]), nullptr);
    EXPECT_NE(dynamic_cast<CQuorrelListView*>(pDoc->GetViews()[1]), nullptr);
    EXPECT_EQ(pChild->m_wndSplitter.GetPane(0, 0), pDoc->GetViews()[0]);
    EXPECT_EQ(pChild->m_wndSplitter.GetPane(0, 1), pDoc->GetViews()[1]);
    // The list keeps 240 pixels of the window, the tree the rest.
    const QWidget* pTree = pChild->m_wndSplitter.GetPane(0, 0);
    const QWidget* pList = pChild->m_wndSplitter.GetPane(0, 1);
    EXPECT_GT(pTree->width(), pList->width());
    EXPECT_NEAR(pList->width(), 240, 16);
}

// Start-up ends when any part of the frame cannot be made.
struct MissingPart {
    const char* pszName;
    void (*remove)(fw::ResourceSet& set);
};

class FrameCreationFailure : public CFrameFixture, public ::testing::WithParamInterface<MissingPart> {};

TEST_P(FrameCreationFailure, EndsStartUpWithNoWindowLeft) {
    fw::ResourceSet resources = QuorrelResources();
    GetParam().remove(resources);
    fw::SetResourceSet(&resources);
    EXPECT_FALSE(Start());
    EXPECT_EQ(m_pApp->m_pMainWnd, nullptr);
    EXPECT_EQ(GetMainFrame(), nullptr);
    m_pApp.reset();
    fwtest::ProcessEvents();
}

template <typename T>
void EraseId(std::vector<T>& items, int nID) {
    std::erase_if(items, [nID](const T& item) { return item.id == nID; });
}

INSTANTIATE_TEST_SUITE_P(
    Parts, FrameCreationFailure,
    ::testing::Values(
        MissingPart{"Toolbar", [](fw::ResourceSet& set) { EraseId(set.toolbars, IDR_MAINFRAME); }},
        MissingPart{"StatusDialogBar", [](fw::ResourceSet& set) { EraseId(set.dialogs, IDD_STATUS_DIALOGBAR); }},
        MissingPart{"EncryptedButtonImage",
                    [](fw::ResourceSet& set) { EraseId(set.toolbarImages, IDB_ENCRYPTED_BUTTON); }}),
    [](const ::testing::TestParamInfo<MissingPart>& info) { return info.param.pszName; });

// --- automatic save ----------------------------------------------------------------------------------------

class AutoSave : public CFrameFixture {
protected:
    // A saved card file open in the active window, its file removed so that a save shows by bringing it back.
    CQuorrelDoc* OpenSavedDocument(const std::string& name) {
        const std::string path = PathOf(name);
        WritePlainCardFile(path, {"mail"});
        auto* pDoc = dynamic_cast<CQuorrelDoc*>(m_pApp->OpenDocumentFile(path));
        fwtest::ProcessEvents();
        std::filesystem::remove(path);
        return pDoc;
    }

    // The ticks (from 1) after which the file came back.
    std::vector<int> TicksThatSaved(const std::string& path, int nTicks) {
        std::vector<int> saved;
        for (int nTick = 1; nTick <= nTicks; ++nTick) {
            m_pMain->OnTimer(1);
            fwtest::ProcessEvents();
            if (std::filesystem::exists(path)) {
                saved.push_back(nTick);
                std::filesystem::remove(path);
            }
        }
        return saved;
    }
};

struct IntervalCase {
    const char* pszText;
    int nInterval;
    std::vector<int> savedTicks;  // in the first 12 ticks
};

class AutoSaveInterval : public AutoSave, public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(AutoSaveInterval, SavesTheActiveDocumentEveryIntervalWhetherChangedOrNot) {
    const IntervalCase& param = GetParam();
    ASSERT_TRUE(Start());
    settings::WriteText(settings::kSectionInternet, settings::kKeyAutoSave, param.pszText);
    CQuorrelDoc* pDoc = OpenSavedDocument("cards.qrf");
    ASSERT_NE(pDoc, nullptr);
    m_pMain->StartAutoSaveTimer(1);
    EXPECT_EQ(m_pMain->m_nAutoSaveInterval, param.nInterval);
    EXPECT_EQ(m_pMain->GetAutoSaveTimerInterval(), 60000);
    EXPECT_EQ(TicksThatSaved(PathOf("cards.qrf"), 12), param.savedTicks);
    EXPECT_TRUE(m_runner.m_fileDialogs.empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, AutoSaveInterval,
                         ::testing::Values(IntervalCase{"10", 10, {10}}, IntervalCase{"5 minutes", 5, {5, 10}},
                                           IntervalCase{"  3", 3, {3, 6, 9, 12}},
                                           IntervalCase{"0", 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
                                           IntervalCase{"-4", -4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
                                           IntervalCase{"soon", 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}));

TEST_F(AutoSave, LoadingStartsTheTimerOnlyWhenSwitchedOn) {
    ASSERT_TRUE(Start());
    EXPECT_NE(OpenSavedDocument("off.qrf"), nullptr);
    EXPECT_FALSE(m_pMain->IsAutoSaveTimerActive());

    settings::WriteInt(settings::kSectionInternet, settings::kKeyAutoSaveCheck, 1);
    EXPECT_NE(OpenSavedDocument("on.qrf"), nullptr);
    EXPECT_TRUE(m_pMain->IsAutoSaveTimerActive());
    EXPECT_EQ(m_pMain->GetAutoSaveTimerInterval(), 60000);
}

TEST_F(AutoSave, OnlyTheActiveDocumentWithCardsIsSaved) {
    ASSERT_TRUE(Start());
    settings::WriteText(settings::kSectionInternet, settings::kKeyAutoSave, "1");
    CQuorrelDoc* pFirst = OpenSavedDocument("first.qrf");
    CQuorrelDoc* pSecond = OpenSavedDocument("second.qrf");
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    m_pMain->StartAutoSaveTimer(1);
    Activate(pFirst);
    EXPECT_EQ(TicksThatSaved(PathOf("first.qrf"), 1), std::vector<int>{1});
    EXPECT_FALSE(std::filesystem::exists(PathOf("second.qrf")));

    // A new document without cards: Save is disabled, so the tick does nothing at all.
    ASSERT_NE(NewDocument(), nullptr);
    m_pMain->OnTimer(1);
    fwtest::ProcessEvents();
    EXPECT_TRUE(m_runner.m_fileDialogs.empty());
    EXPECT_TRUE(m_runner.m_messages.empty());
}

// A runner whose Save As dialog stays open for several ticks of the timer.
class CTickingRunner : public fw::CScriptedRunner {
public:
    CMainFrame* m_pFrame = nullptr;
    // Counted over all dialogs, so a save that did stack dialogs still comes to an end.
    int m_nTicksLeft = 3;
    std::optional<std::string> FileDialog(const fw::FileDialogRequest& request) override {
        while (m_pFrame && m_nTicksLeft > 0) {
            --m_nTicksLeft;
            m_pFrame->OnTimer(1);
        }
        return CScriptedRunner::FileDialog(request);
    }
};

TEST_F(AutoSave, UntitledDocumentAsksForANameOnceWhileItsDialogIsOpen) {
    CTickingRunner runner;
    fw::CScopedRunner scope(runner);
    ASSERT_TRUE(Start());
    runner.m_pFrame = m_pMain;
    runner.m_fileAnswers = {PathOf("named.qrf")};
    settings::WriteText(settings::kSectionInternet, settings::kKeyAutoSave, "1");
    m_pMain->StartAutoSaveTimer(1);
    CQuorrelDoc* pDoc = NewDocument();
    ASSERT_NE(pDoc, nullptr);
    AddCards(pDoc, 0, {"example"});

    m_pMain->OnTimer(1);
    fwtest::ProcessEvents();
    // The ticks that came while the dialog was open did not stack a second Save As on it.
    EXPECT_EQ(runner.m_fileDialogs.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(PathOf("named.qrf")));
    EXPECT_FALSE(pDoc->IsModified());
}

}  // namespace
}  // namespace frametest
