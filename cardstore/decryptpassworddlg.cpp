#include "cardstore/decryptpassworddlg.h"

#include "cardstore/cardstore.h"
#include "res/resource.h"

#include <QRect>

CDecryptPasswordDlg::CDecryptPasswordDlg() : CDialog(IDD_DECRYPT_PASSWORD, nullptr) {
    OnButtonClicked(IDC_REVEAL_PASSWORD, [this] { OnRevealPassword(); });
}

CDecryptPasswordDlg::~CDecryptPasswordDlg() {
    WipeString(m_strPassword);
}

bool CDecryptPasswordDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetPasswordChar(IDC_DECRYPT_PASSWORD, true);
    SetButtonIcon(IDC_REVEAL_PASSWORD, IDI_REVEAL);
    SetWindowText(m_strCaption);
    return true;
}

void CDecryptPasswordDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DECRYPT_PASSWORD, m_strPassword);
}

void CDecryptPasswordDlg::OnRevealPassword() {
    ShowRevealPopup(*this, IDC_REVEAL_PASSWORD, m_strPassword);
}

void ShowRevealPopup(CDialog& dlg, int nButtonID, const std::string& strText) {
    const QRect button = dlg.GetControlScreenRect(nButtonID);
    dlg.UpdateData(true);
    // Edges as the classic rectangle gives them: right and bottom lie just outside the button.
    const int x = button.x() + button.width() + 5;
    const int y = button.y() + button.height();
    dlg.TrackPopupMenu({fw::PopupMenuItem{strText, 0, true}}, x, y);
}
