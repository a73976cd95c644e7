#include "framework/framewnd.h"

#include "framework/afxres.h"
#include "framework/dialogbar.h"
#include "framework/document.h"
#include "framework/fwcommon.h"
#include "framework/resources.h"
#include "framework/restypes.h"
#include "framework/statusbar.h"
#include "framework/textcodec.h"
#include "framework/toolbar.h"
#include "framework/view.h"
#include "framework/winapp.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusTipEvent>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr const char* PropCommand = "fwCommand";
constexpr const char* PropMruPlaceholder = "fwMruPlaceholder";

int CommandOf(const QAction* pAction) {
    const QVariant value = pAction->property(PropCommand);
    return value.isValid() ? value.toInt() : 0;
}

QString EscapeMnemonic(const QString& str) {
    QString result = str;
    result.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return result;
}

}  // namespace

CFrameWnd::CFrameWnd(QWidget* pParent) : QMainWindow(pParent) {
    m_pClientHost = new QWidget(this);
    m_pClientLayout = new QVBoxLayout(m_pClientHost);
    m_pClientLayout->setContentsMargins(0, 0, 0, 0);
    m_pClientLayout->setSpacing(0);
    setCentralWidget(m_pClientHost);

    m_pIdleTimer = new QTimer(this);
    m_pIdleTimer->setSingleShot(true);
    m_pIdleTimer->setInterval(0);
    connect(m_pIdleTimer, &QTimer::timeout, this, [this] { OnIdleUpdateCmdUI(); });
}

CFrameWnd::~CFrameWnd() {
    // Views still attached (a frame deleted without DestroyWindow) leave their documents while this is
    // still a frame they can ask about.
    ReleaseViews();
    if (CWinApp* pApp = AfxGetApp(); pApp != nullptr && pApp->m_pMainWnd == this) {
        pApp->m_pMainWnd = nullptr;
    }
}

// --- creation ----------------------------------------------------------------------------------------------

bool CFrameWnd::LoadFrame(int nIDResource, CFrameWnd* /*pParentWnd*/, CCreateContext* pContext) {
    m_nIDResource = nIDResource;
    CREATESTRUCT cs;
    if (!PreCreateWindow(cs)) {
        return false;
    }
    if (cs.cx > 0 && cs.cy > 0) {
        resize(cs.cx, cs.cy);
    }
    if (!IsChildFrame()) {
        const std::string strTitle = fw::PromptPart(fw::LoadResString(nIDResource));
        m_strTitle = strTitle.empty() ? fw::AppTitle() : strTitle;
        const QIcon icon = fw::LoadIcon(nIDResource);
        if (!icon.isNull()) {
            setWindowIcon(icon);
        }
        LoadMenuBar(nIDResource);
        LoadAccelTable(nIDResource);
        OnCommand(ID_VIEW_TOOLBAR, [this] { OnBarCheck(AFX_IDW_TOOLBAR); });
        OnCommand(ID_VIEW_STATUS_BAR, [this] { OnBarCheck(AFX_IDW_STATUS_BAR); });
        const auto barRule = [this](int nBarID) {
            return [this, nBarID](CCmdUI* pCmdUI) {
                QWidget* pBar = GetControlBar(nBarID);
                pCmdUI->Enable(pBar != nullptr);
                pCmdUI->SetCheck(pBar != nullptr && !pBar->isHidden() ? 1 : 0);
            };
        };
        OnUpdateCommand(ID_VIEW_TOOLBAR, barRule(AFX_IDW_TOOLBAR));
        OnUpdateCommand(ID_VIEW_STATUS_BAR, barRule(AFX_IDW_STATUS_BAR));
        // Input anywhere in the program arms the idle refresh of the command states.
        qApp->installEventFilter(this);
    }
    if (OnCreate(pContext) == -1) {
        return false;
    }
    RecalcLayout();
    OnUpdateFrameTitle(true);
    if (!IsChildFrame()) {
        SetMessageText(IdleMessage());
        RequestIdleUpdate();
    }
    return true;
}

bool CFrameWnd::PreCreateWindow(CREATESTRUCT& /*cs*/) { return true; }

int CFrameWnd::OnCreate(CCreateContext* pContext) { return OnCreateClient(pContext) ? 0 : -1; }

bool CFrameWnd::OnCreateClient(CCreateContext* pContext) {
    if (pContext != nullptr && pContext->m_pNewViewClass) {
        return CreateView(pContext) != nullptr;
    }
    return true;
}

