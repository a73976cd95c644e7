#include "cardstore/fileencryptiondlg.h"

#include "cardstore/cardstore.h"
#include "cardstore/decryptpassworddlg.h"
#include "res/resource.h"

#include <QSize>

CFileEncryptionDlg::CFileEncryptionDlg() : CDialog(IDD_FILE_ENCRYPTION, nullptr) {
    OnButtonClicked(IDC_ENCRYPT_ON_SAVE, [this] { OnEncryptOnSave(); });
    OnButtonClicked(IDC_ABOUT_KEYS, [this] { OnAboutKeys(); });
    OnButtonClicked(IDC_REVEAL_KEY, [this] { OnRevealKey(); });
}

CFileEncryptionDlg::~CFileEncryptionDlg() {
    WipeString(m_strPassword);
    WipeString(m_strPasswordConfirm);
}

bool CFileEncryptionDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const QSize size = GetWindowSize();
    m_nFullWidth = size.width();
    m_nFullHeight = size.height();
    SetPasswordChar(IDC_KEY, true);
    SetPasswordChar(IDC_KEY_CONFIRM, true);
    ApplyLayout(m_bEncryptOnSave == 1);
    SetButtonIcon(IDC_REVEAL_KEY, IDI_REVEAL);
    return true;
}

void CFileEncryptionDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_KEY, m_strPassword);
    DDX_Check(pDX, IDC_ENCRYPT_ON_SAVE, m_bEncryptOnSave);
    DDX_Text(pDX, IDC_KEY_CONFIRM, m_strPasswordConfirm);
}

void CFileEncryptionDlg::ApplyLayout(bool bExpanded) {
    SetReadOnly(IDC_KEY, !bExpanded);
    SetReadOnly(IDC_KEY_CONFIRM, !bExpanded);
    SetWindowSize(m_nFullWidth, bExpanded ? m_nFullHeight : m_nFullHeight - kCollapsedBy);
    RedrawWindow();
}

void CFileEncryptionDlg::OnEncryptOnSave() {
    UpdateData(true);
    const bool bChecked = m_bEncryptOnSave == 1;
    ApplyLayout(bChecked);
    if (!bChecked) {
        // A password typed before the box was cleared must not come back when it is ticked again.
        WipeString(m_strPassword);
        WipeString(m_strPasswordConfirm);
        UpdateData(false);
    }
}

void CFileEncryptionDlg::OnAboutKeys() {
    CDialog dlg(IDD_ABOUT_KEYS, nullptr);
    dlg.DoModal();
}

// The first field only: the second one is there to be typed blind, as a check.
void CFileEncryptionDlg::OnRevealKey() {
    ShowRevealPopup(*this, IDC_REVEAL_KEY, m_strPassword);
}
