#include "ui/mainfrm.h"

#include <utility>

#include "ui/findcarddlg.h"

#include "app/settings.h"
#include "cardstore/categories.h"
#include "framework/mdichildwnd.h"
#include "framework/modalrunner.h"
#include "framework/restypes.h"
#include "framework/winapp.h"
#include "res/resource.h"

#include <QTimer>
#include <algorithm>
#include <climits>

namespace {

const int kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// The frame being destroyed must not be reached by the views that go with it.
CMainFrame* g_pLiveFrame = nullptr;

constexpr int kMillisecondsPerMinute = 60000;

}  // namespace

CMainFrame* GetMainFrame() {
    CFrameWnd* pMain = AfxGetMainWnd();
    return pMain && pMain == g_pLiveFrame ? g_pLiveFrame : nullptr;
}

CMainFrame::CMainFrame() {
    g_pLiveFrame = this;
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
        m_strCategoryName[static_cast<size_t>(i)] = std::string(kCategories[static_cast<size_t>(i)].name);
    }
    m_pAutoSaveTimer = new QTimer(this);
    QObject::connect(m_pAutoSaveTimer, &QTimer::timeout, this, [this] { OnTimer(1); });
    RegisterFrameCommands();
    RegisterCardCommands();
}

CMainFrame::~CMainFrame() {
    if (g_pLiveFrame == this) {
        g_pLiveFrame = nullptr;
    }
    m_pAutoSaveTimer->stop();
    // An open Find dialog goes with the frame that owns it.
    delete std::exchange(m_pFindDialog, nullptr);
}

void CMainFrame::RegisterFrameCommands() {
    // Cut is never enabled and has no handler; Paste has an empty one and is never enabled either.
    OnUpdateCommand(ID_EDIT_CUT, [](CCmdUI* pCmdUI) { pCmdUI->Enable(false); });
    OnCommand(ID_EDIT_PASTE, [] {});
    OnUpdateCommand(ID_EDIT_PASTE, [](CCmdUI* pCmdUI) { pCmdUI->Enable(false); });

    // The two items of the card popup menu, which is never shown.
    OnCommand(ID_OPEN_NEW_WINDOW, [] {});
    OnCommand(ID_AUTOMATIC_ACCESS, [] {});

    // Rules of commands whose handlers come with the card, copy and browser work. A rule alone enables
    // nothing: until a handler is registered the route keeps the command disabled.
    for (int nID : {ID_EDIT_COPY, ID_CARD_DELETE, ID_CARD_EDIT, ID_LOAD_WEB_PAGE, ID_COPY_PASSWORD,
                    ID_TB_LOAD_WEB_PAGE, ID_DELETE_CARD, ID_EDIT_CARD}) {
        OnUpdateCommand(nID, [this](CCmdUI* pCmdUI) { OnUpdateCard(pCmdUI); });
    }
    OnUpdateCommand(ID_ADD_CARD, [this](CCmdUI* pCmdUI) { OnUpdateWindow(pCmdUI); });
    OnUpdateCommand(ID_TB_GET_WEB_PAGE, [this](CCmdUI* pCmdUI) { OnUpdateView(pCmdUI); });
}

void CMainFrame::OnUpdateCard(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bCardActive); }

void CMainFrame::OnUpdateWindow(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); }

void CMainFrame::OnUpdateView(CCmdUI* pCmdUI) {
    CMDIChildWnd* pChild = MDIGetActive();
    pCmdUI->Enable(pChild != nullptr && pChild->GetActiveView() != nullptr);
}

bool CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    cs.cx = m_nInitialWidth;
    cs.cy = m_nInitialHeight;
    return CMDIFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(CCreateContext* pContext) {
    if (CMDIFrameWnd::OnCreate(pContext) == -1) {
        return -1;
    }
    if (!m_wndToolBar.Create(this, CBRS_TOP, AFX_IDW_TOOLBAR) || !m_wndToolBar.LoadToolBar(IDR_MAINFRAME)) {
        return -1;
    }
    if (!m_wndStatusBar.Create(this, CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators)))) {
        return -1;
    }
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);

    if (!m_wndStatusDialogBar.Create(this, IDD_STATUS_DIALOGBAR, IDW_STATUS_DIALOGBAR)) {
        return -1;
    }
    DockControlBar(&m_wndStatusDialogBar);

    ShowSaveStatus(false);
    CenterWindow();

    const fw::ToolbarImages* pImages = fw::FindToolbarImages(IDB_ENCRYPTED_BUTTON);
    if (!pImages || pImages->paths.empty()) {
        return -1;
    }
    m_nEncryptedImage = m_wndToolBar.AddImage(pImages->paths.front());
    for (size_t i = 1; i < pImages->paths.size(); ++i) {
        m_wndToolBar.AddImage(pImages->paths[i]);
    }
    if (m_nEncryptedImage < 0) {
        return -1;
    }
    return 0;
}