CView* CFrameWnd::CreateView(CCreateContext* pContext) {
    if (pContext == nullptr || !pContext->m_pNewViewClass) {
        return nullptr;
    }
    CView* pView = pContext->m_pNewViewClass();
    if (pView == nullptr) {
        return nullptr;
    }
    if (!pView->Create(m_pClientHost, pContext)) {
        delete pView;
        return nullptr;
    }
    SetClientWidget(pView);
    return pView;
}

void CFrameWnd::SetClientWidget(QWidget* pClient) {
    if (m_pClient == pClient) {
        return;
    }
    if (m_pClient != nullptr) {
        m_pClientLayout->removeWidget(m_pClient);
    }
    m_pClient = pClient;
    if (pClient != nullptr) {
        if (pClient->parentWidget() != m_pClientHost) {
            pClient->setParent(m_pClientHost);
        }
        m_pClientLayout->addWidget(pClient, 1);
        pClient->show();
    }
}

// --- views and documents -------------------------------------------------------------------------------------

void CFrameWnd::SetActiveView(CView* pViewNew, bool bNotify) {
    CView* pViewOld = m_pActiveView;
    if (pViewNew == pViewOld) {
        return;
    }
    m_pActiveView = pViewNew;
    if (bNotify && pViewOld != nullptr) {
        pViewOld->OnActivateView(false, pViewNew, pViewOld);
    }
    if (bNotify && pViewNew != nullptr && m_pActiveView == pViewNew) {
        pViewNew->OnActivateView(true, pViewNew, pViewOld);
    }
    RequestIdleUpdate();
}

CDocument* CFrameWnd::GetActiveDocument() {
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

std::vector<CView*> CFrameWnd::GetFrameViews() const {
    std::vector<CView*> views;
    const QList<CView*> all = findChildren<CView*>();
    for (CView* pView : all) {
        if (pView->GetParentFrame() == this) {
            views.push_back(pView);
        }
    }
    // The document's order is the order the views were made in (the first view first).
    if (!views.empty() && views.front()->GetDocument() != nullptr) {
        const std::vector<CView*>& order = views.front()->GetDocument()->GetViews();
        std::stable_sort(views.begin(), views.end(), [&](CView* a, CView* b) {
            const auto ia = std::find(order.begin(), order.end(), a) - order.begin();
            const auto ib = std::find(order.begin(), order.end(), b) - order.begin();
            return ia < ib;
        });
    }
    return views;
}

void CFrameWnd::InitialUpdateFrame(CDocument* /*pDoc*/, bool bMakeVisible) {
    const std::vector<CView*> views = GetFrameViews();
    if (GetActiveView() == nullptr && !views.empty()) {
        SetActiveView(views.front(), false);
    }
    if (bMakeVisible) {
        for (CView* pView : views) {
            pView->OnInitialUpdate();
        }
        ActivateFrame(-1);
        if (CView* pView = GetActiveView()) {
            pView->OnActivateView(true, pView, pView);
        }
    }
    OnUpdateFrameTitle(true);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) {
        nCmdShow = isHidden() ? SW_SHOW : SW_SHOWNORMAL;
    }
    ShowWindow(nCmdShow);
    if (isWindow()) {
        raise();
        activateWindow();
    }
}

void CFrameWnd::OnUpdateFrameTitle(bool bAddToTitle) {
    std::string strTitle = m_strTitle;
    if (bAddToTitle) {
        if (CDocument* pDoc = GetActiveDocument(); pDoc != nullptr && !pDoc->GetTitle().empty()) {
            strTitle = strTitle.empty() ? pDoc->GetTitle() : strTitle + " - " + pDoc->GetTitle();
        }
    }
    setWindowTitle(fw::BytesToQString(strTitle));
}

bool CFrameWnd::OnClose() {
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this) {
        // The main window: every modified document is asked about first; Cancel keeps everything open.
        if (!pApp->SaveAllModified()) {
            return false;
        }
        pApp->CloseAllDocuments(false);
        DestroyWindow();
        return true;
    }
    CDocument* pDoc = GetActiveDocument();
    if (pDoc != nullptr) {
        if (!pDoc->CanCloseFrame(this)) {
            return false;
        }
        const std::vector<CFrameWnd*> frames = pDoc->GetFrames();
        if (frames.size() == 1 && frames.front() == this) {
            pDoc->OnCloseDocument();
            return true;
        }
    }
    DestroyWindow();
    return true;
}

