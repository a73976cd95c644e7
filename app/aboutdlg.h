#pragma once
// The About box: the product name, its edition and version, and the home page.
#include "framework/dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;
};
