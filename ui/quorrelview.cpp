#include "ui/quorrelview.h"

#include "cardstore/quorreldoc.h"
#include "framework/mdichildwnd.h"
#include "framework/object.h"
#include "framework/resources.h"
#include "framework/textcodec.h"
#include "framework/winapp.h"
#include "res/resource.h"
#include "ui/mainfrm.h"

#include <vector>

namespace {

// The tree shows at most this much of a card's first field, as the stored field holds no more.
constexpr size_t kMaxNodeText = MAX_SHORT_TEXT;

// Index of "WWW Pages", the category selected first and counted on activation.
constexpr int kFirstCategory = 0;

}  // namespace

CQuorrelView::CQuorrelView() = default;

CQuorrelView::~CQuorrelView() {
    // The tree control outlives this part of the object; it must not draw with the image list any more.
    GetTreeCtrl().SetImageList(nullptr);
    // Another document window that is active by now (the one that replaced this one when the document
    // changed type, or the next one after a close) has shown its own counts: they stay.
    if (CMainFrame* pFrame = GetMainFrame()) {
        CMDIChildWnd* pActive = pFrame->MDIGetActive();
        if (!pActive || pActive == m_pOwnFrame) {
            pFrame->UpdateCardCounts(0, 0, 0);
        }
    }
}

bool CQuorrelView::Create(QWidget* pParent, CCreateContext* pContext) {
    if (!CTreeView::Create(pParent, pContext)) {
        return false;
    }
    m_imageList.RemoveAll();
    m_nClosedImage = m_imageList.Add(fw::LoadIcon(IDI_CATEGORY_CLOSED));
    m_nOpenImage = m_imageList.Add(fw::LoadIcon(IDI_CATEGORY_OPEN));
    m_nCardImage = m_imageList.Add(fw::LoadIcon(IDI_CARD));
    GetTreeCtrl().SetImageList(&m_imageList);
    return true;
}

CQuorrelDoc* CQuorrelView::GetDocument() const { return dynamic_cast<CQuorrelDoc*>(CView::GetDocument()); }

CMainFrame* CQuorrelView::GetFrame() const { return GetMainFrame(); }

// --- filling ----------------------------------------------------------------------------------------------

void CQuorrelView::InsertCategoryItems() {
    CTreeCtrl& tree = GetTreeCtrl();
    tree.DeleteAllItems();
    m_hCategoryItem.fill(nullptr);
    const CMainFrame* pFrame = GetFrame();
    for (int nCategory : kTreeCategoryOrder) {
        const auto i = static_cast<size_t>(nCategory);
        const std::string strName = pFrame ? pFrame->m_strCategoryName[i] : std::string(kCategories[i].name);
        HTREEITEM hItem = tree.InsertItem(strName, m_nClosedImage, m_nClosedImage, TVI_ROOT, TVI_LAST);
        tree.SetItemData(hItem, 0);
        m_hCategoryItem[i] = hItem;
    }
}

void CQuorrelView::OnInitialUpdate() {
    m_pOwnFrame = GetParentFrame();
    InsertCategoryItems();
    // The first selection has no previous node: the selection handler leaves it alone.
    SelectTreeItem(m_hCategoryItem[kFirstCategory]);
    if (CMainFrame* pFrame = GetFrame()) {
        pFrame->UpdateCardCounts(GetCategoryCardCount(m_hCategoryItem[kFirstCategory], GetDocument()), 0,
                                 GetTotalCardCount());
    }
    CTreeView::OnInitialUpdate();
}

void CQuorrelView::OnUpdate(CView* /*pSender*/, intptr_t /*lHint*/, CObject* /*pHint*/) {
    if (!GetDocument()) {
        return;
    }
    CTreeCtrl& tree = GetTreeCtrl();
    for (HTREEITEM hItem : m_hCategoryItem) {
        if (hItem) {
            tree.DeleteChildItems(hItem);
        }
    }
    for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
        FillCategory(nCategory);
    }
}

void CQuorrelView::FillCategory(int nCategory) {
    HTREEITEM hCategory = GetCategoryNode(nCategory);
    CQuorrelDoc* pDoc = GetDocument();
    if (!hCategory || !pDoc) {
        return;
    }
    const CCardArray& cards = pDoc->GetCategoryArray(nCategory);
    std::vector<TreeItemInfo> items;
    items.reserve(static_cast<size_t>(cards.GetCount()));
    for (int32_t i = 0; i < cards.GetCount(); ++i) {
        CCard* pCard = cards.GetCard(i);
        if (!pCard) {
            continue;
        }
        items.push_back({fw::TruncateUtf8(pCard->GetField1(), kMaxNodeText), m_nCardImage, m_nCardImage, i});
        pCard->SetIndex(i);
    }
    if (!items.empty()) {
        GetTreeCtrl().InsertSortedChildren(hCategory, items);
    }
}