void CFrameWnd::ReleaseViews() {
    m_bDestroyed = true;
    m_pActiveView = nullptr;
    const std::vector<CView*> views = GetFrameViews();
    for (CView* pView : views) {
        if (CDocument* pDoc = pView->GetDocument()) {
            pDoc->RemoveView(pView);
        }
    }
}

void CFrameWnd::DestroyWindow() {
    if (m_bDestroyed) {
        return;
    }
    ReleaseViews();
    m_pIdleTimer->stop();
    hide();
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this) {
        pApp->m_pMainWnd = nullptr;
        // The main window is gone: the event loop ends. Without a running loop (tests) exit() would
        // make every later modal loop return at once, so it is only called inside one.
        if (QThread::currentThread()->loopLevel() > 0) {
            QCoreApplication::exit(0);
        }
    }
    deleteLater();
}

void CFrameWnd::SetTitle(const std::string& strTitle) {
    m_strTitle = strTitle;
    OnUpdateFrameTitle(true);
}

void CFrameWnd::ShowWindow(int nCmdShow) {
    switch (nCmdShow) {
    case SW_HIDE:
        hide();
        break;
    case SW_SHOWMAXIMIZED:
        showMaximized();
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
        showMinimized();
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        showNormal();
        break;
    default:
        show();
        break;
    }
}

void CFrameWnd::UpdateWindow() { update(); }

void CFrameWnd::CenterWindow() {
    QRect area;
    if (QWidget* pParent = parentWidget(); pParent != nullptr && !isWindow()) {
        area = pParent->rect();
    } else {
        QScreen* pScreen = screen() ? screen() : QGuiApplication::primaryScreen();
        if (pScreen == nullptr) {
            return;
        }
        area = pScreen->availableGeometry();
    }
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

// --- commands ---------------------------------------------------------------------------------------------------

bool CFrameWnd::RouteCmdMsg(int nID, CCmdUI* pUpdate) {
    if (CView* pView = GetActiveView(); pView != nullptr && pView->OnCmdMsg(nID, pUpdate)) {
        return true;
    }
    return CCmdTarget::OnCmdMsg(nID, pUpdate);
}

bool CFrameWnd::OnCmdMsg(int nID, CCmdUI* pUpdate) {
    if (RouteCmdMsg(nID, pUpdate)) {
        return true;
    }
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, pUpdate);
}

void CFrameWnd::UpdateCmdUI(CCmdUI& cmdUI) { OnCmdMsg(cmdUI.m_nID, &cmdUI); }

bool CFrameWnd::IsCommandEnabled(int nID) {
    CCmdUI cmdUI(nID);
    UpdateCmdUI(cmdUI);
    return cmdUI.IsEnabled();
}

bool CFrameWnd::IsCommandChecked(int nID) {
    CCmdUI cmdUI(nID);
    UpdateCmdUI(cmdUI);
    return cmdUI.IsCheckSet() && cmdUI.GetCheck() != 0;
}

bool CFrameWnd::SendCommand(int nID) {
    if (m_bDestroyed || nID == 0) {
        return false;
    }
    // The rules decide first, whoever sends the command: a disabled command never runs.
    if (!IsCommandEnabled(nID)) {
        return false;
    }
    RequestIdleUpdate();
    return OnCmdMsg(nID, nullptr);
}

void CFrameWnd::PostCommand(int nID) {
    QTimer::singleShot(0, this, [this, nID] { SendCommand(nID); });
}

void CFrameWnd::RequestIdleUpdate() {
    CFrameWnd* pTarget = this;
    if (IsChildFrame()) {
        pTarget = AfxGetMainWnd();
    }
    if (pTarget != nullptr && !pTarget->m_bDestroyed && pTarget->m_pIdleTimer != nullptr &&
        !pTarget->m_pIdleTimer->isActive()) {
        pTarget->m_pIdleTimer->start();
    }
}

