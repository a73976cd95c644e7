#pragma once
// A static splitter: a fixed grid of panes, each a view, with movable dividers. A document window's
// OnCreateClient makes it in place of a single view:
//
//     m_wndSplitter.CreateStatic(this, 1, 2);
//     m_wndSplitter.CreateView(0, 0, [] { return new CTreeViewKind; }, width, 0, pContext);
//     m_wndSplitter.CreateView(0, 1, [] { return new CListViewKind; }, 0, 0, pContext);
//
// Pane (0, 0) is made first and is the first view of the document. ID_NEXT_PANE / ID_PREV_PANE (F6,
// Shift+F6) move the focus and the active view to the next or previous pane.
#include "framework/createcontext.h"

#include <QWidget>
#include <vector>

class QSplitter;
class CFrameWnd;

class CSplitterWnd : public QWidget {
    Q_OBJECT
public:
    explicit CSplitterWnd(QWidget* pParent = nullptr);
    ~CSplitterWnd() override;

    // pParent: the frame (the splitter becomes its client) or any widget. False for a grid of no panes.
    bool CreateStatic(QWidget* pParent, int nRows, int nCols);
    // cx / cy: the pane's initial width / height in pixels (0: what is left).
    bool CreateView(int nRow, int nCol, const ViewFactory& viewFactory, int cx, int cy,
                    CCreateContext* pContext);
    QWidget* GetPane(int nRow, int nCol) const;
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetPaneCount() const { return m_nRows * m_nCols; }

    // Moves the focus and the frame's active view to the next (or previous) pane, wrapping around.
    void ActivateNext(bool bPrev = false);

protected:
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    int PaneIndexOf(const QWidget* pWidget) const;
    void ApplyInitialSizes();

    int m_nRows = 0;
    int m_nCols = 0;
    QSplitter* m_pRows = nullptr;
    std::vector<QSplitter*> m_rowSplitters;
    std::vector<QWidget*> m_panes;
    std::vector<int> m_colWidths;
    std::vector<int> m_rowHeights;
    bool m_bSizesApplied = false;
};
