#pragma once
// A frame window: a QMainWindow that is also a command target. It holds the client (a view, a splitter,
// the MDI area), the control bars (toolbar, status bar, dialog bars docked at the top under the
// toolbar), the menu bar built from a menu template, and the accelerators of an accelerator table.
//
// LoadFrame(id) makes the frame from the resources of that id: PreCreateWindow (size), the title (string
// id, up to its first "\n"), the icon, the menu and the accelerators, then OnCreate, whose base creates the
// client through OnCreateClient. A derived frame's OnCreate calls the base first and then makes its bars.
//
// Commands: menu items, accelerators and toolbar buttons are QActions bound to command ids. Triggering
// one sends the command through SendCommand, which asks the update rules first and never runs a disabled
// command. The actions' enabled and checked states are refreshed from the update rules whenever the event
// loop goes idle after input or a command, and before a menu opens. Accelerators are window shortcuts of
// the main frame: they act while the main window or one of its views has the focus, never in a dialog.
// IsCommandEnabled / IsCommandChecked / SendCommand work without the window being shown.
//
// Status prompts: while a menu item or a toolbar button is hovered, the status bar's message pane shows
// the first line of the string resource of its command ("prompt\ntip"); the idle text is string
// AFX_IDS_IDLEMESSAGE ("Ready"). Tool tips are the second line.
#include "framework/cmdtarget.h"
#include "framework/controlbar.h"
#include "framework/createcontext.h"

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QTimer;
class QVBoxLayout;
class CDocument;
class CView;
namespace fw {
struct MenuItem;
}

// What PreCreateWindow may change before the frame is made: its size in pixels (0: the default).
struct CREATESTRUCT {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

class CFrameWnd : public QMainWindow, public CCmdTarget {
    Q_OBJECT
public:
    explicit CFrameWnd(QWidget* pParent = nullptr);
    ~CFrameWnd() override;

