#include "framework/splitterwnd.h"

#include "framework/document.h"
#include "framework/framewnd.h"
#include "framework/view.h"

#include <QResizeEvent>
#include <QSplitter>
#include <QVBoxLayout>

CSplitterWnd::CSplitterWnd(QWidget* pParent) : QWidget(pParent) {}

CSplitterWnd::~CSplitterWnd() = default;

bool CSplitterWnd::CreateStatic(QWidget* pParent, int nRows, int nCols) {
    if (nRows < 1 || nCols < 1 || m_pRows != nullptr) {
        return false;
    }
    m_nRows = nRows;
    m_nCols = nCols;
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    m_pRows = new QSplitter(Qt::Vertical, this);
    m_pRows->setChildrenCollapsible(false);
    pLayout->addWidget(m_pRows);
    for (int r = 0; r < nRows; ++r) {
        auto* pRow = new QSplitter(Qt::Horizontal, m_pRows);
        pRow->setChildrenCollapsible(false);
        m_pRows->addWidget(pRow);
        m_rowSplitters.push_back(pRow);
        for (int c = 0; c < nCols; ++c) {
            auto* pPlaceholder = new QWidget(pRow);
            pRow->addWidget(pPlaceholder);
            m_panes.push_back(pPlaceholder);
        }
    }
    m_colWidths.assign(static_cast<size_t>(nCols), 0);
    m_rowHeights.assign(static_cast<size_t>(nRows), 0);
    if (auto* pFrame = dynamic_cast<CFrameWnd*>(pParent)) {
        pFrame->SetClientWidget(this);
    } else if (pParent != nullptr) {
        setParent(pParent);
    }
    return true;
}

bool CSplitterWnd::CreateView(int nRow, int nCol, const ViewFactory& viewFactory, int cx, int cy,
                              CCreateContext* pContext) {
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols || !viewFactory) {
        return false;
    }
    const size_t nIndex = static_cast<size_t>(nRow * m_nCols + nCol);
    CView* pView = viewFactory();
    if (pView == nullptr) {
        return false;
    }
    QSplitter* pRow = m_rowSplitters[static_cast<size_t>(nRow)];
    // Made without a parent: the splitter takes a new child as an extra pane, so the view gets its place
    // through replaceWidget instead.
    if (!pView->Create(nullptr, pContext)) {
        delete pView;
        return false;
    }
    QWidget* pOld = pRow->replaceWidget(nCol, pView);
    if (pOld != nullptr && pOld != pView) {
        // A placeholder, or a view made before for this pane.
        if (auto* pOldView = dynamic_cast<CView*>(pOld); pOldView != nullptr && pOldView->GetDocument()) {
            pOldView->GetDocument()->RemoveView(pOldView);
        }
        pOld->deleteLater();
    }
    pView->show();
    m_panes[nIndex] = pView;
    if (cx > 0) {
        m_colWidths[static_cast<size_t>(nCol)] = cx;
    }
    if (cy > 0) {
        m_rowHeights[static_cast<size_t>(nRow)] = cy;
    }
    m_bSizesApplied = false;
    if (width() > 1) {
        ApplyInitialSizes();
    }
    return true;
}

QWidget* CSplitterWnd::GetPane(int nRow, int nCol) const {
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols) {
        return nullptr;
    }
    QWidget* pPane = m_panes[static_cast<size_t>(nRow * m_nCols + nCol)];
    return dynamic_cast<CView*>(pPane) != nullptr ? pPane : nullptr;
}

int CSplitterWnd::PaneIndexOf(const QWidget* pWidget) const {
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i] == pWidget) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CSplitterWnd::ActivateNext(bool bPrev) {
    const int nCount = GetPaneCount();
    if (nCount < 2) {
        return;
    }
    CFrameWnd* pFrame = nullptr;
    int nCurrent = -1;
    for (QWidget* pPane : m_panes) {
        if (auto* pView = dynamic_cast<CView*>(pPane)) {
            pFrame = pView->GetParentFrame();
            break;
        }
    }
    if (pFrame != nullptr) {
        nCurrent = PaneIndexOf(pFrame->GetActiveView());
    }
    if (nCurrent < 0) {
        nCurrent = 0;
    }
    for (int nStep = 1; nStep < nCount; ++nStep) {
        const int nNext = ((nCurrent + (bPrev ? -nStep : nStep)) % nCount + nCount) % nCount;
        if (auto* pView = dynamic_cast<CView*>(m_panes[static_cast<size_t>(nNext)])) {
            if (pFrame != nullptr) {
                pFrame->SetActiveView(pView);
            }
            pView->SetFocus();
            return;
        }
    }
}

void CSplitterWnd::ApplyInitialSizes() {
    if (m_bSizesApplied || m_pRows == nullptr) {
        return;
    }
    m_bSizesApplied = true;
    const auto distribute = [](const std::vector<int>& wanted, int nTotal) {
        // Panes with a size keep it; what is left goes to the panes without one (the last pane at least).
        QList<int> sizes;
        int nFixed = 0;
        int nFree = 0;
        for (int n : wanted) {
            nFixed += n;
            nFree += n == 0 ? 1 : 0;
        }
        const int nRest = std::max(0, nTotal - nFixed);
        for (size_t i = 0; i < wanted.size(); ++i) {
            if (wanted[i] > 0) {
                sizes << wanted[i];
            } else {
                sizes << (nFree > 0 ? nRest / nFree : 0);
            }
        }
        if (nFree == 0 && !sizes.isEmpty()) {
            sizes.back() += nRest;
        }
        return sizes;
    };
    for (QSplitter* pRow : m_rowSplitters) {
        pRow->setSizes(distribute(m_colWidths, width()));
    }
    m_pRows->setSizes(distribute(m_rowHeights, height()));
}

void CSplitterWnd::resizeEvent(QResizeEvent* pEvent) {
    QWidget::resizeEvent(pEvent);
    if (!m_bSizesApplied && pEvent->size().width() > 1) {
        ApplyInitialSizes();
    }
}
