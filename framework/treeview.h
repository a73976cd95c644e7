#pragma once
// A view that is a tree control (CTreeCtrl) filling the view. The tree's notifications arrive as the
// virtuals below; the derived view overrides those it needs.
#include "framework/treectrl.h"
#include "framework/view.h"

class CTreeView : public CView {
    Q_OBJECT
public:
    explicit CTreeView(QWidget* pParent = nullptr);
    ~CTreeView() override;

    CTreeCtrl& GetTreeCtrl() const { return *m_pTree; }

protected:
    // The selection moved from hOld (null for the first selection) to hNew (null: no selection).
    virtual void OnSelChanged(HTREEITEM hOld, HTREEITEM hNew);
    // An item is opening (bExpanding) or closing; nImage is its image as stored when the notification
    // started, whatever the handler does to it.
    virtual void OnItemExpanding(HTREEITEM hItem, int nImage, bool bExpanding);
    // A double click; hItem is the item hit, null on empty space. The control still opens or closes the
    // item as usual.
    virtual void OnDblClk(HTREEITEM hItem);
    // A right click; hItem is the item hit, or null.
    virtual void OnRClick(HTREEITEM hItem);

private:
    CTreeCtrl* m_pTree;
};
