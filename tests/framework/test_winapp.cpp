// The application: New and Open through the runner, the recent-file list, the settings it reads and
// writes, and shutdown with its save prompts.
#include "tests/framework/fakeapp.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace fwtest {
namespace {

using AppTest = FrameworkTest;

TEST_F(AppTest, NameComesFromTheStringTable) {
    EXPECT_EQ(m_pApp->GetAppName(), "Quorrel");
    EXPECT_EQ(AfxGetApp(), m_pApp.get());
    EXPECT_EQ(AfxGetMainWnd(), m_pFrame);
}

TEST_F(AppTest, FileNewUsesTheTemplateWithANewNameWithoutAsking) {
    EXPECT_TRUE(m_pFrame->SendCommand(ID_FILE_NEW));
    EXPECT_TRUE(m_runner.m_messages.empty());
    EXPECT_TRUE(m_runner.m_dialogCaptions.empty());
    ASSERT_EQ(m_pApp->m_pPlain->GetDocuments().size(), 1u);
    EXPECT_TRUE(m_pApp->m_pEncrypted->GetDocuments().empty());
    EXPECT_EQ(m_pFrame->GetActiveDocument()->GetTitle(), "Untitled1");
    EXPECT_FALSE(m_pFrame->GetActiveDocument()->IsModified());
}

struct OpenCase {
    const char* pszFile;
    bool bEncryptedTemplate;
};

class OpenByExtensionTest : public FrameworkTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenByExtensionTest, TemplateFollowsTheExtension) {
    const std::string strPath = MakeFile(GetParam().pszFile);
    m_runner.m_fileAnswers = {strPath};
    EXPECT_TRUE(m_pFrame->SendCommand(ID_FILE_OPEN));

    ASSERT_EQ(m_runner.m_fileDialogs.size(), 1u);
    const auto& filters = m_runner.m_fileDialogs[0].filters;
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(filters[0].first, "Not Encrypted File (*.qrf)");
    EXPECT_EQ(filters[1].first, "Encrypted File (*.qre)");
    EXPECT_EQ(filters[2].first, "All Files (*.*)");
    EXPECT_TRUE(m_runner.m_fileDialogs[0].open);

    CDocument* pDoc = m_pFrame->GetActiveDocument();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->GetDocTemplate(), GetParam().bEncryptedTemplate ? static_cast<CDocTemplate*>(m_pApp->m_pEncrypted)
                                                                      : m_pApp->m_pPlain);
    EXPECT_EQ(pDoc->GetPathName(), strPath);
    EXPECT_EQ(dynamic_cast<CFakeDoc*>(pDoc)->m_strContent, "cards");
    EXPECT_EQ(m_pApp->GetRecentFileList(), std::vector<std::string>{strPath});
}

INSTANTIATE_TEST_SUITE_P(Extensions, OpenByExtensionTest,
                         ::testing::Values(OpenCase{"plain.qrf", false}, OpenCase{"secret.qre", true},
                                           OpenCase{"SHOUT.QRE", true}, OpenCase{"notes.txt", false},
                                           OpenCase{"noextension", false}));

TEST_F(AppTest, CancelledOpenDialogOpensNothing) {
    EXPECT_TRUE(m_pFrame->SendCommand(ID_FILE_OPEN));
    EXPECT_EQ(m_pApp->GetOpenDocumentCount(), 0);
}

TEST_F(AppTest, AlreadyOpenFileIsActivatedNotOpenedTwice) {
    const std::string strA = MakeFile("a.qrf");
    CDocument* pA = m_pApp->OpenDocumentFile(strA);
    CDocument* pB = m_pApp->OpenDocumentFile(MakeFile("b.qrf"));
    ASSERT_TRUE(pA && pB);
    EXPECT_EQ(m_pFrame->GetActiveDocument(), pB);
    EXPECT_EQ(m_pApp->OpenDocumentFile(m_strDir + "/./a.qrf"), pA);
    EXPECT_EQ(m_pApp->GetOpenDocumentCount(), 2);
    EXPECT_EQ(m_pFrame->GetActiveDocument(), pA);
}

// --- recent files -----------------------------------------------------------------------------------------

TEST_F(AppTest, RecentListKeepsFourMostRecentFirst) {
    for (const char* psz : {"/c/1.qrf", "/c/2.qrf", "/c/3.qrf", "/c/4.qrf", "/c/5.qrf"}) {
        m_pApp->AddToRecentFileList(psz);
    }
    EXPECT_EQ(m_pApp->GetRecentFileList(), (std::vector<std::string>{"/c/5.qrf", "/c/4.qrf", "/c/3.qrf", "/c/2.qrf"}));
    m_pApp->AddToRecentFileList("/c/../c/3.qrf");
    EXPECT_EQ(m_pApp->GetRecentFileList(), (std::vector<std::string>{"/c/3.qrf", "/c/5.qrf", "/c/4.qrf", "/c/2.qrf"}));
    m_pApp->RemoveFromRecentFileList(1);
    m_pApp->RemoveFromRecentFileList(7);
    EXPECT_EQ(m_pApp->GetRecentFileList(), (std::vector<std::string>{"/c/3.qrf", "/c/4.qrf", "/c/2.qrf"}));
    EXPECT_TRUE(m_pFrame->IsCommandEnabled(ID_FILE_MRU_FILE3));
    EXPECT_FALSE(m_pFrame->IsCommandEnabled(ID_FILE_MRU_FILE4));
}

