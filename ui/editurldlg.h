#pragma once
// The Edit URL dialog: a wide, wrapping editor for a card's field 2, opened from the card dialog.
#include "framework/dialog.h"

#include <string>

class CEditUrlDlg : public CDialog {
public:
    explicit CEditUrlDlg(QWidget* pParent = nullptr);
    ~CEditUrlDlg() override;

    std::string m_strUrl;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