void CMainFrame::UpdateCardCounts(int nCategoryCount, int /*nCardNumber*/, int nTotalCount) {
    m_wndStatusDialogBar.SetDlgItemText(IDC_CATEGORY_COUNT, std::to_string(nCategoryCount));
    m_wndStatusDialogBar.SetDlgItemText(IDC_TOTAL_COUNT, std::to_string(nTotalCount));
}

void CMainFrame::ShowSaveStatus(bool bEncrypted) {
    m_wndStatusDialogBar.SetDlgItemIcon(IDC_SAVE_STATUS_ICON, bEncrypted ? IDI_ENCRYPTED : IDI_NOT_ENCRYPTED);
    m_wndStatusDialogBar.SetDlgItemText(IDC_SAVE_STATUS_TEXT, bEncrypted ? "(Encrypted)" : "(Not Encrypted)");
}

void CMainFrame::SetToolbarButtonImage(int nIndex, int nCommandId, int nImage) {
    m_wndToolBar.SetButtonInfo(nIndex, nCommandId, TBBS_BUTTON, nImage);
}

void CMainFrame::RestoreBars() {
    ShowControlBar(&m_wndStatusDialogBar, true, true);
    ShowControlBar(&m_wndToolBar, true, true);
}

void CMainFrame::LoadSettingsCopies() {
    using namespace settings;
    m_strNetscapePath = ReadText(kSectionInternet, kKeyNetscapePath);
    m_strExplorerPath = ReadText(kSectionInternet, kKeyExplorerPath);
    m_strMailProgPath = ReadText(kSectionInternet, kKeyMailPath);
    m_strNewsProgPath = ReadText(kSectionInternet, kKeyNewsPath);
    m_strHelpProgPath = ReadText(kSectionInternet, kKeyHelpPath);
    m_strFtpPath = ReadText(kSectionInternet, kKeyFtpPath);
    m_strTelnetPath = ReadText(kSectionInternet, kKeyTelnetPath);
    m_bPrintATM = static_cast<int32_t>(ReadPrintAtm(PrintDefault::FrameCopy));
    m_bPrintNotes = static_cast<int32_t>(ReadPrintNotes(PrintDefault::FrameCopy));
}

void CMainFrame::StartAutoSaveTimer(int nMinutes) {
    m_nAutoSaveInterval = settings::ReadAutoSaveInterval();
    // A tick of no length would save without pause; one longer than the timer can hold would never come.
    const int nTick = std::clamp(nMinutes, 1, INT_MAX / kMillisecondsPerMinute);
    m_pAutoSaveTimer->stop();
    m_pAutoSaveTimer->start(nTick * kMillisecondsPerMinute);
}

bool CMainFrame::IsAutoSaveTimerActive() const { return m_pAutoSaveTimer->isActive(); }

int CMainFrame::GetAutoSaveTimerInterval() const {
    return m_pAutoSaveTimer->isActive() ? m_pAutoSaveTimer->interval() : 0;
}

void CMainFrame::OnTimer(int /*nIDEvent*/) {
    ++m_nAutoSaveMinutes;
    if (m_nAutoSaveMinutes < m_nAutoSaveInterval) {
        return;
    }
    m_nAutoSaveMinutes = 0;
    // Ticks keep coming while the Save As dialog of an automatic save is open; they must not stack a
    // second save of the same document on top of it.
    if (m_bAutoSaving) {
        return;
    }
    m_bAutoSaving = true;
    SendCommand(ID_FILE_SAVE);
    m_bAutoSaving = false;
}

int CMainFrame::MessageBox(const std::string& strText, unsigned nType) {
    CWinApp* pApp = AfxGetApp();
    return fw::MessageBox(strText, pApp ? pApp->GetAppName() : std::string(), nType, this);
}