void CFrameWnd::ApplyState(QAction* pAction, int nID, std::map<int, CCmdUI>& cache, bool bMenu) {
    auto it = cache.find(nID);
    if (it == cache.end()) {
        CCmdUI cmdUI(nID);
        UpdateCmdUI(cmdUI);
        it = cache.emplace(nID, cmdUI).first;
    }
    const CCmdUI& cmdUI = it->second;
    pAction->setEnabled(cmdUI.IsEnabled());
    if (cmdUI.IsCheckSet()) {
        pAction->setCheckable(true);
        pAction->setChecked(cmdUI.GetCheck() != 0);
    } else if (pAction->isCheckable()) {
        pAction->setChecked(false);
    }
    if (bMenu && cmdUI.IsTextSet()) {
        pAction->setText(fw::BytesToQString(cmdUI.GetText()));
    }
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    if (m_bDestroyed) {
        return;
    }
    std::map<int, CCmdUI> cache;
    const QList<CToolBar*> toolbars = findChildren<CToolBar*>(Qt::FindDirectChildrenOnly);
    for (CToolBar* pBar : toolbars) {
        for (int i = 0; i < pBar->GetButtonCount(); ++i) {
            const int nID = pBar->GetItemID(i);
            if (QAction* pAction = pBar->GetItemAction(i); pAction != nullptr && nID > 0) {
                ApplyState(pAction, nID, cache, false);
            }
        }
    }
    if (auto* pStatus = dynamic_cast<CStatusBar*>(GetControlBar(AFX_IDW_STATUS_BAR))) {
        pStatus->UpdateIndicators();
    }
}

// --- menus and accelerators --------------------------------------------------------------------------------------

void CFrameWnd::HookActionToCommand(QAction* pAction, int nID) {
    pAction->setProperty(PropCommand, nID);
    const std::string strPrompt = GetMessageString(nID);
    if (!strPrompt.empty()) {
        pAction->setStatusTip(fw::BytesToQString(strPrompt));
    }
    connect(pAction, &QAction::triggered, this, [this, nID] { SendCommand(nID); });
}

QMenu* CFrameWnd::BuildPopup(const fw::MenuItem& item) {
    auto* pMenu = new QMenu(fw::BytesToQString(item.text), this);
    connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { OnMenuAboutToShow(pMenu); });
    connect(pMenu, &QMenu::aboutToHide, this, [this] { SetMessageText(IdleMessage()); });
    for (const fw::MenuItem& child : item.children) {
        switch (child.kind) {
        case fw::MenuItem::Separator:
            pMenu->addSeparator();
            break;
        case fw::MenuItem::Popup:
            pMenu->addMenu(BuildPopup(child));
            break;
        case fw::MenuItem::Command: {
            auto* pAction = new QAction(fw::BytesToQString(child.text), pMenu);
            HookActionToCommand(pAction, child.id);
            pAction->setEnabled(!child.inactive && child.id != 0);
            if (child.id == ID_FILE_MRU_FILE1) {
                pAction->setProperty(PropMruPlaceholder, true);
            }
            pMenu->addAction(pAction);
            break;
        }
        }
    }
    return pMenu;
}

bool CFrameWnd::LoadMenuBar(int nIDMenu) {
    auto it = m_menus.find(nIDMenu);
    if (it == m_menus.end()) {
        const fw::MenuTemplate* pTemplate = fw::FindMenuTemplate(nIDMenu);
        if (pTemplate == nullptr) {
            return false;
        }
        std::vector<QAction*> barActions;
        for (const fw::MenuItem& item : pTemplate->items) {
            if (item.kind == fw::MenuItem::Popup) {
                barActions.push_back(BuildPopup(item)->menuAction());
            } else if (item.kind == fw::MenuItem::Command) {
                auto* pAction = new QAction(fw::BytesToQString(item.text), this);
                HookActionToCommand(pAction, item.id);
                barActions.push_back(pAction);
            }
        }
        it = m_menus.emplace(nIDMenu, std::move(barActions)).first;
    }
    QMenuBar* pBar = menuBar();
    // The popups belong to the frame, so taking them off the bar keeps them for the next switch.
    for (QAction* pAction : pBar->actions()) {
        pBar->removeAction(pAction);
    }
    pBar->addActions(QList<QAction*>(it->second.begin(), it->second.end()));
    m_nMenuID = nIDMenu;
    return true;
}

std::vector<QAction*> CFrameWnd::FindMenuItems(int nID) const {
    std::vector<QAction*> found;
    auto it = m_menus.find(m_nMenuID);
    if (it == m_menus.end()) {
        return found;
    }
    std::vector<QMenu*> stack;
    for (QAction* pAction : it->second) {
        if (pAction->menu() != nullptr) {
            stack.push_back(pAction->menu());
        } else if (CommandOf(pAction) == nID) {
            found.push_back(pAction);
        }
    }
    // Depth first, in menu order.
    std::reverse(stack.begin(), stack.end());
    while (!stack.empty()) {
        QMenu* pMenu = stack.back();
        stack.pop_back();
        std::vector<QMenu*> subMenus;
        for (QAction* pAction : pMenu->actions()) {
            if (pAction->menu() != nullptr) {
                subMenus.push_back(pAction->menu());
            } else if (!pAction->isSeparator() && CommandOf(pAction) == nID) {
                found.push_back(pAction);
            }
        }
        stack.insert(stack.end(), subMenus.rbegin(), subMenus.rend());
    }
    return found;
}