// --- notifications ---------------------------------------------------------------------------------------

void CQuorrelView::OnSelChanged(HTREEITEM hOld, HTREEITEM hNew) {
    if (!hOld) {
        return;
    }
    CTreeCtrl& tree = GetTreeCtrl();
    CQuorrelDoc* pDoc = GetDocument();
    CMainFrame* pFrame = GetFrame();
    HTREEITEM hParent = hNew ? tree.GetParentItem(hNew) : nullptr;
    if (!hParent) {
        if (pFrame) {
            pFrame->UpdateCardCounts(GetCategoryCardCount(hNew, pDoc), 0, GetTotalCardCount());
        }
        if (pDoc) {
            pDoc->UpdateAllViews(this, 0, nullptr);
        }
        if (pFrame) {
            pFrame->SetCardActive(false);
        }
        return;
    }
    const int nIndex = static_cast<int>(tree.GetItemData(hNew));
    if (pFrame) {
        pFrame->UpdateCardCounts(GetCategoryCardCount(hParent, pDoc), nIndex, GetTotalCardCount());
    }
    ShowCard(hParent, nIndex, tree.GetItemText(hParent));
    if (pFrame) {
        pFrame->SetActiveCardIndex(nIndex);
    }
    m_nCurrentCard = nIndex;
    m_bCardSelected = true;
    if (pFrame) {
        pFrame->SetCardActive(true);
    }
}

void CQuorrelView::ShowCard(HTREEITEM hCategory, int nIndex, const std::string& strCategory) {
    CQuorrelDoc* pDoc = GetDocument();
    if (!pDoc) {
        return;
    }
    CCard* pCard = hCategory ? GetCardAt(hCategory, nIndex, pDoc) : nullptr;
    std::string strLabel1, strLabel2, strLabel3, strLabel4;
    pDoc->GetCategoryLabels(strCategory, strLabel1, strLabel2, strLabel3, strLabel4);
    CStringArray labels({strLabel1, strLabel2, strLabel3, strLabel4});
    if (pCard) {
        // The tree itself is the sender whatever view has the focus: its own broadcast must never refill
        // it, or the node just selected would be gone.
        pDoc->UpdateAllViews(this, reinterpret_cast<intptr_t>(pCard), &labels);
    }
}

void CQuorrelView::OnItemExpanding(HTREEITEM hItem, int nImage, bool /*bExpanding*/) {
    // The image as the notification found it decides, so a node switches once per notification.
    if (nImage == m_nClosedImage) {
        GetTreeCtrl().SetItemImage(hItem, m_nOpenImage, m_nOpenImage);
    } else if (nImage == m_nOpenImage) {
        GetTreeCtrl().SetItemImage(hItem, m_nClosedImage, m_nClosedImage);
    }
}

void CQuorrelView::OnDblClk(HTREEITEM /*hItem*/) {
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hSelected = tree.GetSelectedItem();
    if (!hSelected || !tree.GetParentItem(hSelected)) {
        return;
    }
    // Through the route, so the command's rule decides, as for the menu item.
    if (CMainFrame* pFrame = GetFrame()) {
        pFrame->SendCommand(ID_CARD_EDIT);
    }
}

void CQuorrelView::OnRClick(HTREEITEM /*hItem*/) {}

void CQuorrelView::OnActivateView(bool bActivate, CView* pActivateView, CView* pDeactiveView) {
    if (bActivate) {
        CMainFrame* pFrame = GetFrame();
        CQuorrelDoc* pDoc = GetDocument();
        if (pFrame && pDoc) {
            const bool bEncrypted = pDoc->IsDisplayedEncrypted();
            pFrame->ShowSaveStatus(bEncrypted);
            pFrame->SetToolbarButtonImage(3, ID_ENCRYPT_FILE, bEncrypted ? pFrame->GetEncryptedImage() : 3);
            HTREEITEM hFirst = GetCategoryItem(pFrame->m_strCategoryName[kFirstCategory]);
            pFrame->UpdateCardCounts(GetCategoryCardCount(hFirst, pDoc), 0, GetTotalCardCount());
        }
    }
    CTreeView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

// --- lookups ---------------------------------------------------------------------------------------------

HTREEITEM CQuorrelView::GetCategoryNode(int nCategory) const {
    return nCategory >= 0 && nCategory < CATEGORY_COUNT ? m_hCategoryItem[static_cast<size_t>(nCategory)]
                                                        : nullptr;
}

int CQuorrelView::CategoryIndexOf(HTREEITEM hItem) const {
    if (!hItem) {
        return -1;
    }
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
        if (m_hCategoryItem[static_cast<size_t>(i)] == hItem) {
            return i;
        }
    }
    return -1;
}

