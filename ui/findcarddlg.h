#pragma once
// The Find Card dialog: modeless, at most one, owned by the main frame. "Find" looks for the first card
// of the active document that contains the keyword, "Find Again" for the next one; a match is selected
// in the document's tree. Every search rebuilds the list of cards from the document as it is then.
#include "framework/dialog.h"

#include <cstdint>
#include <string>
#include <vector>

class CCard;
class CMainFrame;
class CQuorrelDoc;

class CFindCardDlg : public CDialog {
public:
    explicit CFindCardDlg(CMainFrame* pFrame);
    ~CFindCardDlg() override;

    // Cancel, Escape and the close box: the frame forgets the dialog, which goes once control is back in
    // the event loop (it may be inside one of its own window's handlers now).
    void OnCancel() override;

    // The position in the search list of the first card from nStart on that contains the keyword, or -1
    // (then "Card not found, try again."). With no document window open, the last position unchanged.
    int Search(int nStart, const std::string& strKeyword);

    // Every card of the document: category after category in the search order, each in array order.
    static void BuildSearchList(const CQuorrelDoc& doc, std::vector<CCard*>& list);

    std::string m_strKeyword;
    int32_t m_bIgnoreCase = 0;
    int m_nLastFound = -1;
    std::vector<CCard*> m_searchList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnFind();
    void OnFindAgain();

private:
    CMainFrame* m_pFrame;
    bool m_bClosing = false;
};
