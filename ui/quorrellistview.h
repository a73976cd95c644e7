#pragma once
// The right pane of a document window: the card selected in the tree, one row per piece of data (the
// four fields with their category's labels, the note excerpt, the browser attributes where the category
// has them, the date). The secret field shows as asterisks; a right click on its row shows it in a small
// menu. A double click edits the row's data and then refreshes every view and selects the card again.
// The list owns nothing: it points at the document's card it shows.
#include "framework/listview.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class CCard;
class CQuorrelDoc;

class CQuorrelListView : public CListView {
    Q_OBJECT
public:
    explicit CQuorrelListView(QWidget* pParent = nullptr);
    ~CQuorrelListView() override;

    void OnInitialUpdate() override;
    // A card pointer as hint value with a CStringArray of its category's four labels shows that card;
    // anything else empties the list.
    void OnUpdate(CView* pSender, intptr_t lHint, CObject* pHint) override;

    CQuorrelDoc* GetDocument() const;
    CCard* GetShownCard() const { return m_pShownCard; }
    const std::string& GetCopyText() const { return m_strCopyText; }

    // The rows of the card with its labels, as the list shows them: (column 0, column 1).
    static std::vector<std::pair<std::string, std::string>> MakeRows(const CCard& card,
                                                                     const std::array<std::string, 4>& labels);

    // Rows of a card of a browser category; other cards have the date in row 5 and no rows 6 and 7.
    enum : int {
        ROW_NOTE = 4,
        ROW_AUTO_ACCESS = 5,
        ROW_NEW_WINDOW = 6,
        ROW_BROWSER_DATE = 7,
        ROW_SECRET = 3,
    };

protected:
    void OnDblClk(int nItem) override;
    void OnRClick(int nItem) override;

private:
    void ShowCard();
    // Sets the note dialog's text into the card; true on OK.
    bool EditNote(CCard& card);
    bool EditCard(CCard& card);
    // Every view refilled, the tree active again and the card nIndex of the category selected in it.
    void Refresh(const std::string& strCategory, int nIndex);

    CCard* m_pShownCard = nullptr;
    std::string m_strCopyText;
    std::array<std::string, 4> m_strLabel;
};