TEST_F(AppTest, RecentListIsReadAtStartAndWrittenAtExit) {
    CProfile& profile = CProfile::Instance();
    profile.WriteProfileString("Recent File List", "File1", "/c/one.qrf");
    profile.WriteProfileString("Recent File List", "File2", "/c/two.qre");
    profile.WriteProfileString("Recent File List", "File4", "/c/four.qrf");
    m_pApp->LoadStdProfileSettings(4);
    EXPECT_EQ(m_pApp->GetRecentFileList(), (std::vector<std::string>{"/c/one.qrf", "/c/two.qre", "/c/four.qrf"}));

    m_pApp->AddToRecentFileList("/c/new.qrf");
    m_pApp->OnAppExit();
    EXPECT_EQ(m_pApp->ExitInstance(), 0);
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File1"), "/c/new.qrf");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File2"), "/c/one.qrf");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File3"), "/c/two.qre");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File4"), "/c/four.qrf");
}

TEST_F(AppTest, RecentEntryThatNoLongerOpensLeavesTheList) {
    const std::string strGood = MakeFile("good.qrf");
    const std::string strGone = FilePath("gone.qrf");
    m_pApp->AddToRecentFileList(strGone);
    m_pApp->AddToRecentFileList(strGood);

    EXPECT_TRUE(m_pFrame->SendCommand(ID_FILE_MRU_FILE2));
    ASSERT_EQ(m_runner.m_messages.size(), 1u);
    EXPECT_NE(m_runner.m_messages[0].text.find("gone.qrf"), std::string::npos);
    EXPECT_EQ(m_pApp->GetRecentFileList(), std::vector<std::string>{strGood});

    EXPECT_TRUE(m_pFrame->SendCommand(ID_FILE_MRU_FILE1));
    EXPECT_EQ(m_pFrame->GetActiveDocument()->GetPathName(), strGood);
    EXPECT_FALSE(m_pFrame->IsCommandEnabled(ID_FILE_MRU_FILE2));
}

// --- shutdown ------------------------------------------------------------------------------------------------

TEST_F(AppTest, ExitAsksForEveryModifiedDocumentAndCancelStopsIt) {
    CFakeDoc* pFirst = NewDocument();
    CFakeDoc* pSecond = NewDocument();
    NewDocument();  // unmodified: no question
    pFirst->SetModifiedFlag();
    pSecond->SetModifiedFlag();
    m_runner.m_messageAnswers = {fw::IDNO, fw::IDCANCEL};

    EXPECT_TRUE(m_pFrame->SendCommand(ID_APP_EXIT));
    EXPECT_EQ(m_runner.MessageTexts(),
              (std::vector<std::string>{"Save changes to Untitled1?", "Save changes to Untitled2?"}));
    EXPECT_TRUE(FrameAlive());
    EXPECT_EQ(m_pApp->GetOpenDocumentCount(), 3);
    EXPECT_TRUE(pFirst->IsModified()) << "No is only an answer for this exit";
}

TEST_F(AppTest, ExitSavesOnYesThenClosesEverything) {
    const std::string strPath = MakeFile("cards.qrf", "old");
    auto* pDoc = dynamic_cast<CFakeDoc*>(m_pApp->OpenDocumentFile(strPath));
    ASSERT_NE(pDoc, nullptr);
    pDoc->m_strContent = "new";
    pDoc->SetModifiedFlag();
    m_runner.m_messageAnswers = {fw::IDYES};

    m_pApp->OnAppExit();
    EXPECT_EQ(m_pApp->GetOpenDocumentCount(), 0);
    EXPECT_EQ(m_pApp->m_pMainWnd, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    std::ifstream in(strPath);
    std::string strContent;
    in >> strContent;
    EXPECT_EQ(strContent, "new");
    ProcessEvents();  // the frame goes once the event loop is back
}

TEST_F(AppTest, ClosingTheMainWindowIsAnExit) {
    NewDocument()->SetModifiedFlag();
    m_runner.m_messageAnswers = {fw::IDCANCEL};
    EXPECT_FALSE(m_pFrame->close());
    EXPECT_TRUE(FrameAlive());
    m_runner.m_messageAnswers = {fw::IDNO};
    EXPECT_TRUE(m_pFrame->close());
    EXPECT_EQ(m_pApp->m_pMainWnd, nullptr);
    ProcessEvents();
}

TEST_F(AppTest, RunEndsWhenTheMainFrameGoesAndWritesTheRecentList) {
    m_pApp->AddToRecentFileList("/c/last.qrf");
    QTimer::singleShot(0, m_pFrame, [this] { m_pFrame->SendCommand(ID_APP_EXIT); });
    EXPECT_EQ(m_pApp->Run(), 0);
    EXPECT_EQ(m_pApp->m_pMainWnd, nullptr);
    EXPECT_EQ(CProfile::Instance().GetProfileString("Recent File List", "File1"), "/c/last.qrf");
}

}  // namespace
}  // namespace fwtest