QMenu* CFrameWnd::PrepareMenuFor(int nID) {
    std::vector<QAction*> items = FindMenuItems(nID);
    if (items.empty() && nID >= ID_FILE_MRU_FILE1 && nID <= ID_FILE_MRU_FILE4) {
        items = FindMenuItems(ID_FILE_MRU_FILE1);
    }
    if (items.empty()) {
        return nullptr;
    }
    auto* pMenu = qobject_cast<QMenu*>(items.front()->parent());
    if (pMenu != nullptr) {
        OnMenuAboutToShow(pMenu);
    }
    return pMenu;
}

void CFrameWnd::OnMenuAboutToShow(QMenu* pMenu) {
    UpdateRecentFileItems(pMenu);
    UpdateMenuStates(pMenu);
}

void CFrameWnd::UpdateRecentFileItems(QMenu* pMenu) {
    QAction* pPlaceholder = nullptr;
    for (QAction* pAction : pMenu->actions()) {
        if (pAction->property(PropMruPlaceholder).toBool()) {
            pPlaceholder = pAction;
            break;
        }
    }
    if (pPlaceholder == nullptr) {
        return;
    }
    std::vector<QAction*>& shown = m_mruActions[pMenu];
    for (QAction* pAction : shown) {
        delete pAction;
    }
    shown.clear();
    CWinApp* pApp = AfxGetApp();
    const std::vector<std::string> files = pApp ? pApp->GetRecentFileList() : std::vector<std::string>();
    // With no recent file the placeholder stays, grayed by the rule of ID_FILE_MRU_FILE1.
    pPlaceholder->setVisible(files.empty());
    const QString strPrompt = pPlaceholder->statusTip();
    for (size_t i = 0; i < files.size() && i < 4; ++i) {
        const QString strText = QStringLiteral("&%1 %2").arg(i + 1).arg(EscapeMnemonic(fw::BytesToQString(files[i])));
        auto* pAction = new QAction(strText, pMenu);
        HookActionToCommand(pAction, ID_FILE_MRU_FILE1 + static_cast<int>(i));
        pAction->setStatusTip(strPrompt);
        pMenu->insertAction(pPlaceholder, pAction);
        shown.push_back(pAction);
    }
}

void CFrameWnd::UpdateMenuStates(QMenu* pMenu) {
    std::map<int, CCmdUI> cache;
    for (QAction* pAction : pMenu->actions()) {
        if (pAction->isSeparator() || pAction->menu() != nullptr) {
            continue;
        }
        const int nID = CommandOf(pAction);
        if (nID > 0) {
            ApplyState(pAction, nID, cache, true);
        }
    }
}

bool CFrameWnd::LoadAccelTable(int nIDResource) {
    const fw::AcceleratorTable* pTable = fw::FindAcceleratorTable(nIDResource);
    if (pTable == nullptr) {
        return false;
    }
    for (QAction* pAction : m_accelActions) {
        delete pAction;
    }
    m_accelActions.clear();
    // One action per command with all its keys.
    std::vector<std::pair<int, QList<QKeySequence>>> keys;
    for (const fw::Accelerator& accel : pTable->entries) {
        const QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(accel.keys), QKeySequence::PortableText);
        if (sequence.isEmpty()) {
            continue;
        }
        auto it = std::find_if(keys.begin(), keys.end(), [&](const auto& entry) { return entry.first == accel.command; });
        if (it == keys.end()) {
            keys.emplace_back(accel.command, QList<QKeySequence>{sequence});
        } else {
            it->second.append(sequence);
        }
    }
    for (const auto& [nID, sequences] : keys) {
        auto* pAction = new QAction(this);
        pAction->setShortcuts(sequences);
        // Only while the main window (or a view in it) has the focus; never in a dialog.
        pAction->setShortcutContext(Qt::WindowShortcut);
        pAction->setProperty(PropCommand, nID);
        connect(pAction, &QAction::triggered, this, [this, nID = nID] { SendCommand(nID); });
        addAction(pAction);
        m_accelActions.push_back(pAction);
    }
    return true;
}

