#include "ui/editurldlg.h"

#include "cardstore/categories.h"
#include "res/resource.h"

CEditUrlDlg::CEditUrlDlg(QWidget* pParent) : CDialog(IDD_EDIT_URL, pParent) {}

CEditUrlDlg::~CEditUrlDlg() = default;

bool CEditUrlDlg::OnInitDialog() {
    // The address goes back into field 2, which the card file holds in 255 bytes.
    SetLimitText(IDC_URL, MAX_SHORT_TEXT);
    return CDialog::OnInitDialog();
}

void CEditUrlDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_URL, m_strUrl);
}
