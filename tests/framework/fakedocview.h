#pragma once
// Tiny document, view and frames for the framework tests. Each exposes its message map (Handle, Rule) so
// a test can put handlers and update rules anywhere on the route, and records what the framework did to
// it in EventLog().
#include "framework/afxres.h"
#include "framework/dialogbar.h"
#include "framework/document.h"
#include "framework/mdichildwnd.h"
#include "framework/mdiframewnd.h"
#include "framework/splitterwnd.h"
#include "framework/statusbar.h"
#include "framework/toolbar.h"
#include "framework/view.h"
#include "tests/framework/fakeresources.h"

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace fwtest {

inline std::vector<std::string>& EventLog() {
    static std::vector<std::string> s_log;
    return s_log;
}

// Message map access for tests.
#define FWTEST_MAP_ACCESS                                                                                      \
    void Handle(int nID, std::function<void()> fn) { OnCommand(nID, std::move(fn)); }                          \
    void HandleRange(int nFirst, int nLast, std::function<void(int)> fn) { OnCommandRange(nFirst, nLast, std::move(fn)); } \
    void Rule(int nID, CCmdTarget::UpdateRule fn) { OnUpdateCommand(nID, std::move(fn)); }

class CFakeDoc : public CDocument {
public:
    enum class Fail { None, Silent, Reported, WithReason };
    static inline Fail s_openFail = Fail::None;
    static inline Fail s_saveFail = Fail::None;
    static inline int s_nLive = 0;

    CFakeDoc() { ++s_nLive; }
    ~CFakeDoc() override { --s_nLive; }
    FWTEST_MAP_ACCESS

    bool OnOpenDocument(const std::string& strPath) override {
        if (!CDocument::OnOpenDocument(strPath)) {
            return false;
        }
        if (!ApplyFailure(s_openFail)) {
            return false;
        }
        std::ifstream in(strPath, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        m_strContent = content.str();
        return true;
    }
    bool OnSaveDocument(const std::string& strPath) override {
        if (!ApplyFailure(s_saveFail)) {
            return false;
        }
        std::ofstream(strPath, std::ios::binary | std::ios::trunc) << m_strContent;
        m_savedTo.push_back(strPath);
        return CDocument::OnSaveDocument(strPath);
    }

    std::string m_strContent = "cards";
    std::vector<std::string> m_savedTo;

private:
    bool ApplyFailure(Fail fail) {
        switch (fail) {
        case Fail::None:
            return true;
        case Fail::Silent:
            return false;
        case Fail::Reported:
            SetFailureReported();
            return false;
        case Fail::WithReason:
            SetFailureReason("No space left on device");
            return false;
        }
        return true;
    }
};

class CFakeView : public CView {
public:
    struct Update {
        CView* pSender;
        intptr_t lHint;
        std::vector<std::string> labels;
    };
    FWTEST_MAP_ACCESS

    void OnInitialUpdate() override {
        ++m_nInitialUpdates;
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView* pSender, intptr_t lHint, CObject* pHint) override {
        Update update{pSender, lHint, {}};
        if (auto* pLabels = dynamic_cast<CStringArray*>(pHint)) {
            update.labels = pLabels->GetStrings();
        }
        m_updates.push_back(update);
    }
    void OnActivateView(bool bActivate, CView* pActivateView, CView* pDeactiveView) override {
        m_activations.push_back({bActivate, pActivateView, pDeactiveView});
        CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    }

    struct Activation {
        bool bActivate;
        CView* pActivate;
        CView* pDeactive;
    };
    int m_nInitialUpdates = 0;
    std::vector<Update> m_updates;
    std::vector<Activation> m_activations;
};

class CFakeChildFrame : public CMDIChildWnd {
public:
    // Document windows split in two panes (both CFakeView) when set.
    static inline bool s_bSplit = false;
    FWTEST_MAP_ACCESS

    bool OnCreateClient(CCreateContext* pContext) override {
        if (!s_bSplit) {
            return CMDIChildWnd::OnCreateClient(pContext);
        }
        return m_wndSplitter.CreateStatic(this, 1, 2) &&
               m_wndSplitter.CreateView(0, 0, [] { return new CFakeView; }, 400, 0, pContext) &&
               m_wndSplitter.CreateView(0, 1, [] { return new CFakeView; }, 0, 0, pContext);
    }

    CSplitterWnd m_wndSplitter;
};

// The main frame as the program makes it: bars as members, 650 x 480, centred.
class CFakeMainFrame : public CMDIFrameWnd {
public:
    FWTEST_MAP_ACCESS

    bool PreCreateWindow(CREATESTRUCT& cs) override {
        cs.cx = 650;
        cs.cy = 480;
        return CMDIFrameWnd::PreCreateWindow(cs);
    }
    int OnCreate(CCreateContext* pContext) override {
        if (CMDIFrameWnd::OnCreate(pContext) == -1) {
            return -1;
        }
        static const int indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
        if (!m_wndToolBar.CreateEx(this) || !m_wndToolBar.LoadToolBar(IDR_MAINFRAME) ||
            !m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 4) ||
            !m_wndDialogBar.Create(this, IDD_TEST_BAR, IDW_TEST_BAR)) {
            return -1;
        }
        CenterWindow();
        return 0;
    }

    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CDialogBar m_wndDialogBar;
};

#undef FWTEST_MAP_ACCESS

}  // namespace fwtest
