#pragma once
// Encrypt On Save: the check box switches encryption of the next save on or off, the two masked edits take
// the new password twice. With the box cleared the dialog folds its lower part away (the warning about
// lost keys) and the edits are read-only; the document decides what the entries mean.
#include "framework/dialog.h"

#include <cstdint>
#include <string>

class CFileEncryptionDlg : public CDialog {
public:
    // Pixels the dialog loses while Encrypt On Save is cleared.
    static constexpr int kCollapsedBy = 100;

    CFileEncryptionDlg();
    ~CFileEncryptionDlg() override; // wipes both password texts

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    std::string m_strPassword;
    int32_t m_bEncryptOnSave = 0;
    std::string m_strPasswordConfirm;

private:
    void OnEncryptOnSave();
    void OnAboutKeys();
    void OnRevealKey();
    void ApplyLayout(bool bExpanded);

    int m_nFullWidth = 0;
    int m_nFullHeight = 0;
};
