#pragma once
// The card dialog: adds a card ("Add New Card") or edits one ("Edit Card"). It shows the category and
// its four labels, the four fields (field 4 masked), the note and the two browser attributes. The dialog
// never touches the document: its caller copies the members into a card after IDOK.
#include "framework/dialog.h"

#include <cstdint>
#include <string>

class CCard;
class CCardStore;

class CCardDlg : public CDialog {
public:
    explicit CCardDlg(QWidget* pParent = nullptr);
    ~CCardDlg() override;

    // Fills the dialog for editing `card`: its texts and attributes, the category's labels from the
    // document, the edit form, attributes offered for the categories that have them when editing.
    void LoadCard(const CCard& card, const CCardStore& doc);
    // Writes the four fields, the note and both attributes back into the card (category and date stay).
    void StoreCard(CCard& card) const;

    std::string m_strField1 = "Untitled";
    std::string m_strField2;
    std::string m_strField3;
    std::string m_strField4;
    std::string m_strNote;
    std::string m_strCategory;
    int32_t m_bNewWindow = 0;
    int32_t m_bAutoAccess = 0;
    std::string m_strLabel1;
    std::string m_strLabel2;
    std::string m_strLabel3;
    std::string m_strLabel4;
    bool m_bEditMode = false;
    bool m_bAttributesEnabled = false;
    bool m_bMaskField4 = true;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnRevealPassword();
    void OnEditUrl();
};
