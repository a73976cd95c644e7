#pragma once
// A view that is a report-mode list control (CListCtrl) filling the view. Clicks arrive as virtuals.
#include "framework/listctrl.h"
#include "framework/view.h"

class CListView : public CView {
    Q_OBJECT
public:
    explicit CListView(QWidget* pParent = nullptr);
    ~CListView() override;

    CListCtrl& GetListCtrl() const { return *m_pList; }

protected:
    // A double click on row nItem, or -1 when no row was hit.
    virtual void OnDblClk(int nItem);
    // A right click on row nItem, or -1.
    virtual void OnRClick(int nItem);

private:
    CListCtrl* m_pList;
};
