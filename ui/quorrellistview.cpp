#include "ui/quorrellistview.h"

#include "app/quorrelapp.h"
#include "cardstore/card.h"
#include "cardstore/quorreldoc.h"
#include "framework/framewnd.h"
#include "framework/modalrunner.h"
#include "res/resource.h"
#include "ui/carddlg.h"
#include "ui/cardtext.h"
#include "ui/mainfrm.h"
#include "ui/notedlg.h"
#include "ui/quorrelview.h"

#include <QColor>
#include <QPoint>

namespace {

const QColor kTextColor(0, 0, 255);

const char* OnOff(int32_t bFlag) { return bFlag == 1 ? "On" : "Off"; }

// 1 becomes 0, anything else 1.
int32_t Toggled(int32_t bFlag) { return bFlag == 1 ? 0 : 1; }

// Whether the pointer is one of the document's cards (an update without labels is checked first).
bool HoldsCard(const CQuorrelDoc& doc, const CCard* pCard) {
    for (int c = 0; c < CATEGORY_COUNT; ++c) {
        const CCardArray& cards = doc.GetCategoryArray(c);
        for (int i = 0; i < cards.GetCount(); ++i) {
            if (cards.GetCard(i) == pCard) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

CQuorrelListView::CQuorrelListView(QWidget* pParent) : CListView(pParent) {}

CQuorrelListView::~CQuorrelListView() = default;

CQuorrelDoc* CQuorrelListView::GetDocument() const { return dynamic_cast<CQuorrelDoc*>(CView::GetDocument()); }

void CQuorrelListView::OnInitialUpdate() {
    CListCtrl& list = GetListCtrl();
    if (list.GetColumnCount() == 0) {
        list.InsertColumn(0, "Field", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "Data", LVCFMT_LEFT, 400);
    }
    list.SetTextColor(kTextColor);
    CListView::OnInitialUpdate();
}

std::vector<std::pair<std::string, std::string>> CQuorrelListView::MakeRows(
    const CCard& card, const std::array<std::string, 4>& labels) {
    std::vector<std::pair<std::string, std::string>> rows = {
        {labels[0], card.GetField1()},
        {labels[1], card.GetField2()},
        {labels[2], card.GetField3()},
        {labels[3], MaskSecret(card.GetField4())},
        {"Note:", NoteExcerpt(card.GetNote())},
    };
    if (IsBrowserCategory(card.GetCategory())) {
        rows.emplace_back("Automatic Access:", OnOff(card.GetAutoAccess()));
        rows.emplace_back("New Browser Window:", OnOff(card.GetNewWindow()));
    }
    rows.emplace_back("Date:", card.GetDate());
    return rows;
}

void CQuorrelListView::OnUpdate(CView* /*pSender*/, intptr_t lHint, CObject* pHint) {
    m_pShownCard = reinterpret_cast<CCard*>(lHint);
    if (const auto* pLabels = dynamic_cast<const CStringArray*>(pHint)) {
        for (int i = 0; i < 4; ++i) {
            m_strLabel[static_cast<size_t>(i)] = pLabels->GetAt(i);
        }
    } else if (m_pShownCard) {
        // The tree always sends the labels; without them the card is shown only when it really is one of
        // the document's, with the labels the document gives its category.
        const CQuorrelDoc* pDoc = GetDocument();
        if (!pDoc || !HoldsCard(*pDoc, m_pShownCard)) {
            m_pShownCard = nullptr;
        } else {
            pDoc->GetCategoryLabels(m_pShownCard->GetCategory(), m_strLabel[0], m_strLabel[1], m_strLabel[2],
                                    m_strLabel[3]);
        }
    }
    GetListCtrl().DeleteAllItems();
    if (m_pShownCard) {
        ShowCard();
    }
}

void CQuorrelListView::ShowCard() {
    CListCtrl& list = GetListCtrl();
    list.SetTextColor(kTextColor);
    const auto rows = MakeRows(*m_pShownCard, m_strLabel);
    for (size_t r = 0; r < rows.size(); ++r) {
        list.InsertItem(static_cast<int>(r), rows[r].first);
    }
    for (size_t r = 0; r < rows.size(); ++r) {
        list.SetItemText(static_cast<int>(r), 1, rows[r].second);
    }
}

bool CQuorrelListView::EditNote(CCard& card) {
    CNoteDlg dlg(GetMainFrame());
    dlg.m_strNote = card.GetNote();
    if (dlg.DoModal() != fw::IDOK) {
        return false;
    }
    card.SetNote(dlg.m_strNote);
    return true;
}

bool CQuorrelListView::EditCard(CCard& card) {
    CQuorrelDoc* pDoc = GetDocument();
    if (!pDoc) {
        return false;
    }
    CCardDlg dlg(GetMainFrame());
    dlg.LoadCard(card, *pDoc);
    if (dlg.DoModal() != fw::IDOK) {
        return false;
    }
    dlg.StoreCard(card);
    return true;
}

void CQuorrelListView::OnDblClk(int nItem) {
    CMainFrame* pFrame = GetMainFrame();
    CQuorrelDoc* pDoc = GetDocument();
    CCard* pCard = m_pShownCard;
    // Taken before any dialog opens: the refresh below reselects this card.
    const std::string strCategory = pCard ? pCard->GetCategory() : std::string();
    const int nIndex = pFrame ? pFrame->GetActiveCardIndex() : -1;
    const CQuorrelApp* pApp = GetQuorrelApp();
    const bool bEditable = !pApp || pApp->m_bNonIntelProcessor != 1;

    if (bEditable && pCard && pDoc && pFrame) {
        const bool bBrowser = IsBrowserCategory(strCategory);
        bool bChanged = false;
        if (nItem == ROW_NOTE) {
            bChanged = EditNote(*pCard);
        } else if (bBrowser && nItem == ROW_AUTO_ACCESS) {
            pCard->SetAutoAccess(Toggled(pCard->GetAutoAccess()));
            GetListCtrl().SetItemText(nItem, 1, OnOff(pCard->GetAutoAccess()));
            bChanged = true;
        } else if (bBrowser && nItem == ROW_NEW_WINDOW) {
            pCard->SetNewWindow(Toggled(pCard->GetNewWindow()));
            GetListCtrl().SetItemText(nItem, 1, OnOff(pCard->GetNewWindow()));
            bChanged = true;
        } else if (nItem >= 0 && nItem < GetListCtrl().GetItemCount()) {
            // Fields 1 to 4 and the date row: the date itself is not editable, the card is.
            bChanged = EditCard(*pCard);
        }
        if (bChanged) {
            pFrame->ReplaceCardInCategory(pDoc, strCategory, pCard, nIndex);
            pDoc->SetModifiedFlag();
        }
    }
    Refresh(strCategory, nIndex);
}

void CQuorrelListView::Refresh(const std::string& strCategory, int nIndex) {
    CQuorrelDoc* pDoc = GetDocument();
    if (!pDoc) {
        return;
    }
    pDoc->UpdateAllViews(nullptr);
    auto* pTree = dynamic_cast<CQuorrelView*>(pDoc->GetFirstView());
    if (!pTree) {
        return;
    }
    if (CFrameWnd* pFrame = GetParentFrame()) {
        pFrame->SetActiveView(pTree, true);
    }
    if (HTREEITEM hCategory = pTree->GetCategoryItem(strCategory)) {
        pTree->SelectCardByIndex(hCategory, nIndex);
    }
}

void CQuorrelListView::OnRClick(int nItem) {
    if (nItem != ROW_SECRET || !m_pShownCard) {
        return;
    }
    CListCtrl& list = GetListCtrl();
    QPoint point;
    if (!list.GetItemPosition(ROW_SECRET, point)) {
        return;
    }
    point = list.ClientToScreen(point);
    fw::PopupMenuRequest request;
    request.items = {{m_pShownCard->GetField4(), 0, true}};
    request.x = point.x() + 80;
    request.y = point.y();
    request.owner = this;
    fw::GetModalRunner().TrackPopupMenu(request);
}
