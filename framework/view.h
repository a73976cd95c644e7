#pragma once
// A view shows a document in a frame: a QWidget (the derived view puts its control inside) and a command
// target that sits on the route between its frame and its document. A template or a splitter makes it
// with Create(parent, context), which attaches it to the document; the frame calls OnInitialUpdate once
// before showing it, the document calls OnUpdate for every change broadcast, and OnActivateView tells it
// when it becomes or stops being the frame's active view (a view becomes active when it gets the focus).
//
// The base view handles ID_NEXT_PANE / ID_PREV_PANE by moving the focus to the other pane of its splitter.
#include "framework/cmdtarget.h"
#include "framework/createcontext.h"

#include <QWidget>
#include <cstdint>

class CDocument;
class CFrameWnd;
class CSplitterWnd;

class CView : public QWidget, public CCmdTarget {
    Q_OBJECT
public:
    explicit CView(QWidget* pParent = nullptr);
    ~CView() override;

    // Places the view in pParent and attaches it to the context's document. False when there is nothing
    // to attach it to (no context or no document).
    virtual bool Create(QWidget* pParent, CCreateContext* pContext);

    CDocument* GetDocument() const { return m_pDocument; }
    // The nearest frame holding the view (its document window), or null.
    CFrameWnd* GetParentFrame() const;
    // The splitter holding the view, or null.
    CSplitterWnd* GetParentSplitter() const;

    // Default: OnUpdate(nullptr, 0, nullptr).
    virtual void OnInitialUpdate();
    // Default: nothing.
    virtual void OnUpdate(CView* pSender, intptr_t lHint, CObject* pHint);
    // Default: an activated view takes the keyboard focus when its window is the active one.
    virtual void OnActivateView(bool bActivate, CView* pActivateView, CView* pDeactiveView);

    // Gives the keyboard focus to the view's control.
    void SetFocus();

    // Route: own map, then the document's.
    bool OnCmdMsg(int nID, CCmdUI* pUpdate) override;

protected:
    // The control that fills the view and takes its focus (the tree, the list).
    void SetViewControl(QWidget* pControl);
    QWidget* GetViewControl() const { return m_pControl; }

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
    QWidget* m_pControl = nullptr;
};
