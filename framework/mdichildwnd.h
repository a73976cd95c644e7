#pragma once
// A document window inside the main frame's MDI area (hosted by a QMdiSubWindow). A template makes it with
// LoadFrame(template id, main frame, context); OnCreateClient makes its views (the base: one view from
// the context; a derived frame may make a splitter instead). Its title is the document's title, its icon
// the template's icon. Closing it asks to save a modified document when it is the document's last window.
#include "framework/framewnd.h"

class QMdiSubWindow;
class CDocTemplate;
class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
    Q_OBJECT
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    // pParentWnd must be the CMDIFrameWnd (null: the application's main window).
    bool LoadFrame(int nIDResource, CFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    CMDIFrameWnd* GetMDIFrame() const { return m_pMDIFrame; }
    QMdiSubWindow* GetSubWindow() const { return m_pSubWindow; }
    // The template the window was made from (its menu and icon).
    CDocTemplate* GetDocTemplate() const { return m_pTemplate; }
    int GetMenuID() const;

    // Shows the window (nCmdShow: SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED, SW_SHOWNORMAL; -1 as before) and
    // makes it the active document window.
    void ActivateFrame(int nCmdShow = -1) override;
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();
    bool IsMDIMaximized() const;
    // The window menu of the document window (Restore, Move, Close ...).
    QMenu* GetSystemMenu() const;

    CDocument* GetActiveDocument() override;
    bool OnClose() override;
    void DestroyWindow() override;
    void OnUpdateFrameTitle(bool bAddToTitle) override;

    // The main frame is going away before its document windows.
    void DetachFromMDIFrame() { m_pMDIFrame = nullptr; }

    // The window became (bActivate) or stopped being the active document window; its active view hears
    // of it through OnActivateView.
    virtual void OnMDIActivate(bool bActivate, CMDIChildWnd* pActivateWnd, CMDIChildWnd* pDeactivateWnd);

protected:
    bool IsChildFrame() const override { return true; }
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    CMDIFrameWnd* m_pMDIFrame = nullptr;
    QMdiSubWindow* m_pSubWindow = nullptr;
    CDocTemplate* m_pTemplate = nullptr;
};
