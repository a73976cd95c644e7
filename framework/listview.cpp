#include "framework/listview.h"

CListView::CListView(QWidget* pParent) : CView(pParent), m_pList(new CListCtrl(this)) {
    SetViewControl(m_pList);
    m_pList->m_onDblClk = [this](int nItem) { OnDblClk(nItem); };
    m_pList->m_onRClick = [this](int nItem) { OnRClick(nItem); };
}

CListView::~CListView() {
    m_pList->m_onDblClk = nullptr;
    m_pList->m_onRClick = nullptr;
}

void CListView::OnDblClk(int /*nItem*/) {}

void CListView::OnRClick(int /*nItem*/) {}
