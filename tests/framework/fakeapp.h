#pragma once
// The application of the framework tests and a fixture that starts it as the program does: profile,
// resources, recent-file list, the two document types and the main frame; a scripted runner answers every
// modal step. TearDown ends everything and checks that no document was left behind.
#include "framework/modalrunner.h"
#include "framework/multidoctemplate.h"
#include "framework/profile.h"
#include "framework/winapp.h"
#include "tests/framework/fakedocview.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace fwtest {

class CFakeApp : public CWinApp {
public:
    CFakeApp() {
        OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
        OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    }
    void Handle(int nID, std::function<void()> fn) { OnCommand(nID, std::move(fn)); }
    void Rule(int nID, CCmdTarget::UpdateRule fn) { OnUpdateCommand(nID, std::move(fn)); }

    CMultiDocTemplate* m_pPlain = nullptr;
    CMultiDocTemplate* m_pEncrypted = nullptr;
};

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        EventLog().clear();
        CFakeDoc::s_openFail = CFakeDoc::Fail::None;
        CFakeDoc::s_saveFail = CFakeDoc::Fail::None;
        CFakeChildFrame::s_bSplit = false;
        std::string pattern = ConfigHome() + "/fw-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_strDir = pattern;
        CProfile::Instance().SetFilePath(m_strDir + "/Quorrel.ini");
        fw::SetResourceSet(&FakeResources());
        m_scope.emplace(m_runner);

        m_pApp = std::make_unique<CFakeApp>();
        m_pApp->LoadStdProfileSettings(4);
        m_pApp->m_pPlain = MakeTemplate(IDR_PLAINTYPE);
        m_pApp->m_pEncrypted = MakeTemplate(IDR_ENCRYPTEDTYPE);
        m_pApp->AddDocTemplate(m_pApp->m_pPlain);
        m_pApp->AddDocTemplate(m_pApp->m_pEncrypted);
        m_pFrame = new CFakeMainFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME));
        m_pApp->m_pMainWnd = m_pFrame;
    }

    void TearDown() override {
        m_pApp.reset();
        ProcessEvents();
        EXPECT_EQ(CFakeDoc::s_nLive, 0) << "a document outlived the application";
        m_scope.reset();
        fw::SetResourceSet(nullptr);
        CProfile::Instance().SetFilePath({});
        std::filesystem::remove_all(m_strDir);
    }

    static CMultiDocTemplate* MakeTemplate(int nID) {
        return new CMultiDocTemplate(
            nID, [] { return new CFakeDoc; }, [] { return new CFakeChildFrame; }, [] { return new CFakeView; });
    }

    std::string FilePath(const std::string& strName) const { return m_strDir + "/" + strName; }
    std::string MakeFile(const std::string& strName, const std::string& strContent = "cards") const {
        const std::string strPath = FilePath(strName);
        std::ofstream(strPath, std::ios::binary) << strContent;
        return strPath;
    }

    CFakeDoc* NewDocument() { return dynamic_cast<CFakeDoc*>(m_pApp->m_pPlain->OpenDocumentFile({})); }
    CFakeChildFrame* ActiveChild() const { return dynamic_cast<CFakeChildFrame*>(m_pFrame->MDIGetActive()); }
    CFakeView* ActiveView() const {
        CMDIChildWnd* pChild = m_pFrame->MDIGetActive();
        return pChild ? dynamic_cast<CFakeView*>(pChild->GetActiveView()) : nullptr;
    }
    // Whether the main frame is still the program's (not destroyed by an exit).
    bool FrameAlive() const { return m_pApp->m_pMainWnd == m_pFrame && !m_pFrame->IsDestroyed(); }

    fw::CScriptedRunner m_runner;
    std::optional<fw::CScopedRunner> m_scope;
    std::unique_ptr<CFakeApp> m_pApp;
    CFakeMainFrame* m_pFrame = nullptr;
    std::string m_strDir;
};

}  // namespace fwtest
