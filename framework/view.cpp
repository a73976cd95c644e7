#include "framework/view.h"

#include "framework/afxres.h"
#include "framework/document.h"
#include "framework/framewnd.h"
#include "framework/splitterwnd.h"

#include <QApplication>
#include <QVBoxLayout>

namespace {

// A view becomes its frame's active view when it (or its control) gets the keyboard focus, as a click
// into it does. One connection serves every view.
void WatchFocus() {
    static bool s_bConnected = false;
    if (s_bConnected || qApp == nullptr) {
        return;
    }
    s_bConnected = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* pNow) {
        for (QWidget* pWidget = pNow; pWidget != nullptr; pWidget = pWidget->parentWidget()) {
            if (auto* pView = dynamic_cast<CView*>(pWidget)) {
                CFrameWnd* pFrame = pView->GetParentFrame();
                if (pFrame != nullptr && !pFrame->IsDestroyed() && pFrame->GetActiveView() != pView &&
                    pView->GetDocument() != nullptr) {
                    pFrame->SetActiveView(pView);
                }
                return;
            }
            if (pWidget->isWindow()) {
                return;
            }
        }
    });
}

}  // namespace

CView::CView(QWidget* pParent) : QWidget(pParent) {
    WatchFocus();
    setFocusPolicy(Qt::StrongFocus);
    OnCommand(ID_NEXT_PANE, [this] {
        if (CSplitterWnd* pSplitter = GetParentSplitter()) {
            pSplitter->ActivateNext(false);
        }
    });
    OnCommand(ID_PREV_PANE, [this] {
        if (CSplitterWnd* pSplitter = GetParentSplitter()) {
            pSplitter->ActivateNext(true);
        }
    });
    auto paneRule = [this](CCmdUI* pCmdUI) {
        CSplitterWnd* pSplitter = GetParentSplitter();
        pCmdUI->Enable(pSplitter != nullptr && pSplitter->GetPaneCount() > 1);
    };
    OnUpdateCommand(ID_NEXT_PANE, paneRule);
    OnUpdateCommand(ID_PREV_PANE, paneRule);
}

CView::~CView() {
    if (CFrameWnd* pFrame = GetParentFrame()) {
        if (pFrame->GetActiveView() == this) {
            pFrame->SetActiveView(nullptr, false);
        }
    }
    if (m_pDocument != nullptr) {
        m_pDocument->RemoveView(this);
    }
}

bool CView::Create(QWidget* pParent, CCreateContext* pContext) {
    if (pContext == nullptr || pContext->m_pCurrentDoc == nullptr) {
        return false;
    }
    if (pParent != nullptr && parentWidget() != pParent) {
        setParent(pParent);
    }
    pContext->m_pCurrentDoc->AddView(this);
    pContext->m_pLastView = this;
    return true;
}

CFrameWnd* CView::GetParentFrame() const {
    for (QWidget* pWidget = parentWidget(); pWidget != nullptr; pWidget = pWidget->parentWidget()) {
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(pWidget)) {
            return pFrame;
        }
    }
    return nullptr;
}

CSplitterWnd* CView::GetParentSplitter() const {
    for (QWidget* pWidget = parentWidget(); pWidget != nullptr; pWidget = pWidget->parentWidget()) {
        if (auto* pSplitter = qobject_cast<CSplitterWnd*>(pWidget)) {
            return pSplitter;
        }
        if (dynamic_cast<CFrameWnd*>(pWidget) != nullptr) {
            return nullptr;
        }
    }
    return nullptr;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView* /*pSender*/, intptr_t /*lHint*/, CObject* /*pHint*/) {}

void CView::OnActivateView(bool bActivate, CView* pActivateView, CView* /*pDeactiveView*/) {
    if (bActivate && pActivateView == this && window()->isActiveWindow()) {
        SetFocus();
    }
}

void CView::SetFocus() {
    if (m_pControl != nullptr) {
        m_pControl->setFocus(Qt::OtherFocusReason);
    } else {
        setFocus(Qt::OtherFocusReason);
    }
}

bool CView::OnCmdMsg(int nID, CCmdUI* pUpdate) {
    if (CCmdTarget::OnCmdMsg(nID, pUpdate)) {
        return true;
    }
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, pUpdate);
}

void CView::SetViewControl(QWidget* pControl) {
    m_pControl = pControl;
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(pControl);
    setFocusProxy(pControl);
}
