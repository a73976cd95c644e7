// The card, find and copy commands of the main frame: their message-map entries and handlers, and the
// category-array operations lent to the card list and the browser page capture.
#include "ui/mainfrm.h"

#include "cardstore/card.h"
#include "cardstore/quorreldoc.h"
#include "framework/clipboard.h"
#include "framework/mdichildwnd.h"
#include "framework/modalrunner.h"
#include "framework/sysservices.h"
#include "framework/winapp.h"
#include "res/resource.h"
#include "ui/carddlg.h"
#include "ui/cardtext.h"
#include "ui/findcarddlg.h"
#include "ui/quorrellistview.h"
#include "ui/quorrelview.h"

#include <QRect>
#include <QWidget>

namespace {

std::string AppTitle() {
    const CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->GetAppName() : fw::LoadResString(AFX_IDS_APP_TITLE);
}

// What add, delete and edit work on: the active document window, its document and its tree, which they
// make the window's active view first.
struct CardCommandContext {
    CMDIChildWnd* pChild = nullptr;
    CQuorrelDoc* pDoc = nullptr;
    CQuorrelView* pTree = nullptr;
};

bool BeginCardCommand(const CMainFrame& frame, CardCommandContext& ctx) {
    ctx.pChild = frame.MDIGetActive();
    if (!ctx.pChild) {
        return false;
    }
    ctx.pDoc = dynamic_cast<CQuorrelDoc*>(ctx.pChild->GetActiveDocument());
    ctx.pTree = ctx.pDoc ? dynamic_cast<CQuorrelView*>(ctx.pDoc->GetFirstView()) : nullptr;
    if (!ctx.pTree) {
        return false;
    }
    ctx.pChild->SetActiveView(ctx.pTree);
    return true;
}

// The active view of the active document window, or null.
CView* ActiveCardView(const CMainFrame& frame) {
    CMDIChildWnd* pChild = frame.MDIGetActive();
    return pChild ? pChild->GetActiveView() : nullptr;
}

// The clipboard steps shared by Copy Password and Copy, with their three messages.
void CopyToClipboard(CMainFrame& frame, const std::string& strText, bool bSecret) {
    CClipboard& clipboard = fw::GetClipboard();
    const std::string strTitle = AppTitle();
    const bool bOpen = clipboard.Open(&frame);
    if (!bOpen) {
        // Setting the data below fails as well and says so.
        fw::MessageBox("Cannot open the Clipboard.", strTitle, fw::MB_OK, &frame);
    }
    if (!clipboard.Allocate(strText.size() + 1)) {
        fw::MessageBox("Global Alloc Failed.", strTitle, fw::MB_OK, &frame);
        if (bOpen) {
            clipboard.Close();
        }
        return;
    }
    if (!clipboard.SetText(strText, bSecret)) {
        fw::MessageBox("Unable to set Clipboard data.", strTitle, fw::MB_OK, &frame);
    }
    if (bOpen) {
        clipboard.Close();
    }
}

}  // namespace

void CMainFrame::RegisterCardCommands() {
    const auto card = [this](CCmdUI* pCmdUI) { OnUpdateCard(pCmdUI); };
    const auto window = [this](CCmdUI* pCmdUI) { OnUpdateWindow(pCmdUI); };

    OnCommand(ID_CARD_NEW, [this] { OnCardNew(); });
    OnCommand(ID_ADD_CARD, [this] { OnCardNew(); });
    OnUpdateCommand(ID_ADD_CARD, window);
    for (const int nID : {ID_CARD_DELETE, ID_DELETE_CARD}) {
        OnCommand(nID, [this] { OnCardDelete(); });
        OnUpdateCommand(nID, card);
    }
    for (const int nID : {ID_CARD_EDIT, ID_EDIT_CARD}) {
        OnCommand(nID, [this] { OnCardEdit(); });
        OnUpdateCommand(nID, card);
    }
    OnCommand(ID_CARD_FIRST, [this] { OnCardFirst(); });
    OnCommand(ID_CARD_LAST, [this] { OnCardLast(); });
    // Enabled by the document while it holds cards; with no document window open the frame's handler
    // keeps them enabled.
    OnCommand(ID_FIND_CARD, [this] { OnFindCard(); });
    OnCommand(ID_EDIT_FIND, [this] { OnFindCard(); });
    OnCommand(ID_COPY_PASSWORD, [this] { OnCopyPassword(); });
    OnUpdateCommand(ID_COPY_PASSWORD, card);
    OnCommand(ID_EDIT_COPY, [this] { OnEditCopy(); });
    OnUpdateCommand(ID_EDIT_COPY, card);
}