HTREEITEM CQuorrelView::GetCategoryItem(const std::string& strName) const {
    const CMainFrame* pFrame = GetFrame();
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
        const auto n = static_cast<size_t>(i);
        const std::string_view name = pFrame ? std::string_view(pFrame->m_strCategoryName[n]) : kCategories[n].name;
        if (name == strName) {
            return m_hCategoryItem[n];
        }
    }
    return nullptr;
}

int CQuorrelView::GetCategoryCardCount(HTREEITEM hItem, const CQuorrelDoc* pDoc) const {
    const int nCategory = CategoryIndexOf(hItem);
    if (nCategory < 0 || !pDoc) {
        return 0;
    }
    return pDoc->GetCategoryArray(nCategory).GetCount();
}

CCard* CQuorrelView::GetCardAt(HTREEITEM hItem, int nIndex, const CQuorrelDoc* pDoc) const {
    const int nCategory = CategoryIndexOf(hItem);
    if (nCategory < 0 || !pDoc) {
        return nullptr;
    }
    return pDoc->GetCategoryArray(nCategory).GetCard(nIndex);
}

int CQuorrelView::GetTotalCardCount() const {
    const CQuorrelDoc* pDoc = GetDocument();
    if (!pDoc) {
        return 0;
    }
    int nTotal = 0;
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
        nTotal += pDoc->GetCategoryArray(i).GetCount();
    }
    return nTotal;
}

void CQuorrelView::GetCurrentCategoryName(std::string& strName) const {
    const CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hSelected = tree.GetSelectedItem();
    if (!hSelected) {
        strName.clear();
        return;
    }
    HTREEITEM hParent = tree.GetParentItem(hSelected);
    strName = tree.GetItemText(hParent ? hParent : hSelected);
}

std::string CQuorrelView::GetCurrentCategoryName() const {
    std::string strName;
    GetCurrentCategoryName(strName);
    return strName;
}

CCard* CQuorrelView::GetCurrentCard() const {
    const CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hSelected = tree.GetSelectedItem();
    HTREEITEM hParent = hSelected ? tree.GetParentItem(hSelected) : nullptr;
    return hParent ? GetCardAt(hParent, m_nCurrentCard, GetDocument()) : nullptr;
}

// --- selection -------------------------------------------------------------------------------------------

void CQuorrelView::SelectTreeItem(HTREEITEM hItem) { GetTreeCtrl().SelectItem(hItem); }

void CQuorrelView::SelectNthCard(HTREEITEM hCategory, int n) {
    if (!hCategory) {
        return;
    }
    CTreeCtrl& tree = GetTreeCtrl();
    tree.Expand(hCategory, TVE_EXPAND);
    HTREEITEM hChild = tree.GetChildItem(hCategory);
    if (!hChild) {
        return;
    }
    // A position past the end selects the last card rather than nothing.
    for (int i = 0; i < n; ++i) {
        HTREEITEM hNext = tree.GetNextSiblingItem(hChild);
        if (!hNext) {
            break;
        }
        hChild = hNext;
    }
    tree.SelectItem(hChild);
}

void CQuorrelView::SelectCardByIndex(HTREEITEM hCategory, int nIndex) {
    if (!hCategory) {
        return;
    }
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hChild = tree.GetChildItem(hCategory);
    if (!hChild) {
        tree.SelectItem(hCategory);
        return;
    }
    for (; hChild; hChild = tree.GetNextSiblingItem(hChild)) {
        if (tree.GetItemData(hChild) == nIndex) {
            tree.SelectItem(hChild);
            return;
        }
    }
    tree.SelectItem(nullptr);
}

void CQuorrelView::SelectFirstOrLastCard(bool bLast) {
    const CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hSelected = tree.GetSelectedItem();
    if (!hSelected) {
        return;
    }
    HTREEITEM hParent = tree.GetParentItem(hSelected);
    HTREEITEM hCategory = hParent ? hParent : hSelected;
    const int nCount = GetCategoryCardCount(hCategory, GetDocument());
    if (nCount > 0) {
        SelectNthCard(hCategory, bLast ? nCount - 1 : 0);
    }
}

void CQuorrelView::SetCategoryImage(HTREEITEM hCategory, int nCount) {
    if (!hCategory || nCount < 0) {
        return;
    }
    const int nImage = nCount > 0 ? m_nOpenImage : m_nClosedImage;
    GetTreeCtrl().SetItemImage(hCategory, nImage, nImage);
}
