#include "framework/listctrl.h"

#include "framework/textcodec.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace {
// The original bytes of each cell, so texts come back exactly as they went in.
constexpr int RoleBytes = Qt::UserRole;

QByteArray ToByteArray(const std::string& str) { return QByteArray(str.data(), static_cast<qsizetype>(str.size())); }
}  // namespace

CListCtrl::CListCtrl(QWidget* pParent) : QTreeWidget(pParent) {
    setColumnCount(0);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSortingEnabled(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
}

CListCtrl::~CListCtrl() {
    m_onDblClk = nullptr;
    m_onRClick = nullptr;
}

int CListCtrl::InsertColumn(int nCol, const std::string& strHeading, int nFormat, int nWidth) {
    const int nCount = columnCount();
    if (nCol < 0 || nCol > nCount) {
        return -1;
    }
    QTreeWidgetItem* pHeader = headerItem();
    // Shift the later headings one place right.
    setColumnCount(nCount + 1);
    for (int c = nCount; c > nCol; --c) {
        pHeader->setText(c, pHeader->text(c - 1));
        pHeader->setData(c, RoleBytes, pHeader->data(c - 1, RoleBytes));
        pHeader->setTextAlignment(c, Qt::Alignment(pHeader->textAlignment(c - 1)));
        for (int r = 0; r < topLevelItemCount(); ++r) {
            QTreeWidgetItem* pItem = topLevelItem(r);
            pItem->setText(c, pItem->text(c - 1));
            pItem->setData(c, RoleBytes, pItem->data(c - 1, RoleBytes));
        }
    }
    pHeader->setText(nCol, fw::BytesToQString(strHeading));
    pHeader->setData(nCol, RoleBytes, ToByteArray(strHeading));
    Qt::Alignment align = Qt::AlignLeft;
    if (nFormat == LVCFMT_RIGHT) {
        align = Qt::AlignRight;
    } else if (nFormat == LVCFMT_CENTER) {
        align = Qt::AlignHCenter;
    }
    pHeader->setTextAlignment(nCol, align | Qt::AlignVCenter);
    for (int r = 0; r < topLevelItemCount(); ++r) {
        topLevelItem(r)->setText(nCol, QString());
        topLevelItem(r)->setData(nCol, RoleBytes, QByteArray());
    }
    if (nWidth >= 0) {
        header()->resizeSection(nCol, nWidth);
    }
    return nCol;
}

int CListCtrl::GetColumnCount() const { return columnCount(); }

std::string CListCtrl::GetColumnHeading(int nCol) const {
    if (nCol < 0 || nCol >= columnCount()) {
        return {};
    }
    const QByteArray bytes = headerItem()->data(nCol, RoleBytes).toByteArray();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

int CListCtrl::GetColumnWidth(int nCol) const {
    return nCol >= 0 && nCol < columnCount() ? header()->sectionSize(nCol) : 0;
}

int CListCtrl::InsertItem(int nItem, const std::string& strText) {
    const int nCount = topLevelItemCount();
    const int nRow = nItem < 0 || nItem > nCount ? nCount : nItem;
    auto* pItem = new QTreeWidgetItem;
    pItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    pItem->setText(0, fw::BytesToQString(strText));
    pItem->setData(0, RoleBytes, ToByteArray(strText));
    if (m_textColor.isValid()) {
        for (int c = 0; c < std::max(1, columnCount()); ++c) {
            pItem->setForeground(c, m_textColor);
        }
    }
    insertTopLevelItem(nRow, pItem);
    return nRow;
}

bool CListCtrl::SetItemText(int nItem, int nSubItem, const std::string& strText) {
    QTreeWidgetItem* pItem = topLevelItem(nItem);
    if (pItem == nullptr || nSubItem < 0 || nSubItem >= std::max(1, columnCount())) {
        return false;
    }
    pItem->setText(nSubItem, fw::BytesToQString(strText));
    pItem->setData(nSubItem, RoleBytes, ToByteArray(strText));
    if (m_textColor.isValid()) {
        pItem->setForeground(nSubItem, m_textColor);
    }
    return true;
}

std::string CListCtrl::GetItemText(int nItem, int nSubItem) const {
    QTreeWidgetItem* pItem = topLevelItem(nItem);
    if (pItem == nullptr || nSubItem < 0) {
        return {};
    }
    const QByteArray bytes = pItem->data(nSubItem, RoleBytes).toByteArray();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool CListCtrl::DeleteItem(int nItem) {
    QTreeWidgetItem* pItem = topLevelItem(nItem);
    if (pItem == nullptr) {
        return false;
    }
    delete pItem;
    return true;
}

void CListCtrl::DeleteAllItems() { clear(); }

int CListCtrl::GetItemCount() const { return topLevelItemCount(); }

int CListCtrl::GetSelectedItem() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.front());
}

void CListCtrl::SelectItem(int nItem) {
    QTreeWidgetItem* pItem = topLevelItem(nItem);
    if (pItem == nullptr) {
        clearSelection();
        return;
    }
    setCurrentItem(pItem);
}

void CListCtrl::SetTextColor(const QColor& color) {
    m_textColor = color;
    for (int r = 0; r < topLevelItemCount(); ++r) {
        for (int c = 0; c < std::max(1, columnCount()); ++c) {
            topLevelItem(r)->setForeground(c, color);
        }
    }
}

bool CListCtrl::GetItemPosition(int nItem, QPoint& point) const {
    QTreeWidgetItem* pItem = topLevelItem(nItem);
    if (pItem == nullptr) {
        return false;
    }
    // visualItemRect is in viewport pixels; the client is the whole control.
    point = viewport()->mapTo(this, visualItemRect(pItem).topLeft());
    return true;
}

QPoint CListCtrl::ClientToScreen(const QPoint& point) const { return mapToGlobal(point); }

int CListCtrl::HitTest(const QPoint& point) const {
    QTreeWidgetItem* pItem = itemAt(viewport()->mapFrom(this, point));
    return pItem ? indexOfTopLevelItem(pItem) : -1;
}

void CListCtrl::mousePressEvent(QMouseEvent* pEvent) {
    QTreeWidget::mousePressEvent(pEvent);
    if (pEvent->button() == Qt::RightButton && m_onRClick) {
        QTreeWidgetItem* pItem = itemAt(pEvent->position().toPoint());
        m_onRClick(pItem ? indexOfTopLevelItem(pItem) : -1);
    }
}

void CListCtrl::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    QTreeWidget::mouseDoubleClickEvent(pEvent);
    if (pEvent->button() == Qt::LeftButton && m_onDblClk) {
        QTreeWidgetItem* pItem = itemAt(pEvent->position().toPoint());
        m_onDblClk(pItem ? indexOfTopLevelItem(pItem) : -1);
    }
}
