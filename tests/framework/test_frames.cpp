// Frames: the menu bar following the active document window, the recent-file and window lists, the
// accelerators, the toolbar and status bar, bars shown and hidden, size and docking.
#include <QMdiArea>
#include <QMdiSubWindow>
#include "tests/framework/fakeapp.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusTipEvent>
#include <gtest/gtest.h>

namespace fwtest {
namespace {

using FrameTest = FrameworkTest;

std::vector<std::string> MenuTitles(QMenuBar* pBar) {
    std::vector<std::string> titles;
    for (QAction* pAction : pBar->actions()) {
        titles.push_back(pAction->text().toStdString());
    }
    return titles;
}

std::vector<std::string> ItemTexts(QMenu* pMenu) {
    std::vector<std::string> texts;
    for (QAction* pAction : pMenu->actions()) {
        if (pAction->isVisible()) {
            texts.push_back(pAction->isSeparator() ? "-" : pAction->text().toStdString());
        }
    }
    return texts;
}

TEST_F(FrameTest, MenuBarFollowsTheActiveDocumentWindow) {
    EXPECT_EQ(m_pFrame->GetMenuBarID(), IDR_MAINFRAME);
    EXPECT_EQ(MenuTitles(m_pFrame->menuBar()), (std::vector<std::string>{"&File", "&View", "&Help"}));

    CFakeDoc* pPlain = NewDocument();
    EXPECT_EQ(m_pFrame->GetMenuBarID(), IDR_PLAINTYPE);
    EXPECT_EQ(MenuTitles(m_pFrame->menuBar())[2], "&Card");

    CDocument* pEncrypted = m_pApp->m_pEncrypted->OpenDocumentFile(MakeFile("a.qre"));
    ASSERT_NE(pEncrypted, nullptr);
    EXPECT_EQ(m_pFrame->GetMenuBarID(), IDR_ENCRYPTEDTYPE);
    EXPECT_EQ(MenuTitles(m_pFrame->menuBar())[1], "Card");

    // Back to the plain window, then no window at all.
    pPlain->GetFrames().front()->ActivateFrame();
    EXPECT_EQ(m_pFrame->GetMenuBarID(), IDR_PLAINTYPE);
    pPlain->OnCloseDocument();
    EXPECT_EQ(m_pFrame->GetMenuBarID(), IDR_ENCRYPTEDTYPE);
    pEncrypted->OnCloseDocument();
    EXPECT_EQ(m_pFrame->GetMenuBarID(), IDR_MAINFRAME);
    EXPECT_EQ(MenuTitles(m_pFrame->menuBar()).size(), 3u);
}

TEST_F(FrameTest, MenuItemsShowTheirLabelAndPrompt) {
    std::vector<QAction*> items = m_pFrame->FindMenuItems(ID_FILE_OPEN);
    ASSERT_EQ(items.size(), 1u);
    // The part after the tab is the right-aligned label; it is no shortcut of its own.
    EXPECT_EQ(items[0]->text().toStdString(), "&Open...\tCtrl+O");
    EXPECT_TRUE(items[0]->shortcut().isEmpty());
    EXPECT_EQ(items[0]->statusTip().toStdString(), "Open an existing document");
}

TEST_F(FrameTest, RecentFilePlaceholderStaysGrayedWhileTheListIsEmpty) {
    QMenu* pFile = m_pFrame->PrepareMenuFor(ID_FILE_MRU_FILE1);
    ASSERT_NE(pFile, nullptr);
    EXPECT_EQ(ItemTexts(pFile), (std::vector<std::string>{"&New\tAlt+N", "&Open...\tCtrl+O", "-", "Recent File", "-", "E&xit"}));
    EXPECT_FALSE(m_pFrame->FindMenuItems(ID_FILE_MRU_FILE1).front()->isEnabled());

    m_pApp->AddToRecentFileList("/home/user/b&b.qrf");
    m_pApp->AddToRecentFileList("/home/user/cards.qre");
    m_pFrame->PrepareMenuFor(ID_FILE_MRU_FILE1);
    EXPECT_EQ(ItemTexts(pFile), (std::vector<std::string>{"&New\tAlt+N", "&Open...\tCtrl+O", "-",
                                                          "&1 /home/user/cards.qre", "&2 /home/user/b&&b.qrf", "-",
                                                          "E&xit"}));
    for (QAction* pAction : pFile->actions()) {
        if (pAction->text().startsWith(QLatin1Char('&')) && pAction->text().contains(QLatin1String("/home"))) {
            EXPECT_TRUE(pAction->isEnabled());
        }
    }
}

TEST_F(FrameTest, WindowMenuListsTheDocumentWindows) {
    NewDocument();
    NewDocument();
    QMenu* pWindow = m_pFrame->PrepareMenuFor(ID_WINDOW_ARRANGE);
    ASSERT_NE(pWindow, nullptr);
    EXPECT_EQ(ItemTexts(pWindow), (std::vector<std::string>{"&Arrange Icons", "-", "&1 Untitled1", "&2 Untitled2"}));
    // Stored inactive, enabled by its rule while a document window is open.
    EXPECT_TRUE(m_pFrame->FindMenuItems(ID_WINDOW_ARRANGE).front()->isEnabled());
    QAction* pFirst = pWindow->actions()[2];
    EXPECT_FALSE(pFirst->isChecked());
    pFirst->trigger();
    EXPECT_EQ(m_pFrame->GetActiveDocument()->GetTitle(), "Untitled1");
}

TEST_F(FrameTest, AcceleratorsAreWindowShortcutsOfTheMainFrame) {
    std::map<int, QList<QKeySequence>> keys;
    for (QAction* pAction : m_pFrame->GetAccelActions()) {
        EXPECT_EQ(pAction->shortcutContext(), Qt::WindowShortcut);
        EXPECT_TRUE(m_pFrame->actions().contains(pAction));
        keys[pAction->property("fwCommand").toInt()] = pAction->shortcuts();
    }
    EXPECT_EQ(keys[ID_APP_EXIT], QList<QKeySequence>{QKeySequence(Qt::Key_X)});
    EXPECT_EQ(keys[ID_FILE_CLOSE], QList<QKeySequence>{QKeySequence(Qt::SHIFT | Qt::Key_C)});
    EXPECT_EQ(keys[ID_EDIT_CUT], (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}));
}

TEST_F(FrameTest, ToolbarItemsCountSeparators) {
    CToolBar& bar = m_pFrame->m_wndToolBar;
    EXPECT_EQ(bar.GetButtonCount(), 7);
    EXPECT_EQ(bar.GetItemID(3), ID_ENCRYPT_FILE);
    EXPECT_EQ(bar.GetItemID(4), 0);
    EXPECT_EQ(bar.CommandToIndex(ID_EDIT_CUT), 5);
    int nID = 0;
    unsigned nStyle = 0;
    int nImage = 0;
    bar.GetButtonInfo(5, nID, nStyle, nImage);
    EXPECT_EQ(nImage, 4) << "separators take no image";
    EXPECT_EQ(bar.GetItemAction(3)->toolTip().toStdString(), "Encrypt File");
    EXPECT_EQ(bar.GetItemAction(3)->statusTip().toStdString(), "Encrypt File On save");

    const int nAdded = bar.AddImage(SvgPath(2));
    EXPECT_EQ(nAdded, 6);
    EXPECT_EQ(bar.AddImage(FilePath("no-such.svg")), -1);
    bar.SetButtonInfo(3, ID_ENCRYPT_FILE, TBBS_BUTTON, nAdded);
    bar.GetButtonInfo(3, nID, nStyle, nImage);
    EXPECT_EQ(nID, ID_ENCRYPT_FILE);
    EXPECT_EQ(nImage, nAdded);
    EXPECT_FALSE(bar.GetItemAction(3)->icon().isNull());
}

TEST_F(FrameTest, StatusBarShowsPromptsAndReady) {
    EXPECT_EQ(m_pFrame->GetMessageText(), "Ready");
    QStatusTipEvent hover(QStringLiteral("Create a new document"));
    QApplication::sendEvent(m_pFrame, &hover);
    EXPECT_EQ(m_pFrame->GetMessageText(), "Create a new document");
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(m_pFrame, &leave);
    EXPECT_EQ(m_pFrame->GetMessageText(), "Ready");

    CStatusBar& status = m_pFrame->m_wndStatusBar;
    ASSERT_EQ(status.GetPaneCount(), 4);
    EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_NUM), 2);
    const auto* pCaps = status.findChildren<QLabel*>()[1];
    // Either the lock state is known (text while on) or the text is shown dimmed.
    EXPECT_TRUE(!pCaps->isEnabled() ? pCaps->text() == QLatin1String("CAP")
                                    : pCaps->text().isEmpty() || pCaps->text() == QLatin1String("CAP"));
}

