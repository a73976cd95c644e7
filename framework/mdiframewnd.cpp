#include "framework/mdiframewnd.h"

#include "framework/afxres.h"
#include "framework/document.h"
#include "framework/mdichildwnd.h"
#include "framework/textcodec.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <algorithm>

namespace {
// The Window popup is the one holding a command of this range (New Window, Arrange, Cascade, Tile ...).
constexpr int WindowCmdFirst = 57648;
constexpr int WindowCmdLast = 57663;
}  // namespace

CMDIFrameWnd::CMDIFrameWnd(QWidget* pParent) : CFrameWnd(pParent), m_pMdiArea(new QMdiArea) {
    m_pMdiArea->setViewMode(QMdiArea::SubWindowView);
    SetClientWidget(m_pMdiArea);
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* pSubWindow) { OnSubWindowActivated(pSubWindow); });

    const auto windowRule = [this](CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); };
    OnCommand(ID_WINDOW_ARRANGE, [this] { MDIIconArrange(); });
    OnUpdateCommand(ID_WINDOW_ARRANGE, windowRule);
    OnCommand(ID_WINDOW_CASCADE, [this] { MDICascade(); });
    OnUpdateCommand(ID_WINDOW_CASCADE, windowRule);
    OnCommand(ID_WINDOW_TILE_HORZ, [this] { MDITile(); });
    OnUpdateCommand(ID_WINDOW_TILE_HORZ, windowRule);
}

CMDIFrameWnd::~CMDIFrameWnd() {
    // The document windows go with the MDI area; none may come back here while they do.
    for (CMDIChildWnd* pChild : m_children) {
        pChild->DetachFromMDIFrame();
    }
    m_children.clear();
    m_pActiveChild = nullptr;
    disconnect(m_pMdiArea, nullptr, this, nullptr);
}

bool CMDIFrameWnd::OnCreateClient(CCreateContext* /*pContext*/) { return true; }

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(bool* pbMaximized) const {
    if (pbMaximized != nullptr) {
        *pbMaximized = m_pActiveChild != nullptr && m_pActiveChild->IsMDIMaximized();
    }
    return m_pActiveChild;
}

void CMDIFrameWnd::AddChild(CMDIChildWnd* pChild) {
    if (std::find(m_children.begin(), m_children.end(), pChild) == m_children.end()) {
        // A new window is not active until it is activated.
        m_children.push_back(pChild);
    }
}

void CMDIFrameWnd::RemoveChild(CMDIChildWnd* pChild) {
    auto it = std::find(m_children.begin(), m_children.end(), pChild);
    if (it == m_children.end()) {
        return;
    }
    m_children.erase(it);
    if (pChild != m_pActiveChild) {
        return;
    }
    m_pActiveChild = nullptr;
    if (!m_children.empty()) {
        // The window that was active before it takes over, as if the user had activated it.
        MDIActivate(m_children.front());
        return;
    }
    OnUpdateFrameMenu();
    OnUpdateFrameTitle(true);
    RequestIdleUpdate();
}

void CMDIFrameWnd::OnChildActivated(CMDIChildWnd* pChild) {
    auto it = std::find(m_children.begin(), m_children.end(), pChild);
    if (it == m_children.end() || pChild->IsDestroyed() || pChild == m_pActiveChild) {
        return;
    }
    CMDIChildWnd* pOld = m_pActiveChild;
    m_pActiveChild = pChild;
    m_children.erase(it);
    m_children.insert(m_children.begin(), pChild);
    if (pOld != nullptr) {
        pOld->OnMDIActivate(false, pChild, pOld);
    }
    pChild->OnMDIActivate(true, pChild, pOld);
    OnUpdateFrameMenu();
    OnUpdateFrameTitle(true);
    RequestIdleUpdate();
}

void CMDIFrameWnd::OnSubWindowActivated(QMdiSubWindow* pSubWindow) {
    if (pSubWindow == nullptr) {
        return;  // the program lost the focus; the document window stays the active one
    }
    for (CMDIChildWnd* pChild : m_children) {
        if (pChild->GetSubWindow() == pSubWindow) {
            OnChildActivated(pChild);
            return;
        }
    }
}

void CMDIFrameWnd::MDIActivate(CMDIChildWnd* pChild) {
    if (pChild == nullptr) {
        return;
    }
    OnChildActivated(pChild);
    if (QMdiSubWindow* pSub = pChild->GetSubWindow(); pSub != nullptr && m_pMdiArea->activeSubWindow() != pSub) {
        m_pMdiArea->setActiveSubWindow(pSub);
    }
}

void CMDIFrameWnd::MDINext() {
    if (m_children.size() < 2) {
        return;
    }
    CMDIChildWnd* pCurrent = m_children.front();
    MDIActivate(m_children[1]);
    if (m_pActiveChild == pCurrent) {
        return;
    }
    // The window left goes to the back, as the next one in turn.
    auto it = std::find(m_children.begin(), m_children.end(), pCurrent);
    if (it != m_children.end()) {
        m_children.erase(it);
        m_children.push_back(pCurrent);
    }
}