    // --- creation -------------------------------------------------------------------------------------
    // False when PreCreateWindow or OnCreate failed; the caller then deletes the frame.
    virtual bool LoadFrame(int nIDResource, CFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    virtual bool PreCreateWindow(CREATESTRUCT& cs);
    // -1 fails the creation. Base: OnCreateClient.
    virtual int OnCreate(CCreateContext* pContext);
    // Base: one view from the context's view factory, as the whole client.
    virtual bool OnCreateClient(CCreateContext* pContext);
    // A view from the context placed as the client; null on failure.
    CView* CreateView(CCreateContext* pContext);
    int GetResourceID() const { return m_nIDResource; }

    // The widget that fills the frame under the bars (a view, a splitter, the MDI area).
    void SetClientWidget(QWidget* pClient);
    QWidget* GetClientWidget() const { return m_pClient; }

    // --- views and documents --------------------------------------------------------------------------
    virtual CView* GetActiveView() const { return m_pActiveView; }
    // Makes the view the active one; with bNotify, OnActivateView goes to the old view (false) and the new
    // one (true).
    virtual void SetActiveView(CView* pViewNew, bool bNotify = true);
    virtual CDocument* GetActiveDocument();
    // The frame whose view gets commands: the active document window of an MDI frame, else this.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    // OnInitialUpdate of every view of the frame, the first view made active, the frame shown.
    virtual void InitialUpdateFrame(CDocument* pDoc, bool bMakeVisible = true);
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(bool bAddToTitle);
    // Closing as the user asks it (window close button, File Close of a last frame, Exit for the main
    // frame): save prompts, then the frame goes. Returns false when the user cancelled.
    virtual bool OnClose();
    // Detaches the frame's views from their documents, takes the frame off the screen and deletes it
    // once control is back in the event loop.
    virtual void DestroyWindow();
    bool IsDestroyed() const { return m_bDestroyed; }

    void SetTitle(const std::string& strTitle);
    const std::string& GetTitle() const { return m_strTitle; }
    void ShowWindow(int nCmdShow);
    void UpdateWindow();
    // Centres the frame on its parent's window, or on the screen for a main frame.
    void CenterWindow();

    // --- commands ---------------------------------------------------------------------------------------
    // The route: active view (and its document), this frame, the application.
    bool OnCmdMsg(int nID, CCmdUI* pUpdate) override;
    // The route without the application (an MDI frame puts the main frame before it).
    virtual bool RouteCmdMsg(int nID, CCmdUI* pUpdate);
    // Walks the update rules for pCmdUI->m_nID.
    void UpdateCmdUI(CCmdUI& cmdUI);
    bool IsCommandEnabled(int nID);
    bool IsCommandChecked(int nID);
    // Asks the rules, then runs the handler; returns whether it ran.
    bool SendCommand(int nID);
    // SendCommand once the event loop is back.
    void PostCommand(int nID);
    // Refreshes every action's state now (the idle refresh).
    void OnIdleUpdateCmdUI();
    // Arms the idle refresh.
    void RequestIdleUpdate();

    // --- menus and accelerators -------------------------------------------------------------------------
    // Shows menu template nIDMenu as the menu bar (built once, kept for the next switch). False when the
    // template does not exist; the bar then stays as it was.
    bool LoadMenuBar(int nIDMenu);
    int GetMenuBarID() const { return m_nMenuID; }
    // The actions of the shown menu bar bound to a command, in menu order.
    std::vector<QAction*> FindMenuItems(int nID) const;
    // Runs what a menu does before it opens (recent files, window list, states) for the popup that
    // holds the command, so tests can look at it without opening it. Null when no popup has it.
    QMenu* PrepareMenuFor(int nID);
    bool LoadAccelTable(int nIDResource);
    const std::vector<QAction*>& GetAccelActions() const { return m_accelActions; }

    // --- status bar and control bars --------------------------------------------------------------------
    void SetMessageText(const std::string& strText);
    std::string GetMessageText() const;
    // The prompt (first line) of string resource nID; empty when none.
    virtual std::string GetMessageString(int nID) const;
    // A control bar by its window id (AFX_IDW_TOOLBAR, AFX_IDW_STATUS_BAR, a dialog bar's id); null if none.
    QWidget* GetControlBar(int nID) const;
    // Shows or hides a bar (bDelay: the layout follows when the event loop is back; it always does here).
    void ShowControlBar(QWidget* pBar, bool bShow, bool bDelay);
    // Places a bar: toolbars in the top toolbar area; any other bar (a CDialogBar) at the top of the client
    // area, under the toolbars.
    void DockControlBar(QWidget* pBar);
    void EnableDocking(unsigned nDockStyle) { m_nDockStyle = nDockStyle; }
    void RecalcLayout();

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    bool event(QEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

    // Document windows say yes: no menu bar, no accelerators, no bar commands of their own.
    virtual bool IsChildFrame() const { return false; }
    // A popup of the menu bar is about to open: recent files, then the rules.
    virtual void OnMenuAboutToShow(QMenu* pMenu);
    // View > Toolbar / Status Bar: shows or hides the bar with that window id.
    void OnBarCheck(int nBarID);
    // The first half of DestroyWindow: marks the frame destroyed and detaches its views from their
    // documents (a document whose last view goes closes itself).
    void ReleaseViews();
    // The views inside this frame (not inside frames nested in it), in their documents' order.
    std::vector<CView*> GetFrameViews() const;

    int m_nIDResource = 0;
    bool m_bDestroyed = false;

private:
    QMenu* BuildPopup(const fw::MenuItem& item);
    void UpdateRecentFileItems(QMenu* pMenu);
    void UpdateMenuStates(QMenu* pMenu);
    void ApplyState(QAction* pAction, int nID, std::map<int, CCmdUI>& cache, bool bMenu);
    void HookActionToCommand(QAction* pAction, int nID);
    void DockTopBar(QWidget* pBar);
    std::string IdleMessage() const;

    std::string m_strTitle;
    CView* m_pActiveView = nullptr;
    QPointer<QWidget> m_pClient;
    QWidget* m_pClientHost = nullptr;
    QVBoxLayout* m_pClientLayout = nullptr;
    int m_nTopBars = 0;
    // Per menu template: the bar's top-level actions (popups' menu actions), built once.
    std::map<int, std::vector<QAction*>> m_menus;
    int m_nMenuID = 0;
    std::map<QMenu*, std::vector<QAction*>> m_mruActions;
    std::vector<QAction*> m_accelActions;
    QTimer* m_pIdleTimer = nullptr;
    unsigned m_nDockStyle = 0;
};
