#pragma once
// The main frame of a multiple-document program: a frame whose client is a QMdiArea holding the document
// windows (CMDIChildWnd). While no document window is open the menu bar is the frame's own menu (the
// LoadFrame id); otherwise it is the menu of the active document window's template. The popup that holds
// the Window commands lists the open document windows; the recent-file placeholder lists the recent
// files. Closing the main window (or ID_APP_EXIT) asks to save each modified document, closes them and
// ends the program; Cancel at any prompt stops it.
//
// Commands go to the active document window first (its active view, that view's document, the document
// window), then to this frame, then to the application.
#include "framework/framewnd.h"

#include <vector>

class QMdiArea;
class QMdiSubWindow;
class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    Q_OBJECT
public:
    explicit CMDIFrameWnd(QWidget* pParent = nullptr);
    ~CMDIFrameWnd() override;

    QMdiArea* GetMDIClient() const { return m_pMdiArea; }
    // The active document window, or null when none is open.
    CMDIChildWnd* MDIGetActive(bool* pbMaximized = nullptr) const;
    // Document windows, the active one first, then in the order they were last active (windows not yet
    // activated at the end).
    const std::vector<CMDIChildWnd*>& GetMDIChildren() const { return m_children; }

    void MDIActivate(CMDIChildWnd* pChild);
    void MDINext();
    void MDIPrev();
    void MDIMaximize(CMDIChildWnd* pChild);
    void MDIRestore(CMDIChildWnd* pChild);
    void MDICascade();
    void MDITile();
    // Lines up the minimised document windows along the bottom of the client.
    void MDIIconArrange();

    CDocument* GetActiveDocument() override;
    CFrameWnd* GetActiveFrame() override;
    bool OnCmdMsg(int nID, CCmdUI* pUpdate) override;
    bool OnClose() override;
    void DestroyWindow() override;
    void OnUpdateFrameTitle(bool bAddToTitle) override;
    // Shows the menu of the active document window's template, or the frame's own.
    void OnUpdateFrameMenu();

    // Called by the document windows.
    void AddChild(CMDIChildWnd* pChild);
    void RemoveChild(CMDIChildWnd* pChild);
    void OnChildActivated(CMDIChildWnd* pChild);

protected:
    bool OnCreateClient(CCreateContext* pContext) override;
    void OnMenuAboutToShow(QMenu* pMenu) override;

private:
    void OnSubWindowActivated(QMdiSubWindow* pSubWindow);
    void UpdateWindowList(QMenu* pMenu);

    QMdiArea* m_pMdiArea;
    std::vector<CMDIChildWnd*> m_children;
    CMDIChildWnd* m_pActiveChild = nullptr;
    std::vector<QAction*> m_windowListActions;
};
