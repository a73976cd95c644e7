#include "framework/treeview.h"

CTreeView::CTreeView(QWidget* pParent) : CView(pParent), m_pTree(new CTreeCtrl(this)) {
    SetViewControl(m_pTree);
    m_pTree->m_onSelChanged = [this](HTREEITEM hOld, HTREEITEM hNew) { OnSelChanged(hOld, hNew); };
    m_pTree->m_onItemExpanding = [this](HTREEITEM hItem, int nImage, bool bExpanding) {
        OnItemExpanding(hItem, nImage, bExpanding);
    };
    m_pTree->m_onDblClk = [this](HTREEITEM hItem) { OnDblClk(hItem); };
    m_pTree->m_onRClick = [this](HTREEITEM hItem) { OnRClick(hItem); };
}

CTreeView::~CTreeView() {
    // The derived view is gone: no notification may reach it while the tree's items are deleted.
    m_pTree->m_onSelChanged = nullptr;
    m_pTree->m_onItemExpanding = nullptr;
    m_pTree->m_onDblClk = nullptr;
    m_pTree->m_onRClick = nullptr;
}

void CTreeView::OnSelChanged(HTREEITEM /*hOld*/, HTREEITEM /*hNew*/) {}

void CTreeView::OnItemExpanding(HTREEITEM /*hItem*/, int /*nImage*/, bool /*bExpanding*/) {}

void CTreeView::OnDblClk(HTREEITEM /*hItem*/) {}

void CTreeView::OnRClick(HTREEITEM /*hItem*/) {}
