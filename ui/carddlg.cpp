#include "ui/carddlg.h"

#include "cardstore/card.h"
#include "cardstore/cardstore.h"
#include "cardstore/categories.h"
#include "res/resource.h"
#include "ui/cardtext.h"
#include "ui/editurldlg.h"

#include <QRect>

CCardDlg::CCardDlg(QWidget* pParent) : CDialog(IDD_CARD, pParent) {
    OnButtonClicked(IDC_REVEAL_PASSWORD, [this] { OnRevealPassword(); });
    OnButtonClicked(IDC_EDIT_URL, [this] { OnEditUrl(); });
}

CCardDlg::~CCardDlg() = default;

void CCardDlg::LoadCard(const CCard& card, const CCardStore& doc) {
    m_strCategory = card.GetCategory();
    doc.GetCategoryLabels(m_strCategory, m_strLabel1, m_strLabel2, m_strLabel3, m_strLabel4);
    m_strField1 = card.GetField1();
    m_strField2 = card.GetField2();
    m_strField3 = card.GetField3();
    m_strField4 = card.GetField4();
    m_strNote = card.GetNote();
    m_bAutoAccess = card.GetAutoAccess();
    m_bNewWindow = card.GetNewWindow();
    m_bAttributesEnabled = OffersAttributesWhenEditing(m_strCategory);
    m_bMaskField4 = true;
    m_bEditMode = true;
}

void CCardDlg::StoreCard(CCard& card) const {
    card.SetField1(m_strField1);
    card.SetField2(m_strField2);
    card.SetField3(m_strField3);
    card.SetField4(m_strField4);
    card.SetNote(m_strNote);
    card.SetAutoAccess(m_bAutoAccess);
    card.SetNewWindow(m_bNewWindow);
}

bool CCardDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetButtonIcon(IDC_REVEAL_PASSWORD, IDI_REVEAL);
    SetButtonIcon(IDC_EDIT_URL, IDI_EDIT_URL);
    // What is typed must fit the card file's fields, so no save can fail for length.
    for (const int id : {IDC_FIELD1, IDC_FIELD2, IDC_FIELD3, IDC_FIELD4}) {
        SetLimitText(id, MAX_SHORT_TEXT);
    }
    SetLimitText(IDC_NOTE, MAX_NOTE_TEXT);
    UpdateData(false);
    EnableControl(IDC_AUTO_ACCESS, m_bAttributesEnabled);
    EnableControl(IDC_NEW_WINDOW, m_bAttributesEnabled);
    if (m_bEditMode) {
        SetDlgItemText(fw::IDOK, "OK");
        SetWindowText("Edit Card");
    }
    SetPasswordChar(IDC_FIELD4, m_bMaskField4);
    ShowControl(IDC_EDIT_URL, ShowsEditUrlButton(m_strCategory));
    return true;
}

void CCardDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FIELD1, m_strField1);
    DDX_Text(pDX, IDC_FIELD2, m_strField2);
    DDX_Text(pDX, IDC_FIELD3, m_strField3);
    DDX_Text(pDX, IDC_FIELD4, m_strField4);
    DDX_Text(pDX, IDC_NOTE, m_strNote);
    DDX_Text(pDX, IDC_CATEGORY_NAME, m_strCategory);
    DDX_Check(pDX, IDC_NEW_WINDOW, m_bNewWindow);
    DDX_Check(pDX, IDC_AUTO_ACCESS, m_bAutoAccess);
    DDX_Text(pDX, IDC_LABEL1, m_strLabel1);
    DDX_Text(pDX, IDC_LABEL2, m_strLabel2);
    DDX_Text(pDX, IDC_LABEL3, m_strLabel3);
    DDX_Text(pDX, IDC_LABEL4, m_strLabel4);
}

void CCardDlg::OnRevealPassword() {
    UpdateData(true);
    // "Empty" is only what the menu shows; the field itself stays empty.
    const std::string strShown = m_strField4.empty() ? std::string("Empty") : m_strField4;
    const QRect button = GetControlScreenRect(IDC_REVEAL_PASSWORD);
    TrackPopupMenu({{strShown, 0, true}}, button.x() + button.width() + 5, button.y() + button.height());
}

void CCardDlg::OnEditUrl() {
    UpdateData(true);
    CEditUrlDlg dlg(GetWindow());
    dlg.m_strUrl = m_strField2;
    if (dlg.DoModal() == fw::IDOK) {
        m_strField2 = dlg.m_strUrl;
    }
    UpdateData(false);
}
