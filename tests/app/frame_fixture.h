#pragma once
// The program started for one test as a user starts it: the real InitInstance on the offscreen platform,
// with a scripted modal runner, a desktop bus that answers, a private settings folder and a folder for
// card files. Helpers make documents, put cards into them and read what the frame shows.
#include "app/quorrelapp.h"
#include "app/settings.h"
#include "cardstore/cardfile.h"
#include "cardstore/cardstore.h"
#include "cardstore/quorreldoc.h"
#include "framework/ddetransport.h"
#include "framework/mdichildwnd.h"
#include "framework/modalrunner.h"
#include "framework/multidoctemplate.h"
#include "framework/profile.h"
#include "framework/restypes.h"
#include "framework/sysservices.h"
#include "res/resource.h"
#include "res/resources.h"
#include "tests/app/private_profile.h"
#include "tests/framework/fw_test_app.h"
#include "ui/childfrm.h"
#include "ui/mainfrm.h"
#include "ui/quorrellistview.h"
#include "ui/quorrelview.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace frametest {

// A desktop whose session bus can or cannot be reached.
class CFakeTransport : public fw::CDdeTransport {
public:
    bool m_bConnected = true;
    bool IsBusConnected() override { return m_bConnected; }
};

// A plain card file with one card per given first field, all in "Login Accounts", by the card store's
// own writer (the file format has tests of its own).
inline void WritePlainCardFile(const std::string& path, const std::vector<std::string>& firstFields = {"mail"}) {
    CCardStore store;
    for (const std::string& field1 : firstFields) {
        auto pCard = std::make_unique<CCard>();
        pCard->SetCategory("Login Accounts");
        pCard->SetField1(field1);
        store.FindCategoryArray("Login Accounts")->AddCard(std::move(pCard));
    }
    CMemorySink sink;
    ASSERT_TRUE(SavePlain(store, sink, [](const std::string&) {}));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(sink.m_bytes.data()), static_cast<std::streamsize>(sink.m_bytes.size()));
}

class CFrameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        fwtest::App();
        m_strDir = testenv::MakePrivateProfile("quorrel-frametest");
        ASSERT_FALSE(m_strDir.empty());
        fw::SetDdeTransport(&m_transport);
        fw::SetSystemServices(&m_services);
        m_pScope = std::make_unique<fw::CScopedRunner>(m_runner);
    }

    void TearDown() override {
        if (m_pApp) {
            m_pApp->CloseAllDocuments(true);
            fwtest::ProcessEvents();
            m_pApp.reset();
        }
        fwtest::ProcessEvents();
        m_pScope.reset();
        fw::SetSystemServices(nullptr);
        fw::SetDdeTransport(nullptr);
        fw::SetResourceSet(&QuorrelResources());
        std::error_code ec;
        std::filesystem::remove_all(m_strDir, ec);
    }

    // The application object's start-up, as QuorrelMain runs it.
    bool Start(const QuorrelCommandLine& cmdLine = {}) {
        m_pApp = std::make_unique<CQuorrelApp>();
        m_pApp->SetCommandLine(cmdLine);
        const bool bStarted = m_pApp->InitInstance();
        fwtest::ProcessEvents();
        m_pMain = GetMainFrame();
        return bStarted;
    }

    std::string PathOf(const std::string& name) const { return m_strDir + "/" + name; }

    // File New, as the menu does it.
    CQuorrelDoc* NewDocument() {
        const size_t nBefore = m_pApp->m_pPlainTemplate->GetDocuments().size();
        m_pMain->SendCommand(ID_FILE_NEW);
        fwtest::ProcessEvents();
        const auto& docs = m_pApp->m_pPlainTemplate->GetDocuments();
        return docs.size() > nBefore ? dynamic_cast<CQuorrelDoc*>(docs.back()) : nullptr;
    }

    // Cards appended to a category's array, then the broadcast every card change ends with.
    static void AddCards(CQuorrelDoc* pDoc, int nCategory, const std::vector<std::string>& firstFields) {
        CCardArray& cards = pDoc->GetCategoryArray(nCategory);
        for (const std::string& field1 : firstFields) {
            auto pCard = std::make_unique<CCard>();
            pCard->SetCategory(cards.GetName());
            pCard->SetField1(field1);
            cards.AddCard(std::move(pCard));
        }
        pDoc->SetModifiedFlag();
        pDoc->UpdateAllViews(nullptr);
        fwtest::ProcessEvents();
    }

    static CQuorrelView* TreeOf(const CQuorrelDoc* pDoc) {
        return pDoc ? dynamic_cast<CQuorrelView*>(pDoc->GetFirstView()) : nullptr;
    }

    static CQuorrelListView* ListOf(const CQuorrelDoc* pDoc) {
        for (CView* pView : pDoc->GetViews()) {
            if (auto* pList = dynamic_cast<CQuorrelListView*>(pView)) {
                return pList;
            }
        }
        return nullptr;
    }

    static CChildFrame* FrameOf(const CQuorrelDoc* pDoc) {
        const std::vector<CFrameWnd*> frames = pDoc->GetFrames();
        return frames.empty() ? nullptr : dynamic_cast<CChildFrame*>(frames.front());
    }

    void Activate(const CQuorrelDoc* pDoc) {
        if (CChildFrame* pFrame = FrameOf(pDoc)) {
            pFrame->MDIActivate();
        }
        fwtest::ProcessEvents();
    }

    std::string DialogBarText(int nID) const { return m_pMain->m_wndStatusDialogBar.GetDlgItemText(nID); }

    std::string m_strDir;
    CFakeTransport m_transport;
    fw::CFakeSystemServices m_services;
    fw::CScriptedRunner m_runner;
    std::unique_ptr<fw::CScopedRunner> m_pScope;
    std::unique_ptr<CQuorrelApp> m_pApp;
    CMainFrame* m_pMain = nullptr;
};

}  // namespace frametest
