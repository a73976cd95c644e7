#pragma once
// The main window: the MDI frame with the toolbar, the standard status bar and the status dialog bar
// (card counts and save status). It keeps the fourteen category names that everything maps category
// names with, the selection state the tree reports (which enables the card commands), copies of a few
// settings, the open Find dialog and the one-minute automatic save timer.
//
// The card, find and copy commands live in maincards.cpp (RegisterCardCommands, called from the
// constructor) so the card work never has to touch this frame's own message map.
#include "cardstore/categories.h"
#include "framework/dialogbar.h"
#include "framework/mdiframewnd.h"
#include "framework/statusbar.h"
#include "framework/toolbar.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QTimer;
class CCard;
class CFindCardDlg;
class CQuorrelDoc;

class CMainFrame : public CMDIFrameWnd {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    bool PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(CCreateContext* pContext) override;

    // --- what the tree, the document and the commands call -----------------------------------------------
    // The card number is accepted and not shown.
    void UpdateCardCounts(int nCategoryCount, int nCardNumber, int nTotalCount);
    // The save status icon and text of the status dialog bar.
    void ShowSaveStatus(bool bEncrypted);
    // Toolbar item nIndex becomes a plain button for nCommandId with image nImage.
    void SetToolbarButtonImage(int nIndex, int nCommandId, int nImage);
    int GetEncryptedImage() const { return m_nEncryptedImage; }
    void SetCardActive(bool bActive) { m_bCardActive = bActive; }
    bool IsCardActive() const { return m_bCardActive; }
    void SetActiveCardIndex(int nIndex) { m_nActiveCard = nIndex; }
    int GetActiveCardIndex() const { return m_nActiveCard; }
    // Shows the status dialog bar and the toolbar again (end of print preview).
    void RestoreBars();
    // A message box of the main frame: the application's title as caption, the frame as owner.
    int MessageBox(const std::string& strText, unsigned nType = 0 /* MB_OK */);

    // Automatic save: (re)starts the timer with ticks of nMinutes and reads the interval from the settings.
    void StartAutoSaveTimer(int nMinutes);
    // One tick of the timer.
    void OnTimer(int nIDEvent);
    bool IsAutoSaveTimerActive() const;
    int GetAutoSaveTimerInterval() const;  // milliseconds, 0 when stopped

    // The helper application paths and the print options, copied from the settings after start-up.
    void LoadSettingsCopies();

    // --- the category arrays of a document, by category name (bodies in maincards.cpp) ---------------------
    // The card goes to the end of the array; a name that matches no category drops it.
    void AddCardToCategory(CQuorrelDoc* pDoc, const std::string& strCategory, std::unique_ptr<CCard> pCard);
    // Takes the card at nIndex out of the array and hands it back, so the caller destroys it once the
    // views no longer show it; null when the name or the index is not valid.
    std::unique_ptr<CCard> RemoveCardFromCategory(CQuorrelDoc* pDoc, const std::string& strCategory,
                                                  int nIndex);
    // Puts an edited card back at nIndex; false when it is not the card there.
    bool ReplaceCardInCategory(CQuorrelDoc* pDoc, const std::string& strCategory, const CCard* pCard,
                               int nIndex);

    // --- card, find and copy command handlers (bodies and map entries in maincards.cpp) --------------------
    void OnCardNew();
    void OnCardDelete();
    void OnCardEdit();
    void OnCardFirst();
    void OnCardLast();
    void OnFindCard();
    void OnCopyPassword();
    void OnEditCopy();

    // The category names by category index.
    std::array<std::string, CATEGORY_COUNT> m_strCategoryName;

    // Copies of the settings, loaded after start-up.
    std::string m_strNetscapePath;
    std::string m_strExplorerPath;
    std::string m_strMailProgPath;
    std::string m_strNewsProgPath;
    std::string m_strHelpProgPath;
    std::string m_strFtpPath;
    std::string m_strTelnetPath;
    int32_t m_nBrowserChoice = 0;
    // The selected card's attributes, taken by Load Web Page.
    int32_t m_bAutoAccess = 0;
    int32_t m_bNewWindow = 0;
    int32_t m_bPrintATM = 1;
    int32_t m_bPrintNotes = 1;

    CFindCardDlg* m_pFindDialog = nullptr;
    // The selected card's field 2, taken by Load Web Page.
    std::string m_strPageAddress;

    int32_t m_nInitialHeight = 480;
    int32_t m_nInitialWidth = 650;
    bool m_bCardActive = false;
    int32_t m_nActiveCard = -1;
    int32_t m_nAutoSaveInterval = 0;
    int32_t m_nAutoSaveMinutes = 0;
    int32_t m_nEncryptedImage = -1;

    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CDialogBar m_wndStatusDialogBar;

private:
    void RegisterFrameCommands();
    // Defined in maincards.cpp.
    void RegisterCardCommands();
    void OnUpdateCard(CCmdUI* pCmdUI);
    void OnUpdateWindow(CCmdUI* pCmdUI);
    void OnUpdateView(CCmdUI* pCmdUI);

    QTimer* m_pAutoSaveTimer = nullptr;
    // An automatic save that is still running (its Save As dialog open) is not started again.
    bool m_bAutoSaving = false;
};

// The application's main frame as a CMainFrame, or null.
CMainFrame* GetMainFrame();