// --- status bar and control bars ---------------------------------------------------------------------------------

std::string CFrameWnd::IdleMessage() const {
    std::string str = fw::LoadResString(AFX_IDS_IDLEMESSAGE);
    return str.empty() ? std::string("Ready") : str;
}

void CFrameWnd::SetMessageText(const std::string& strText) {
    if (auto* pStatus = dynamic_cast<CStatusBar*>(GetControlBar(AFX_IDW_STATUS_BAR))) {
        const int nPane = pStatus->CommandToIndex(ID_SEPARATOR);
        pStatus->SetPaneText(nPane < 0 ? 0 : nPane, strText);
    }
}

std::string CFrameWnd::GetMessageText() const {
    if (auto* pStatus = dynamic_cast<CStatusBar*>(GetControlBar(AFX_IDW_STATUS_BAR))) {
        const int nPane = pStatus->CommandToIndex(ID_SEPARATOR);
        return pStatus->GetPaneText(nPane < 0 ? 0 : nPane);
    }
    return {};
}

std::string CFrameWnd::GetMessageString(int nID) const { return nID > 0 ? fw::PromptPart(fw::LoadResString(nID)) : std::string(); }

QWidget* CFrameWnd::GetControlBar(int nID) const {
    for (QObject* pObject : children()) {
        if (auto* pToolBar = qobject_cast<CToolBar*>(pObject); pToolBar != nullptr && pToolBar->GetBarId() == nID) {
            return pToolBar;
        }
        if (auto* pStatus = qobject_cast<CStatusBar*>(pObject); pStatus != nullptr && pStatus->GetBarId() == nID) {
            return pStatus;
        }
        if (auto* pBar = dynamic_cast<CDialogBar*>(pObject); pBar != nullptr && pBar->GetBarId() == nID) {
            return pBar;
        }
    }
    if (m_pClientHost != nullptr) {
        for (QObject* pObject : m_pClientHost->children()) {
            if (auto* pBar = dynamic_cast<CDialogBar*>(pObject); pBar != nullptr && pBar->GetBarId() == nID) {
                return pBar;
            }
        }
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(QWidget* pBar, bool bShow, bool /*bDelay*/) {
    if (pBar == nullptr) {
        return;
    }
    pBar->setVisible(bShow);
    RequestIdleUpdate();
}

void CFrameWnd::DockTopBar(QWidget* pBar) {
    if (m_pClientLayout->indexOf(pBar) >= 0) {
        return;
    }
    m_pClientLayout->insertWidget(m_nTopBars, pBar, 0);
    ++m_nTopBars;
}

void CFrameWnd::DockControlBar(QWidget* pBar) {
    if (pBar == nullptr) {
        return;
    }
    if (auto* pToolBar = qobject_cast<QToolBar*>(pBar)) {
        if (toolBarArea(pToolBar) == Qt::NoToolBarArea || pToolBar->parentWidget() != this) {
            addToolBar(Qt::TopToolBarArea, pToolBar);
        }
        return;
    }
    DockTopBar(pBar);
}

void CFrameWnd::RecalcLayout() {
    // Dialog bars made with this frame as their parent go to the top of the client, under the toolbar.
    for (QObject* pObject : children()) {
        if (auto* pBar = dynamic_cast<CDialogBar*>(pObject)) {
            DockTopBar(pBar);
        }
    }
}

void CFrameWnd::OnBarCheck(int nBarID) {
    if (QWidget* pBar = GetControlBar(nBarID)) {
        ShowControlBar(pBar, pBar->isHidden(), false);
    }
}

// --- events -------------------------------------------------------------------------------------------------------

void CFrameWnd::closeEvent(QCloseEvent* pEvent) {
    if (m_bDestroyed || OnClose()) {
        pEvent->accept();
    } else {
        pEvent->ignore();
    }
}

bool CFrameWnd::event(QEvent* pEvent) {
    if (pEvent->type() == QEvent::StatusTip && !IsChildFrame()) {
        const QString strTip = static_cast<QStatusTipEvent*>(pEvent)->tip();
        SetMessageText(strTip.isEmpty() ? IdleMessage() : fw::QStringToBytes(strTip));
        return true;
    }
    return QMainWindow::event(pEvent);
}

bool CFrameWnd::eventFilter(QObject* pWatched, QEvent* pEvent) {
    switch (pEvent->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::FocusIn:
    case QEvent::WindowActivate:
    case QEvent::Wheel:
        RequestIdleUpdate();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}