TEST_F(FrameTest, ViewCommandsToggleTheBarsWithCheckMarks) {
    EXPECT_TRUE(m_pFrame->IsCommandChecked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(m_pFrame->IsCommandChecked(ID_VIEW_STATUS_BAR));
    EXPECT_TRUE(m_pFrame->SendCommand(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(m_pFrame->m_wndToolBar.isHidden());
    EXPECT_FALSE(m_pFrame->IsCommandChecked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(m_pFrame->IsCommandChecked(ID_VIEW_STATUS_BAR));
    EXPECT_TRUE(m_pFrame->SendCommand(ID_VIEW_STATUS_BAR));
    EXPECT_TRUE(m_pFrame->m_wndStatusBar.isHidden());
    EXPECT_FALSE(m_pFrame->m_wndDialogBar.isHidden()) << "the dialog bar is not the status bar";
    m_pFrame->ShowControlBar(&m_pFrame->m_wndToolBar, true, true);
    EXPECT_TRUE(m_pFrame->IsCommandChecked(ID_VIEW_TOOLBAR));
    // The menu item carries the check mark once its menu opens.
    m_pFrame->PrepareMenuFor(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(m_pFrame->FindMenuItems(ID_VIEW_TOOLBAR).front()->isChecked());
    EXPECT_FALSE(m_pFrame->FindMenuItems(ID_VIEW_STATUS_BAR).front()->isChecked());
}

TEST_F(FrameTest, FrameIsMadeWithItsSizeAndBarsInPlace) {
    EXPECT_EQ(m_pFrame->size(), QSize(650, 480));
    EXPECT_FALSE(m_pFrame->isVisible()) << "nothing is shown unless asked";
    if (QScreen* pScreen = QGuiApplication::primaryScreen()) {
        const QPoint center = m_pFrame->frameGeometry().center();
        EXPECT_LE((center - pScreen->availableGeometry().center()).manhattanLength(), 2);
    }
    EXPECT_EQ(m_pFrame->GetControlBar(AFX_IDW_TOOLBAR), &m_pFrame->m_wndToolBar);
    EXPECT_EQ(m_pFrame->GetControlBar(AFX_IDW_STATUS_BAR), &m_pFrame->m_wndStatusBar);
    EXPECT_EQ(m_pFrame->GetControlBar(IDW_TEST_BAR), &m_pFrame->m_wndDialogBar);
    EXPECT_EQ(m_pFrame->toolBarArea(&m_pFrame->m_wndToolBar), Qt::TopToolBarArea);
    // The dialog bar sits above the MDI area, under the toolbar.
    EXPECT_EQ(m_pFrame->m_wndDialogBar.parentWidget(), m_pFrame->GetMDIClient()->parentWidget());
    EXPECT_EQ(m_pFrame->windowTitle().toStdString(), "Quorrel Test Edition");
}

TEST_F(FrameTest, DocumentWindowTakesTheDocumentTitleAndWindowsAreNumbered) {
    CFakeDoc* pDoc = NewDocument();
    CMDIChildWnd* pFirst = m_pFrame->MDIGetActive();
    EXPECT_EQ(pFirst->GetSubWindow()->windowTitle().toStdString(), "Untitled1");
    EXPECT_FALSE(pFirst->GetSubWindow()->windowIcon().isNull());

    // A second window on the same document: both are numbered, and closing one keeps the document.
    CFrameWnd* pSecond = m_pApp->m_pPlain->CreateNewFrame(pDoc, pFirst);
    m_pApp->m_pPlain->InitialUpdateFrame(pSecond, pDoc);
    EXPECT_EQ(pFirst->GetSubWindow()->windowTitle().toStdString(), "Untitled1:1");
    pDoc->SetModifiedFlag();
    EXPECT_TRUE(pSecond->OnClose());
    EXPECT_TRUE(m_runner.m_messages.empty()) << "another window still shows the document";
    ProcessEvents();
    EXPECT_EQ(pDoc->GetViews().size(), 1u);
    EXPECT_EQ(pFirst->GetSubWindow()->windowTitle().toStdString(), "Untitled1");
    EXPECT_EQ(m_pFrame->MDIGetActive(), pFirst);
    pDoc->SetModifiedFlag(false);
}

TEST_F(FrameTest, MaximisedWindowKeepsNewWindowsMaximised) {
    NewDocument();
    m_pFrame->MDIGetActive()->MDIMaximize();
    NewDocument();
    bool bMaximized = false;
    EXPECT_NE(m_pFrame->MDIGetActive(&bMaximized), nullptr);
    EXPECT_TRUE(bMaximized);
}

}  // namespace
}  // namespace fwtest