void CMDIFrameWnd::MDIPrev() {
    if (m_children.size() < 2) {
        return;
    }
    MDIActivate(m_children.back());
}

void CMDIFrameWnd::MDIMaximize(CMDIChildWnd* pChild) {
    if (pChild != nullptr) {
        pChild->MDIMaximize();
    }
}

void CMDIFrameWnd::MDIRestore(CMDIChildWnd* pChild) {
    if (pChild != nullptr) {
        pChild->MDIRestore();
    }
}

void CMDIFrameWnd::MDICascade() { m_pMdiArea->cascadeSubWindows(); }

void CMDIFrameWnd::MDITile() { m_pMdiArea->tileSubWindows(); }

void CMDIFrameWnd::MDIIconArrange() {
    int x = 0;
    const int nBottom = m_pMdiArea->viewport()->height();
    for (QMdiSubWindow* pSub : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (pSub->isMinimized()) {
            const QSize size = pSub->size();
            pSub->move(x, std::max(0, nBottom - size.height()));
            x += size.width();
        }
    }
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild != nullptr ? pChild->GetActiveDocument() : nullptr;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild != nullptr ? static_cast<CFrameWnd*>(pChild) : this;
}

bool CMDIFrameWnd::OnCmdMsg(int nID, CCmdUI* pUpdate) {
    // The active document window (its view, that view's document, the window itself) comes first.
    if (CMDIChildWnd* pChild = MDIGetActive(); pChild != nullptr && pChild->RouteCmdMsg(nID, pUpdate)) {
        return true;
    }
    return CFrameWnd::OnCmdMsg(nID, pUpdate);
}

bool CMDIFrameWnd::OnClose() { return CFrameWnd::OnClose(); }

void CMDIFrameWnd::DestroyWindow() {
    if (m_bDestroyed) {
        return;
    }
    // Document windows still open (their documents are closed by now in a normal exit) go first.
    const std::vector<CMDIChildWnd*> children = m_children;
    for (CMDIChildWnd* pChild : children) {
        pChild->DestroyWindow();
    }
    CFrameWnd::DestroyWindow();
}

void CMDIFrameWnd::OnUpdateFrameTitle(bool /*bAddToTitle*/) {
    // The document's title joins the frame's while its window is maximised (the MDI area adds it as
    // " - [title]"); the frame keeps its own title otherwise.
    const QString strBase = fw::BytesToQString(GetTitle());
    const QString strNow = windowTitle();
    if (strNow != strBase && !strNow.startsWith(strBase + QStringLiteral(" - ["))) {
        setWindowTitle(strBase);
    }
}

void CMDIFrameWnd::OnUpdateFrameMenu() {
    CMDIChildWnd* pChild = MDIGetActive();
    const int nMenu = pChild != nullptr ? pChild->GetMenuID() : m_nIDResource;
    if (nMenu != GetMenuBarID() && !LoadMenuBar(nMenu) && nMenu != m_nIDResource) {
        LoadMenuBar(m_nIDResource);
    }
}

void CMDIFrameWnd::OnMenuAboutToShow(QMenu* pMenu) {
    CFrameWnd::OnMenuAboutToShow(pMenu);
    for (QAction* pAction : pMenu->actions()) {
        const int nID = pAction->property("fwCommand").toInt();
        if (nID >= WindowCmdFirst && nID <= WindowCmdLast) {
            UpdateWindowList(pMenu);
            return;
        }
    }
}

void CMDIFrameWnd::UpdateWindowList(QMenu* pMenu) {
    for (QAction* pAction : m_windowListActions) {
        delete pAction;
    }
    m_windowListActions.clear();
    if (m_children.empty()) {
        return;
    }
    m_windowListActions.push_back(pMenu->addSeparator());
    CMDIChildWnd* pActive = MDIGetActive();
    int nNumber = 1;
    for (QMdiSubWindow* pSub : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        auto it = std::find_if(m_children.begin(), m_children.end(),
                               [&](CMDIChildWnd* pChild) { return pChild->GetSubWindow() == pSub; });
        if (it == m_children.end()) {
            continue;
        }
        QString strTitle = pSub->windowTitle();
        strTitle.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* pAction = new QAction(QStringLiteral("&%1 %2").arg(nNumber++).arg(strTitle), pMenu);
        pAction->setCheckable(true);
        pAction->setChecked(*it == pActive);
        QPointer<CMDIChildWnd> pTarget(*it);
        connect(pAction, &QAction::triggered, this, [this, pTarget] {
            if (pTarget != nullptr && !pTarget->IsDestroyed()) {
                MDIActivate(pTarget);
            }
        });
        pMenu->addAction(pAction);
        m_windowListActions.push_back(pAction);
    }
}
