#include "framework/mdichildwnd.h"

#include "framework/doctemplate.h"
#include "framework/document.h"
#include "framework/mdiframewnd.h"
#include "framework/resources.h"
#include "framework/textcodec.h"
#include "framework/view.h"
#include "framework/winapp.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

CMDIChildWnd::CMDIChildWnd() : CFrameWnd(nullptr) {}

CMDIChildWnd::~CMDIChildWnd() {
    if (m_pSubWindow != nullptr) {
        m_pSubWindow->removeEventFilter(this);
    }
    if (m_pMDIFrame != nullptr) {
        CMDIFrameWnd* pFrame = m_pMDIFrame;
        m_pMDIFrame = nullptr;
        pFrame->RemoveChild(this);
    }
}

bool CMDIChildWnd::LoadFrame(int nIDResource, CFrameWnd* pParentWnd, CCreateContext* pContext) {
    m_pMDIFrame = dynamic_cast<CMDIFrameWnd*>(pParentWnd != nullptr ? pParentWnd : AfxGetMainWnd());
    if (m_pMDIFrame == nullptr) {
        return false;
    }
    m_pTemplate = pContext != nullptr ? pContext->m_pNewDocTemplate : nullptr;

    m_pSubWindow = new QMdiSubWindow;
    m_pSubWindow->setAttribute(Qt::WA_DeleteOnClose, false);
    m_pSubWindow->setWidget(this);
    m_pMDIFrame->GetMDIClient()->addSubWindow(m_pSubWindow);
    m_pSubWindow->hide();
    // Closing by the window's button or menu goes through the document's save prompt.
    m_pSubWindow->installEventFilter(this);
    const QIcon icon = fw::LoadIcon(m_pTemplate != nullptr ? m_pTemplate->GetIconID() : nIDResource);
    if (!icon.isNull()) {
        m_pSubWindow->setWindowIcon(icon);
    }
    // The client starts as large as the MDI area, since the window is shown maximised or near it.
    QSize size = m_pMDIFrame->GetMDIClient()->viewport()->size();
    if (size.width() < 100 || size.height() < 100) {
        size = m_pMDIFrame->size();
    }
    m_pSubWindow->resize(size);
    m_pMDIFrame->AddChild(this);

    if (!CFrameWnd::LoadFrame(nIDResource, pParentWnd, pContext)) {
        return false;
    }
    return true;
}

int CMDIChildWnd::GetMenuID() const {
    return m_pTemplate != nullptr ? m_pTemplate->GetMenuID() : m_nIDResource;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
    if (m_pSubWindow == nullptr || m_bDestroyed) {
        return;
    }
    bool bMaximized = false;
    CMDIChildWnd* pActive = m_pMDIFrame != nullptr ? m_pMDIFrame->MDIGetActive(&bMaximized) : nullptr;
    if (nCmdShow == -1 && m_pSubWindow->isHidden()) {
        // A new window follows the active one: maximised when it is.
        nCmdShow = pActive != nullptr && pActive != this && bMaximized ? SW_SHOWMAXIMIZED : SW_SHOW;
    }
    switch (nCmdShow) {
    case SW_SHOWMAXIMIZED:
        m_pSubWindow->showMaximized();
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
        m_pSubWindow->showMinimized();
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        m_pSubWindow->showNormal();
        break;
    case SW_HIDE:
        m_pSubWindow->hide();
        return;
    case -1:
        break;
    default:
        m_pSubWindow->show();
        break;
    }
    if (m_pMDIFrame != nullptr) {
        m_pMDIFrame->MDIActivate(this);
    }
}

void CMDIChildWnd::MDIActivate() {
    if (m_pMDIFrame != nullptr) {
        m_pMDIFrame->MDIActivate(this);
    }
}

void CMDIChildWnd::MDIMaximize() {
    if (m_pSubWindow != nullptr) {
        m_pSubWindow->showMaximized();
    }
}

void CMDIChildWnd::MDIRestore() {
    if (m_pSubWindow != nullptr) {
        m_pSubWindow->showNormal();
    }
}

bool CMDIChildWnd::IsMDIMaximized() const { return m_pSubWindow != nullptr && m_pSubWindow->isMaximized(); }

QMenu* CMDIChildWnd::GetSystemMenu() const { return m_pSubWindow != nullptr ? m_pSubWindow->systemMenu() : nullptr; }

CDocument* CMDIChildWnd::GetActiveDocument() {
    if (CDocument* pDoc = CFrameWnd::GetActiveDocument()) {
        return pDoc;
    }
    for (CView* pView : GetFrameViews()) {
        if (pView->GetDocument() != nullptr) {
            return pView->GetDocument();
        }
    }
    return nullptr;
}

bool CMDIChildWnd::OnClose() { return CFrameWnd::OnClose(); }

void CMDIChildWnd::DestroyWindow() {
    if (m_bDestroyed) {
        return;
    }
    ReleaseViews();
    if (m_pMDIFrame != nullptr) {
        CMDIFrameWnd* pFrame = m_pMDIFrame;
        m_pMDIFrame = nullptr;
        pFrame->RemoveChild(this);
    }
    if (m_pSubWindow != nullptr) {
        m_pSubWindow->removeEventFilter(this);
        m_pSubWindow->hide();
        if (QMdiArea* pArea = m_pSubWindow->mdiArea()) {
            pArea->removeSubWindow(m_pSubWindow);
        }
        // Deleted once control is back in the event loop: the window may be in the middle of its own
        // event (its close button) or of a view's notification.
        m_pSubWindow->deleteLater();
    } else {
        deleteLater();
    }
}

void CMDIChildWnd::OnUpdateFrameTitle(bool bAddToTitle) {
    std::string strTitle = GetTitle();
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && pDoc != nullptr) {
        strTitle = pDoc->GetTitle();
        const std::vector<CFrameWnd*> frames = pDoc->GetFrames();
        if (frames.size() > 1) {
            const auto it = std::find(frames.begin(), frames.end(), this);
            strTitle += ":" + std::to_string((it - frames.begin()) + 1);
        }
    }
    const QString strShown = fw::BytesToQString(strTitle);
    setWindowTitle(strShown);
    if (m_pSubWindow != nullptr) {
        m_pSubWindow->setWindowTitle(strShown);
    }
}

void CMDIChildWnd::OnMDIActivate(bool bActivate, CMDIChildWnd* /*pActivateWnd*/, CMDIChildWnd* /*pDeactivateWnd*/) {
    if (CView* pView = GetActiveView()) {
        pView->OnActivateView(bActivate, pView, pView);
    }
}

bool CMDIChildWnd::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == m_pSubWindow && pEvent->type() == QEvent::Close && !m_bDestroyed) {
        pEvent->ignore();
        OnClose();
        return true;
    }
    return CFrameWnd::eventFilter(pWatched, pEvent);
}
