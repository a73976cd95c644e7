#pragma once
// The report-mode list control of a CListView, over QTreeWidget without decoration: columns with headers
// and widths, rows of texts. Texts cross as bytes and keep their exact bytes. Headers do not sort; one row
// at most is selected.
#include <QColor>
#include <QPoint>
#include <QTreeWidget>
#include <functional>
#include <string>

enum : int { LVCFMT_LEFT = 0, LVCFMT_RIGHT = 1, LVCFMT_CENTER = 2 };

class CListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CListCtrl(QWidget* pParent = nullptr);
    ~CListCtrl() override;

    // Index of the new column, -1 on a bad index. nWidth in pixels (-1: the default width).
    int InsertColumn(int nCol, const std::string& strHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1);
    int GetColumnCount() const;
    std::string GetColumnHeading(int nCol) const;
    int GetColumnWidth(int nCol) const;

    // Inserts a row at nItem (clamped to the row count) with the text of column 0; returns its index.
    int InsertItem(int nItem, const std::string& strText);
    bool SetItemText(int nItem, int nSubItem, const std::string& strText);
    std::string GetItemText(int nItem, int nSubItem) const;
    bool DeleteItem(int nItem);
    void DeleteAllItems();
    int GetItemCount() const;
    int GetSelectedItem() const;  // -1 when none
    void SelectItem(int nItem);

    // The colour of every row's text, now and for rows inserted later.
    void SetTextColor(const QColor& color);
    QColor GetTextColor() const { return m_textColor; }

    // The upper left corner of a row in the control's client pixels; false for a bad row.
    bool GetItemPosition(int nItem, QPoint& point) const;
    QPoint ClientToScreen(const QPoint& point) const;
    // The row at a point in client pixels, -1 when none.
    int HitTest(const QPoint& point) const;

    // Notifications, set by the owning view: the row hit, or -1.
    std::function<void(int nItem)> m_onDblClk;
    std::function<void(int nItem)> m_onRClick;

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    QColor m_textColor;
};
