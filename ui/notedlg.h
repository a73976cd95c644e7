#pragma once
// The Note dialog: a roomy editor for one card's note, opened from the card list.
#include "framework/dialog.h"

#include <string>

class CNoteDlg : public CDialog {
public:
    explicit CNoteDlg(QWidget* pParent = nullptr);
    ~CNoteDlg() override;

    std::string m_strNote;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