// --- the category arrays ----------------------------------------------------------------------------------

void CMainFrame::AddCardToCategory(CQuorrelDoc* pDoc, const std::string& strCategory,
                                   std::unique_ptr<CCard> pCard) {
    if (!pDoc || !pCard) {
        return;
    }
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
        if (m_strCategoryName[static_cast<size_t>(i)] == strCategory) {
            pDoc->GetCategoryArray(i).AddCard(std::move(pCard));
            return;
        }
    }
}

std::unique_ptr<CCard> CMainFrame::RemoveCardFromCategory(CQuorrelDoc* pDoc, const std::string& strCategory,
                                                          int nIndex) {
    if (!pDoc) {
        return nullptr;
    }
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
        if (m_strCategoryName[static_cast<size_t>(i)] == strCategory) {
            CCardArray& cards = pDoc->GetCategoryArray(i);
            if (nIndex >= 0 && nIndex < cards.GetCount()) {
                return cards.RemoveCard(nIndex);
            }
            return nullptr;
        }
    }
    return nullptr;
}

bool CMainFrame::ReplaceCardInCategory(CQuorrelDoc* pDoc, const std::string& strCategory, const CCard* pCard,
                                       int nIndex) {
    if (!pDoc) {
        return false;
    }
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
        if (m_strCategoryName[static_cast<size_t>(i)] == strCategory) {
            return pDoc->GetCategoryArray(i).ReplaceCard(pCard, nIndex);
        }
    }
    return false;
}

// --- card commands ----------------------------------------------------------------------------------------

void CMainFrame::OnCardNew() {
    CardCommandContext ctx;
    if (!BeginCardCommand(*this, ctx)) {
        return;
    }
    // Without a selected node there is no category the card could go to: nothing is asked or changed.
    if (!ctx.pTree->GetTreeCtrl().GetSelectedItem()) {
        return;
    }
    const std::string strCategory = ctx.pTree->GetCurrentCategoryName();

    CCardDlg dlg(this);
    dlg.m_strCategory = strCategory;
    ctx.pDoc->GetCategoryLabels(strCategory, dlg.m_strLabel1, dlg.m_strLabel2, dlg.m_strLabel3,
                                dlg.m_strLabel4);
    dlg.m_strField2 = std::string(AddressPrefix(strCategory));
    dlg.m_bAttributesEnabled = OffersAttributesWhenAdding(strCategory);
    dlg.m_bMaskField4 = true;
    if (dlg.DoModal() != fw::IDOK) {
        return;
    }

    auto pCard = std::make_unique<CCard>();
    pCard->SetField1(dlg.m_strField1);
    pCard->SetField2(dlg.m_strField2);
    pCard->SetField3(dlg.m_strField3);
    pCard->SetField4(dlg.m_strField4);
    pCard->SetNote(dlg.m_strNote);
    pCard->SetCategory(strCategory);
    pCard->SetDate(fw::GetSystemServices().GetShortDate());
    pCard->SetAutoAccess(dlg.m_bAutoAccess);
    pCard->SetNewWindow(dlg.m_bNewWindow);
    AddCardToCategory(ctx.pDoc, strCategory, std::move(pCard));

    ctx.pDoc->SetModifiedFlag();
    ctx.pDoc->UpdateAllViews(nullptr);
    if (HTREEITEM hCategory = ctx.pTree->GetCategoryItem(strCategory)) {
        ctx.pTree->SelectNthCard(hCategory, GetActiveCardIndex());
    }
    ctx.pTree->SetFocus();
}

