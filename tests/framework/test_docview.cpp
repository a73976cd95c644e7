// Documents, views and templates: update broadcasts, the save prompt, failed saves and opens, titles,
// moving a document between templates, and the tree and list controls the views stand on.
#include <QMdiArea>
#include <QMdiSubWindow>
#include "framework/listview.h"
#include "framework/treeview.h"
#include "tests/framework/fakeapp.h"

#include <QTreeWidgetItem>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace fwtest {
namespace {

std::string ReadAll(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

using DocumentTest = FrameworkTest;

TEST_F(DocumentTest, UpdateAllViewsReachesEveryViewButTheSender) {
    CFakeChildFrame::s_bSplit = true;
    CFakeDoc* pDoc = NewDocument();
    ASSERT_EQ(pDoc->GetViews().size(), 2u);
    auto* pFirst = dynamic_cast<CFakeView*>(pDoc->GetViews()[0]);
    auto* pSecond = dynamic_cast<CFakeView*>(pDoc->GetViews()[1]);
    ASSERT_TRUE(pFirst && pSecond);
    EXPECT_EQ(pDoc->GetFirstView(), pFirst);
    // Each had its initial update (an empty update) when the window opened.
    EXPECT_EQ(pFirst->m_nInitialUpdates, 1);
    EXPECT_EQ(pSecond->m_updates.size(), 1u);

    CStringArray labels({"Bank:", "Branch Number:", "Account Holder:", "Account Number:"});
    pDoc->UpdateAllViews(pFirst, 42, &labels);
    EXPECT_EQ(pFirst->m_updates.size(), 1u);
    ASSERT_EQ(pSecond->m_updates.size(), 2u);
    EXPECT_EQ(pSecond->m_updates.back().pSender, pFirst);
    EXPECT_EQ(pSecond->m_updates.back().lHint, 42);
    EXPECT_EQ(pSecond->m_updates.back().labels, labels.GetStrings());

    pDoc->UpdateAllViews(nullptr);
    EXPECT_EQ(pFirst->m_updates.size(), 2u);
    EXPECT_EQ(pFirst->m_updates.back().lHint, 0);
}

TEST_F(DocumentTest, NewDocumentsAreNumberedFromTheDefaultName) {
    EXPECT_EQ(NewDocument()->GetTitle(), "Untitled1");
    EXPECT_EQ(NewDocument()->GetTitle(), "Untitled2");
    EXPECT_EQ(m_pApp->m_pPlain->GetDocString(CDocTemplate::fileNewName), "Quorrel");
    EXPECT_EQ(m_pApp->m_pEncrypted->GetDocString(CDocTemplate::filterExt), ".qre");
    EXPECT_EQ(m_pApp->m_pEncrypted->GetDocString(CDocTemplate::regFileTypeName), "QuorrelEncrypted Document");
    EXPECT_EQ(m_pApp->m_pEncrypted->GetDocString(7), "");
}

// --- the save prompt ---------------------------------------------------------------------------------------

struct PromptCase {
    const char* pszName;
    int nAnswer;
    bool bClosed;
    bool bSaved;
};

class SavePromptTest : public FrameworkTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(SavePromptTest, CloseOfModifiedDocumentAsksFirst) {
    const std::string strPath = MakeFile("cards.qrf", "old");
    auto* pDoc = dynamic_cast<CFakeDoc*>(m_pApp->OpenDocumentFile(strPath));
    ASSERT_NE(pDoc, nullptr);
    pDoc->m_strContent = "new";
    pDoc->SetModifiedFlag();
    m_runner.m_messageAnswers = {GetParam().nAnswer};

    EXPECT_TRUE(m_pFrame->SendCommand(ID_FILE_CLOSE));

    ASSERT_EQ(m_runner.m_messages.size(), 1u);
    EXPECT_EQ(m_runner.m_messages[0].text, "Save changes to " + strPath + "?");
    EXPECT_EQ(m_runner.m_messages[0].caption, "Quorrel");
    EXPECT_EQ(m_runner.m_messages[0].type & fw::MB_TYPEMASK, static_cast<unsigned>(fw::MB_YESNOCANCEL));
    EXPECT_EQ(m_pApp->GetOpenDocumentCount(), GetParam().bClosed ? 0 : 1);
    EXPECT_EQ(ReadAll(strPath), GetParam().bSaved ? "new" : "old");
}

INSTANTIATE_TEST_SUITE_P(Answers, SavePromptTest,
                         ::testing::Values(PromptCase{"YesSaves", fw::IDYES, true, true},
                                           PromptCase{"NoDiscards", fw::IDNO, true, false},
                                           PromptCase{"CancelKeepsItOpen", fw::IDCANCEL, false, false}),
                         [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(DocumentTest, UnmodifiedDocumentClosesWithoutAsking) {
    NewDocument();
    EXPECT_TRUE(m_pFrame->SendCommand(ID_FILE_CLOSE));
    EXPECT_TRUE(m_runner.m_messages.empty());
    EXPECT_EQ(m_pApp->GetOpenDocumentCount(), 0);
    EXPECT_EQ(m_pFrame->MDIGetActive(), nullptr);
}

TEST_F(DocumentTest, ClosingTheWindowGoesThroughThePrompt) {
    CFakeDoc* pDoc = NewDocument();
    pDoc->SetModifiedFlag();
    m_runner.m_messageAnswers = {fw::IDCANCEL};
    ActiveChild()->GetSubWindow()->close();
    EXPECT_EQ(m_runner.m_messages.size(), 1u);
    EXPECT_EQ(m_pApp->GetOpenDocumentCount(), 1);
    m_runner.m_messageAnswers = {fw::IDNO};
    ActiveChild()->GetSubWindow()->close();
    ProcessEvents();
    EXPECT_EQ(m_pApp->GetOpenDocumentCount(), 0);
}

// --- saving -----------------------------------------------------------------------------------------------------

TEST_F(DocumentTest, SaveOfUntitledDocumentAsksForAName) {
    CFakeDoc* pDoc = NewDocument();
    pDoc->SetModifiedFlag();
    const std::string strPath = FilePath("new.qrf");
    m_runner.m_fileAnswers = {strPath};
    EXPECT_TRUE(m_pFrame->SendCommand(ID_FILE_SAVE));
    ASSERT_EQ(m_runner.m_fileDialogs.size(), 1u);
    const fw::FileDialogRequest& request = m_runner.m_fileDialogs[0];
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.initialPath, "Untitled1.qrf");
    EXPECT_EQ(request.defaultExtension, ".qrf");
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].first, "Not Encrypted File (*.qrf)");
    EXPECT_EQ(request.filters[0].second, "*.qrf");
    EXPECT_EQ(ReadAll(strPath), "cards");
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(pDoc->GetPathName(), strPath);
    EXPECT_EQ(pDoc->GetTitle(), "new.qrf");
    EXPECT_EQ(m_pApp->GetRecentFileList(), std::vector<std::string>{strPath});
}

TEST_F(DocumentTest, CancelledSaveAsChangesNothing) {
    CFakeDoc* pDoc = NewDocument();
    pDoc->SetModifiedFlag();
    EXPECT_TRUE(m_pFrame->SendCommand(ID_FILE_SAVE_AS));  // the dialog answers Cancel
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_TRUE(pDoc->GetPathName().empty());
    EXPECT_TRUE(pDoc->m_savedTo.empty());
}

struct FailCase {
    const char* pszName;
    CFakeDoc::Fail fail;
    const char* pszMessage;  // null: the framework says nothing
};

class FailedSaveTest : public FrameworkTest, public ::testing::WithParamInterface<FailCase> {};

TEST_P(FailedSaveTest, KeepsTheDocumentModifiedAndTheFileAsItWas) {
    const std::string strPath = MakeFile("cards.qrf", "old");
    auto* pDoc = dynamic_cast<CFakeDoc*>(m_pApp->OpenDocumentFile(strPath));
    ASSERT_NE(pDoc, nullptr);
    pDoc->m_strContent = "new";
    pDoc->SetModifiedFlag();
    CFakeDoc::s_saveFail = GetParam().fail;

    EXPECT_TRUE(m_pFrame->SendCommand(ID_FILE_SAVE));
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(ReadAll(strPath), "old");
    if (GetParam().pszMessage == nullptr) {
        EXPECT_TRUE(m_runner.m_messages.empty());
    } else {
        ASSERT_EQ(m_runner.m_messages.size(), 1u);
        EXPECT_EQ(m_runner.m_messages[0].text, "Cannot save the file \"" + strPath + "\"." + GetParam().pszMessage);
        EXPECT_EQ(m_runner.m_messages[0].caption, "Quorrel");
    }

    // Closing after a failed save asks again; Yes fails again, so the document stays open.
    m_runner.m_messages.clear();
    m_runner.m_messageAnswers = {fw::IDYES};
    EXPECT_TRUE(m_pFrame->SendCommand(ID_FILE_CLOSE));
    EXPECT_EQ(m_pApp->GetOpenDocumentCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Failures, FailedSaveTest,
                         ::testing::Values(FailCase{"Silent", CFakeDoc::Fail::Silent, ""},
                                           FailCase{"WithReason", CFakeDoc::Fail::WithReason,
                                                    "\n\nNo space left on device."},
                                           FailCase{"AlreadyReported", CFakeDoc::Fail::Reported, nullptr}),
                         [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(DocumentTest, ReadOnlyFileIsSavedUnderAnotherName) {
    const std::string strPath = MakeFile("locked.qrf", "old");
    auto* pDoc = dynamic_cast<CFakeDoc*>(m_pApp->OpenDocumentFile(strPath));
    ASSERT_NE(pDoc, nullptr);
    std::filesystem::permissions(strPath, std::filesystem::perms::owner_read);
    if (::access(strPath.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "running with rights that ignore file permissions";
    }
    const std::string strOther = FilePath("copy.qrf");
    m_runner.m_fileAnswers = {strOther};
    EXPECT_TRUE(pDoc->DoFileSave());
    EXPECT_EQ(m_runner.m_fileDialogs.size(), 1u);
    EXPECT_EQ(pDoc->GetPathName(), strOther);
    EXPECT_EQ(ReadAll(strPath), "old");
}

// --- opening -----------------------------------------------------------------------------------------------------

TEST_F(DocumentTest, OpenOfMissingFileSaysWhyAndLeavesNothingOpen) {
    const std::string strPath = FilePath("missing.qrf");
    EXPECT_EQ(m_pApp->OpenDocumentFile(strPath), nullptr);
    ASSERT_EQ(m_runner.m_messages.size(), 1u);
    EXPECT_EQ(m_runner.m_messages[0].text, "Cannot open the file \"" + strPath + "\".\n\nNo such file or directory.");
    EXPECT_EQ(m_runner.m_messages[0].caption, "Quorrel");
    EXPECT_EQ(m_pFrame->MDIGetActive(), nullptr);
    EXPECT_TRUE(m_pApp->GetRecentFileList().empty());
}

TEST_F(DocumentTest, FailedOpenDiscardsDocumentAndWindow) {
    const std::string strPath = MakeFile("bad.qre");
    for (CFakeDoc::Fail fail : {CFakeDoc::Fail::Reported, CFakeDoc::Fail::Silent}) {
        m_runner.m_messages.clear();
        CFakeDoc::s_openFail = fail;
        EXPECT_EQ(m_pApp->OpenDocumentFile(strPath), nullptr);
        ProcessEvents();
        EXPECT_EQ(CFakeDoc::s_nLive, 0);
        EXPECT_EQ(m_pFrame->MDIGetActive(), nullptr);
        EXPECT_EQ(m_pFrame->GetMDIChildren().size(), 0u);
        // A document that told the user already (or whose prompt was cancelled) gets no second message.
        EXPECT_EQ(m_runner.m_messages.size(), fail == CFakeDoc::Fail::Reported ? 0u : 1u);
    }
}

// --- templates ---------------------------------------------------------------------------------------------------

TEST_F(DocumentTest, DocumentMovesToAnotherTemplateAndGetsANewWindow) {
    CFakeDoc* pDoc = NewDocument();
    CMDIChildWnd* pOld = m_pFrame->MDIGetActive();
    EXPECT_EQ(m_pFrame->GetMenuBarID(), IDR_PLAINTYPE);

    m_pApp->m_pPlain->RemoveDocument(pDoc);
    m_pApp->m_pEncrypted->AddDocument(pDoc);
    CFrameWnd* pNew = m_pApp->m_pEncrypted->CreateNewFrame(pDoc, nullptr);
    ASSERT_NE(pNew, nullptr);
    m_pApp->m_pEncrypted->InitialUpdateFrame(pNew, pDoc);
    pOld->DestroyWindow();
    ProcessEvents();

    EXPECT_EQ(pDoc->GetDocTemplate(), m_pApp->m_pEncrypted);
    EXPECT_EQ(m_pApp->m_pPlain->GetDocuments().size(), 0u);
    EXPECT_EQ(pDoc->GetViews().size(), 1u);
    EXPECT_EQ(m_pFrame->MDIGetActive(), pNew);
    EXPECT_EQ(m_pFrame->GetMenuBarID(), IDR_ENCRYPTEDTYPE);
    EXPECT_EQ(m_pFrame->GetActiveDocument(), pDoc);
}

TEST_F(DocumentTest, ActivationTellsBothViews) {
    CFakeChildFrame::s_bSplit = true;
    NewDocument();
    CMDIChildWnd* pChild = m_pFrame->MDIGetActive();
    auto* pTree = dynamic_cast<CFakeView*>(ActiveChild()->m_wndSplitter.GetPane(0, 0));
    auto* pList = dynamic_cast<CFakeView*>(ActiveChild()->m_wndSplitter.GetPane(0, 1));
    ASSERT_TRUE(pTree && pList);
    EXPECT_EQ(pChild->GetActiveView(), pTree);
    pTree->m_activations.clear();

    pChild->SetActiveView(pList);
    ASSERT_EQ(pTree->m_activations.size(), 1u);
    EXPECT_FALSE(pTree->m_activations[0].bActivate);
    EXPECT_EQ(pTree->m_activations[0].pActivate, pList);
    ASSERT_EQ(pList->m_activations.size(), 1u);
    EXPECT_TRUE(pList->m_activations[0].bActivate);
    EXPECT_EQ(pList->m_activations[0].pDeactive, pTree);

    // F6 moves to the other pane; from the last pane it wraps to the first.
    EXPECT_TRUE(m_pFrame->SendCommand(ID_NEXT_PANE));
    EXPECT_EQ(pChild->GetActiveView(), pTree);
}

// --- tree control ---------------------------------------------------------------------------------------------------

class TreeTest : public ::testing::Test {
protected:
    void SetUp() override { App(); }
    CTreeCtrl m_tree;
};

TEST_F(TreeTest, SortedInsertIgnoresCaseAndKeepsEqualTextsInOrder) {
    HTREEITEM hRoot = m_tree.InsertItem("WWW Pages", 0, 0);
    const std::vector<std::string> texts = {"beta", "Alpha", "alpha", "Gamma", "beta"};
    for (size_t i = 0; i < texts.size(); ++i) {
        m_tree.SetItemData(m_tree.InsertItem(texts[i], 2, 2, hRoot, TVI_SORT), static_cast<intptr_t>(i));
    }
    std::vector<intptr_t> order;
    for (HTREEITEM h = m_tree.GetChildItem(hRoot); h != nullptr; h = m_tree.GetNextSiblingItem(h)) {
        order.push_back(m_tree.GetItemData(h));
        EXPECT_EQ(m_tree.GetParentItem(h), hRoot);
    }
    EXPECT_EQ(order, (std::vector<intptr_t>{1, 2, 0, 4, 3}));
}

TEST_F(TreeTest, BulkSortedInsertOfTenThousandChildren) {
    HTREEITEM hRoot = m_tree.InsertItem("Login Accounts", 0, 0);
    m_tree.InsertItem("m-existing", 2, 2, hRoot, TVI_SORT);
    std::mt19937 random(7);
    std::vector<TreeItemInfo> items;
    for (int i = 0; i < 10000; ++i) {
        items.push_back({"card " + std::to_string(random() % 100000), 2, 2, i});
    }
    const std::vector<HTREEITEM> handles = m_tree.InsertSortedChildren(hRoot, items);
    ASSERT_EQ(handles.size(), items.size());
    for (size_t i = 0; i < items.size(); i += 997) {
        EXPECT_EQ(m_tree.GetItemData(handles[i]), static_cast<intptr_t>(i));
        EXPECT_EQ(m_tree.GetItemText(handles[i]), items[i].strText);
    }
    EXPECT_EQ(m_tree.GetChildCount(hRoot), 10001);
    std::vector<std::string> shown;
    for (HTREEITEM h = m_tree.GetChildItem(hRoot); h != nullptr; h = m_tree.GetNextSiblingItem(h)) {
        shown.push_back(m_tree.GetItemText(h));
    }
    ASSERT_EQ(shown.size(), 10001u);
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_NE(std::find(shown.begin(), shown.end(), "m-existing"), shown.end());
}

TEST_F(TreeTest, TextsKeepTheirBytes) {
    const std::string strCp1252 = "Caf\xe9";   // Windows-1252
    const std::string strUtf8 = "Caf\xc3\xa9";  // the same word in UTF-8
    HTREEITEM hA = m_tree.InsertItem(strCp1252, 0, 0);
    HTREEITEM hB = m_tree.InsertItem(strUtf8, 0, 0);
    EXPECT_EQ(m_tree.GetItemText(hA), strCp1252);
    EXPECT_EQ(m_tree.GetItemText(hB), strUtf8);
    EXPECT_EQ(CTreeCtrl::ItemFromHandle(hA)->text(0), CTreeCtrl::ItemFromHandle(hB)->text(0));
}

TEST_F(TreeTest, ProgrammaticExpandNotifiesOnlyTheFirstTime) {
    std::vector<std::pair<int, bool>> seen;
    m_tree.m_onItemExpanding = [&](HTREEITEM hItem, int nImage, bool bExpanding) {
        seen.emplace_back(nImage, bExpanding);
        // The handler switches the image; later notifications see the stored one.
        m_tree.SetItemImage(hItem, nImage == 0 ? 1 : 0, nImage == 0 ? 1 : 0);
    };
    HTREEITEM hRoot = m_tree.InsertItem("FTP Servers", 0, 0);
    EXPECT_FALSE(m_tree.Expand(hRoot, TVE_EXPAND)) << "nothing to expand";
    m_tree.InsertItem("ftp.example.org", 2, 2, hRoot, TVI_SORT);
    EXPECT_TRUE(m_tree.Expand(hRoot, TVE_EXPAND));
    EXPECT_TRUE(m_tree.Expand(hRoot, TVE_COLLAPSE));
    EXPECT_TRUE(m_tree.Expand(hRoot, TVE_TOGGLE));
    EXPECT_TRUE(m_tree.IsExpanded(hRoot));
    EXPECT_EQ(seen, (std::vector<std::pair<int, bool>>{{0, true}}));
    // The user's expand and collapse always notify.
    CTreeCtrl::ItemFromHandle(hRoot)->setExpanded(false);
    EXPECT_EQ(seen.back(), (std::pair<int, bool>{1, false}));
}

TEST_F(TreeTest, SelectionChangesAreReportedWithThePreviousItem) {
    std::vector<std::pair<HTREEITEM, HTREEITEM>> changes;
    m_tree.m_onSelChanged = [&](HTREEITEM hOld, HTREEITEM hNew) { changes.emplace_back(hOld, hNew); };
    HTREEITEM hA = m_tree.InsertItem("WWW Pages", 0, 0);
    HTREEITEM hB = m_tree.InsertItem("FTP Servers", 0, 0);
    HTREEITEM hCard = m_tree.InsertItem("card", 2, 2, hB, TVI_SORT);
    m_tree.SelectItem(hA);
    m_tree.SelectItem(hCard);
    EXPECT_EQ(m_tree.GetSelectedItem(), hCard);
    EXPECT_TRUE(m_tree.IsExpanded(hB)) << "selecting a card opens its category";
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], (std::pair<HTREEITEM, HTREEITEM>{nullptr, hA}));
    EXPECT_EQ(changes[1], (std::pair<HTREEITEM, HTREEITEM>{hA, hCard}));
    m_tree.DeleteAllItems();
    EXPECT_EQ(m_tree.GetSelectedItem(), nullptr);
    EXPECT_EQ(m_tree.GetRootItem(), nullptr);
}

// --- list control ----------------------------------------------------------------------------------------------------

TEST(ListCtrlTest, ReportRowsKeepTheirBytesAndPositions) {
    App();
    CListCtrl list;
    list.resize(500, 300);
    EXPECT_EQ(list.InsertColumn(0, "Field", LVCFMT_LEFT, 100), 0);
    EXPECT_EQ(list.InsertColumn(1, "Data", LVCFMT_LEFT, 400), 1);
    EXPECT_EQ(list.GetColumnWidth(0), 100);
    list.SetTextColor(QColor(0, 0, 255));
    const std::string strSecret = "p\xe4ss";
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(list.InsertItem(i, "row " + std::to_string(i)), i);
    }
    EXPECT_TRUE(list.SetItemText(3, 1, strSecret));
    EXPECT_FALSE(list.SetItemText(9, 1, "x"));
    EXPECT_EQ(list.GetItemCount(), 6);
    EXPECT_EQ(list.GetItemText(3, 1), strSecret);
    EXPECT_EQ(list.GetItemText(3, 0), "row 3");
    EXPECT_EQ(list.topLevelItem(3)->foreground(1).color(), QColor(0, 0, 255));
    QPoint row2;
    QPoint row3;
    ASSERT_TRUE(list.GetItemPosition(2, row2));
    ASSERT_TRUE(list.GetItemPosition(3, row3));
    EXPECT_GT(row3.y(), row2.y());
    EXPECT_EQ(list.HitTest(row3 + QPoint(5, 2)), 3);
    EXPECT_FALSE(list.GetItemPosition(6, row3));
    list.DeleteAllItems();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetColumnHeading(1), "Data");
}

}  // namespace
}  // namespace fwtest
