#include "ui/findcarddlg.h"

#include "cardstore/card.h"
#include "cardstore/categories.h"
#include "cardstore/quorreldoc.h"
#include "framework/mdichildwnd.h"
#include "framework/restypes.h"
#include "framework/winapp.h"
#include "res/resource.h"
#include "ui/cardtext.h"
#include "ui/mainfrm.h"
#include "ui/quorrelview.h"

#include <QObject>
#include <algorithm>

namespace {

std::string AppTitle() {
    const CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->GetAppName() : fw::LoadResString(AFX_IDS_APP_TITLE);
}

}  // namespace

CFindCardDlg::CFindCardDlg(CMainFrame* pFrame) : CDialog(IDD_FIND_CARD, pFrame), m_pFrame(pFrame) {
    OnButtonClicked(IDC_FIND, [this] { OnFind(); });
    OnButtonClicked(IDC_FIND_AGAIN, [this] { OnFindAgain(); });
}

CFindCardDlg::~CFindCardDlg() {
    if (m_pFrame && m_pFrame->m_pFindDialog == this) {
        m_pFrame->m_pFindDialog = nullptr;
    }
}

void CFindCardDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_KEYWORD, m_strKeyword);
    DDX_Check(pDX, IDC_IGNORE_CASE, m_bIgnoreCase);
}

void CFindCardDlg::OnCancel() {
    if (m_bClosing) {
        return;
    }
    m_bClosing = true;
    ShowWindow(false);
    if (m_pFrame && m_pFrame->m_pFindDialog == this) {
        m_pFrame->m_pFindDialog = nullptr;
    }
    // The holder lives as a child of the frame: it deletes the dialog from the event loop, or with the
    // frame should the frame go first.
    auto* pHolder = new QObject(m_pFrame);
    QObject::connect(pHolder, &QObject::destroyed, [this] { delete this; });
    pHolder->deleteLater();
}

void CFindCardDlg::OnFind() {
    UpdateData(true);
    m_nLastFound = Search(0, m_strKeyword);
}

void CFindCardDlg::OnFindAgain() {
    UpdateData(true);
    m_nLastFound = Search(m_nLastFound + 1, m_strKeyword);
}

void CFindCardDlg::BuildSearchList(const CQuorrelDoc& doc, std::vector<CCard*>& list) {
    list.clear();
    size_t total = 0;
    for (const int nCategory : kSearchCategoryOrder) {
        total += static_cast<size_t>(doc.GetCategoryArray(nCategory).GetCount());
    }
    list.reserve(total);
    for (const int nCategory : kSearchCategoryOrder) {
        const CCardArray& cards = doc.GetCategoryArray(nCategory);
        for (int i = 0; i < cards.GetCount(); ++i) {
            if (CCard* pCard = cards.GetCard(i)) {
                list.push_back(pCard);
            }
        }
    }
}

int CFindCardDlg::Search(int nStart, const std::string& strKeyword) {
    CMDIChildWnd* pChild = m_pFrame ? m_pFrame->MDIGetActive() : nullptr;
    if (!pChild) {
        return m_nLastFound;
    }
    auto* pDoc = dynamic_cast<CQuorrelDoc*>(pChild->GetActiveDocument());
    auto* pTree = pDoc ? dynamic_cast<CQuorrelView*>(pDoc->GetFirstView()) : nullptr;
    if (!pTree) {
        return m_nLastFound;
    }
    pChild->SetActiveView(pTree);
    pTree->SetFocus();

    m_searchList.clear();
    if (strKeyword.empty()) {
        fw::MessageBox("Please enter a string.", AppTitle(), fw::MB_OK, GetWindow());
    }
    BuildSearchList(*pDoc, m_searchList);

    const bool bIgnoreCase = m_bIgnoreCase == 1;
    const std::string strKey = bIgnoreCase ? UpperAscii(strKeyword) : strKeyword;
    const int nCount = static_cast<int>(m_searchList.size());
    for (int i = std::max(nStart, 0); i < nCount; ++i) {
        const CCard* pCard = m_searchList[static_cast<size_t>(i)];
        if (!CardContainsKeyword(*pCard, strKey, bIgnoreCase)) {
            continue;
        }
        if (HTREEITEM hCategory = pTree->GetCategoryItem(pCard->GetCategory())) {
            pTree->SelectCardByIndex(hCategory, pCard->GetIndex());
        }
        pTree->SetFocus();
        return i;
    }
    fw::MessageBox("Card not found, try again.", AppTitle(), fw::MB_OK, GetWindow());
    return -1;
}
