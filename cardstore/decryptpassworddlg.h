#pragma once
// The password prompt shown when an encrypted card file is opened. The edit masks what is typed; the
// small button next to it shows the typed text in a popup, so the user can check it without unmasking.
#include "framework/dialog.h"

#include <string>

class CDecryptPasswordDlg : public CDialog {
public:
    CDecryptPasswordDlg();
    ~CDecryptPasswordDlg() override; // wipes the typed password

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    std::string m_strPassword;
    // Set by the document before the dialog is shown; becomes the window title.
    std::string m_strCaption;

private:
    void OnRevealPassword();
};

// The reveal popup of both password dialogs: exchanges the controls into the members (so strText holds
// what is typed now) and shows it as one disabled item just right of the button, at its bottom edge.
void ShowRevealPopup(CDialog& dlg, int nButtonID, const std::string& strText);