void CMainFrame::OnCardDelete() {
    CardCommandContext ctx;
    if (!BeginCardCommand(*this, ctx)) {
        return;
    }
    const std::string strCategory = ctx.pTree->GetCurrentCategoryName();
    const int nIndex = ctx.pTree->GetCurrentCardIndex();
    // Only the card the tree shows selected: after a category node was chosen the tree still remembers
    // its last card, which may belong to another category.
    if (!ctx.pTree->IsCardSelected() || !ctx.pTree->GetCurrentCard()) {
        return;
    }
    if (fw::MessageBox("Are you sure you want to delete this card?", "Warning",
                       fw::MB_OKCANCEL | fw::MB_ICONEXCLAMATION, this) != fw::IDOK) {
        return;
    }
    // Destroyed once the views no longer show it.
    std::unique_ptr<CCard> pRemoved = RemoveCardFromCategory(ctx.pDoc, strCategory, nIndex);
    ctx.pDoc->UpdateAllViews(nullptr);
    ctx.pDoc->SetModifiedFlag();
    pRemoved.reset();

    HTREEITEM hCategory = ctx.pTree->GetCategoryItem(strCategory);
    const int nCount = ctx.pTree->GetCategoryCardCount(hCategory, ctx.pDoc);
    if (hCategory) {
        ctx.pTree->SelectTreeItem(hCategory);
    }
    ctx.pTree->SetFocus();
    ctx.pTree->SetCardSelected(false);
    if (hCategory) {
        ctx.pTree->SetCategoryImage(hCategory, nCount);
    }
    UpdateCardCounts(nCount, 0, ctx.pTree->GetTotalCardCount());
}

void CMainFrame::OnCardEdit() {
    CardCommandContext ctx;
    if (!BeginCardCommand(*this, ctx)) {
        return;
    }
    CCard* pCard = ctx.pTree->GetCurrentCard();
    if (!pCard) {
        return;
    }
    const std::string strCategory = pCard->GetCategory();
    const int nIndex = ctx.pTree->GetCurrentCardIndex();

    CCardDlg dlg(this);
    dlg.LoadCard(*pCard, *ctx.pDoc);
    if (dlg.DoModal() == fw::IDOK) {
        dlg.StoreCard(*pCard);
        ReplaceCardInCategory(ctx.pDoc, strCategory, pCard, nIndex);
        ctx.pDoc->SetModifiedFlag();
        ctx.pDoc->UpdateAllViews(nullptr);
    }
    if (HTREEITEM hCategory = ctx.pTree->GetCategoryItem(strCategory)) {
        ctx.pTree->SelectCardByIndex(hCategory, nIndex);
    }
}

void CMainFrame::OnCardFirst() {
    if (auto* pTree = dynamic_cast<CQuorrelView*>(ActiveCardView(*this))) {
        pTree->SelectFirstOrLastCard(false);
    }
}

void CMainFrame::OnCardLast() {
    if (auto* pTree = dynamic_cast<CQuorrelView*>(ActiveCardView(*this))) {
        pTree->SelectFirstOrLastCard(true);
    }
}

// --- find ---------------------------------------------------------------------------------------------------

void CMainFrame::OnFindCard() {
    if (m_pFindDialog) {
        return;
    }
    auto* pDlg = new CFindCardDlg(this);
    m_pFindDialog = pDlg;
    if (!pDlg->Create(this)) {
        m_pFindDialog = nullptr;
        delete pDlg;
        return;
    }
    if (QWidget* pWindow = pDlg->GetWindow()) {
        QRect rect = pWindow->frameGeometry();
        rect.moveCenter(frameGeometry().center());
        pWindow->move(rect.topLeft());
    }
}

// --- clipboard ----------------------------------------------------------------------------------------------

void CMainFrame::OnCopyPassword() {
    auto* pTree = dynamic_cast<CQuorrelView*>(ActiveCardView(*this));
    const CCard* pCard = pTree ? pTree->GetCurrentCard() : nullptr;
    if (!pCard) {
        return;
    }
    CopyToClipboard(*this, pCard->GetField4(), true);
}

void CMainFrame::OnEditCopy() {
    if (auto* pList = dynamic_cast<CQuorrelListView*>(ActiveCardView(*this))) {
        CopyToClipboard(*this, pList->GetCopyText(), false);
    }
}
