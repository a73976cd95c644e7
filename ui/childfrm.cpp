#include "ui/childfrm.h"

#include "framework/mdiframewnd.h"
#include "ui/quorrellistview.h"
#include "ui/quorrelview.h"

#include <QMdiArea>
#include <algorithm>
#include <QMenuBar>

namespace {
// The list keeps this much of the window; the tree takes the rest.
constexpr int kListPaneWidth = 240;
}  // namespace

CChildFrame::CChildFrame() = default;

CChildFrame::~CChildFrame() = default;

bool CChildFrame::OnCreateClient(CCreateContext* pContext) {
    if (!m_wndSplitter.CreateStatic(this, 1, 2)) {
        return false;
    }
    // The window is maximised as soon as it shows, so the MDI area's width is what it will have; before
    // its first layout its own width says nothing yet.
    int nClientRight = width();
    if (CMDIFrameWnd* pFrame = GetMDIFrame(); pFrame && pFrame->GetMDIClient()) {
        nClientRight = std::max(nClientRight, pFrame->GetMDIClient()->viewport()->width());
    }
    const int nTreeWidth = std::max(nClientRight - kListPaneWidth, 1);
    if (!m_wndSplitter.CreateView(0, 0, [] { return new CQuorrelView; }, nTreeWidth, 0, pContext)) {
        return false;
    }
    return m_wndSplitter.CreateView(0, 1, [] { return new CQuorrelListView; }, 0, 0, pContext);
}

void CChildFrame::ActivateFrame(int nCmdShow) {
    MDIMaximize();
    CMDIChildWnd::ActivateFrame(nCmdShow);
    if (CMDIFrameWnd* pFrame = GetMDIFrame()) {
        pFrame->menuBar()->update();
    }
}
