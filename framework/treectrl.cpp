#include "framework/treectrl.h"

#include "framework/imagelist.h"
#include "framework/textcodec.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>
#include <numeric>

namespace {

// Item roles: the original bytes of the text, the images, the item data, and whether the item was ever
// expanded (programmatic expansion notifies only the first time).
constexpr int RoleBytes = Qt::UserRole;
constexpr int RoleImage = Qt::UserRole + 1;
constexpr int RoleSelImage = Qt::UserRole + 2;
constexpr int RoleData = Qt::UserRole + 3;
constexpr int RoleExpandedOnce = Qt::UserRole + 4;

int CompareTexts(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive); }

}  // namespace

CTreeCtrl::CTreeCtrl(QWidget* pParent) : QTreeWidget(pParent) {
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    setRootIsDecorated(true);
    setExpandsOnDoubleClick(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* pCurrent, QTreeWidgetItem* pPrevious) {
                if (pCurrent != nullptr) {
                    // Keep the selection on the current item, as the classic control has one caret.
                    pCurrent->setSelected(true);
                }
                if (m_onSelChanged) {
                    m_onSelChanged(HandleFromItem(pPrevious), HandleFromItem(pCurrent));
                }
            });
    connect(this, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* pItem) { OnExpandedOrCollapsed(pItem, true); });
    connect(this, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* pItem) { OnExpandedOrCollapsed(pItem, false); });
}

CTreeCtrl::~CTreeCtrl() {
    // No notifications while the items go.
    m_onSelChanged = nullptr;
    m_onItemExpanding = nullptr;
    blockSignals(true);
}

QTreeWidgetItem* CTreeCtrl::ItemFromHandle(HTREEITEM hItem) {
    if (hItem == nullptr || hItem == TVI_ROOT || hItem == TVI_FIRST || hItem == TVI_LAST || hItem == TVI_SORT) {
        return nullptr;
    }
    return reinterpret_cast<QTreeWidgetItem*>(hItem);
}

HTREEITEM CTreeCtrl::HandleFromItem(QTreeWidgetItem* pItem) { return reinterpret_cast<HTREEITEM>(pItem); }

bool CTreeCtrl::IsOwnItem(QTreeWidgetItem* pItem) const { return pItem != nullptr && pItem->treeWidget() == this; }

QTreeWidgetItem* CTreeCtrl::MakeItem(const std::string& strText, int nImage, int nSelectedImage,
                                     intptr_t nData) const {
    auto* pItem = new QTreeWidgetItem;
    pItem->setText(0, fw::BytesToQString(strText));
    pItem->setData(0, RoleBytes, QByteArray(strText.data(), static_cast<qsizetype>(strText.size())));
    pItem->setData(0, RoleImage, nImage);
    pItem->setData(0, RoleSelImage, nSelectedImage);
    pItem->setData(0, RoleData, static_cast<qlonglong>(nData));
    ApplyIcon(pItem);
    return pItem;
}

void CTreeCtrl::ApplyIcon(QTreeWidgetItem* pItem) const {
    if (m_pImageList != nullptr) {
        pItem->setIcon(0, m_pImageList->GetIcon(pItem->data(0, RoleImage).toInt()));
    }
}

int CTreeCtrl::RowOf(QTreeWidgetItem* pItem) const {
    QTreeWidgetItem* pParent = pItem->parent();
    const auto childAt = [&](int nRow) {
        return pParent ? pParent->child(nRow) : topLevelItem(nRow);
    };
    if (m_pRowCacheItem == pItem && m_nRowCache >= 0 && childAt(m_nRowCache) == pItem) {
        return m_nRowCache;
    }
    const int nRow = pParent ? pParent->indexOfChild(pItem) : indexOfTopLevelItem(pItem);
    m_pRowCacheItem = pItem;
    m_nRowCache = nRow;
    return nRow;
}

HTREEITEM CTreeCtrl::InsertItem(const std::string& strText, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
    QTreeWidgetItem* pParent = ItemFromHandle(hParent);
    if (pParent != nullptr && !IsOwnItem(pParent)) {
        return nullptr;
    }
    const int nCount = pParent ? pParent->childCount() : topLevelItemCount();
    const auto childAt = [&](int nRow) { return pParent ? pParent->child(nRow) : topLevelItem(nRow); };

    int nPos = nCount;
    if (hInsertAfter == TVI_FIRST) {
        nPos = 0;
    } else if (hInsertAfter == TVI_SORT) {
        // After the last child that does not sort after the new text: equal texts keep their order.
        const QString strNew = fw::BytesToQString(strText);
        int nLow = 0;
        int nHigh = nCount;
        while (nLow < nHigh) {
            const int nMid = nLow + (nHigh - nLow) / 2;
            if (CompareTexts(childAt(nMid)->text(0), strNew) <= 0) {
                nLow = nMid + 1;
            } else {
                nHigh = nMid;
            }
        }
        nPos = nLow;
    } else if (hInsertAfter != TVI_LAST && hInsertAfter != nullptr) {
        QTreeWidgetItem* pAfter = ItemFromHandle(hInsertAfter);
        if (pAfter == nullptr || !IsOwnItem(pAfter) || pAfter->parent() != pParent) {
            return nullptr;
        }
        nPos = RowOf(pAfter) + 1;
    }

    QTreeWidgetItem* pItem = MakeItem(strText, nImage, nSelectedImage, 0);
    if (pParent != nullptr) {
        pParent->insertChild(nPos, pItem);
    } else {
        insertTopLevelItem(nPos, pItem);
    }
    m_pRowCacheItem = nullptr;
    return HandleFromItem(pItem);
}

std::vector<HTREEITEM> CTreeCtrl::InsertSortedChildren(HTREEITEM hParent, const std::vector<TreeItemInfo>& items) {
    std::vector<HTREEITEM> handles(items.size(), nullptr);
    QTreeWidgetItem* pParent = ItemFromHandle(hParent);
    if ((pParent != nullptr && !IsOwnItem(pParent)) || items.empty()) {
        return handles;
    }
    std::vector<QTreeWidgetItem*> made(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        made[i] = MakeItem(items[i].strText, items[i].nImage, items[i].nSelectedImage, items[i].nData);
        handles[i] = HandleFromItem(made[i]);
    }
    // Stable sort of the new items, then one merge with the children already there: each new item goes
    // after the existing children that do not sort after it.
    std::vector<size_t> order(items.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::vector<QString> texts(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        texts[i] = made[i]->text(0);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return CompareTexts(texts[a], texts[b]) < 0; });

    const int nExisting = pParent ? pParent->childCount() : topLevelItemCount();
    const auto childAt = [&](int nRow) { return pParent ? pParent->child(nRow) : topLevelItem(nRow); };
    // Runs of new items by the existing row they go before, inserted from the last run to the first so
    // earlier positions stay valid.
    std::vector<std::pair<int, QList<QTreeWidgetItem*>>> runs;
    int nRow = 0;
    for (size_t k : order) {
        while (nRow < nExisting && CompareTexts(childAt(nRow)->text(0), texts[k]) <= 0) {
            ++nRow;
        }
        if (runs.empty() || runs.back().first != nRow) {
            runs.emplace_back(nRow, QList<QTreeWidgetItem*>());
        }
        runs.back().second.append(made[k]);
    }
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
        if (pParent != nullptr) {
            pParent->insertChildren(it->first, it->second);
        } else {
            insertTopLevelItems(it->first, it->second);
        }
    }
    m_pRowCacheItem = nullptr;
    return handles;
}

bool CTreeCtrl::DeleteItem(HTREEITEM hItem) {
    if (hItem == TVI_ROOT) {
        DeleteAllItems();
        return true;
    }
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    if (!IsOwnItem(pItem)) {
        return false;
    }
    m_pRowCacheItem = nullptr;
    delete pItem;
    return true;
}

void CTreeCtrl::DeleteAllItems() {
    m_pRowCacheItem = nullptr;
    // Nothing is left to select, so no selection change is reported for the items going.
    const QSignalBlocker blocker(this);
    clear();
}

void CTreeCtrl::DeleteChildItems(HTREEITEM hItem) {
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    if (!IsOwnItem(pItem)) {
        return;
    }
    m_pRowCacheItem = nullptr;
    const QList<QTreeWidgetItem*> children = pItem->takeChildren();
    qDeleteAll(children);
}

HTREEITEM CTreeCtrl::GetRootItem() const { return HandleFromItem(topLevelItem(0)); }

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const {
    if (hItem == nullptr || hItem == TVI_ROOT) {
        return GetRootItem();
    }
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    if (!IsOwnItem(pItem) || pItem->childCount() == 0) {
        return nullptr;
    }
    m_pRowCacheItem = pItem->child(0);
    m_nRowCache = 0;
    return HandleFromItem(pItem->child(0));
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const {
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    if (!IsOwnItem(pItem)) {
        return nullptr;
    }
    QTreeWidgetItem* pParent = pItem->parent();
    const int nRow = RowOf(pItem) + 1;
    QTreeWidgetItem* pNext = pParent ? pParent->child(nRow) : topLevelItem(nRow);
    if (pNext != nullptr) {
        m_pRowCacheItem = pNext;
        m_nRowCache = nRow;
    }
    return HandleFromItem(pNext);
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const {
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    if (!IsOwnItem(pItem)) {
        return nullptr;
    }
    QTreeWidgetItem* pParent = pItem->parent();
    const int nRow = RowOf(pItem) - 1;
    if (nRow < 0) {
        return nullptr;
    }
    QTreeWidgetItem* pPrev = pParent ? pParent->child(nRow) : topLevelItem(nRow);
    m_pRowCacheItem = pPrev;
    m_nRowCache = nRow;
    return HandleFromItem(pPrev);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const {
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    return IsOwnItem(pItem) ? HandleFromItem(pItem->parent()) : nullptr;
}

HTREEITEM CTreeCtrl::GetSelectedItem() const { return HandleFromItem(currentItem()); }

bool CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const { return GetChildCount(hItem) > 0; }

int CTreeCtrl::GetChildCount(HTREEITEM hItem) const {
    if (hItem == nullptr || hItem == TVI_ROOT) {
        return topLevelItemCount();
    }
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    return IsOwnItem(pItem) ? pItem->childCount() : 0;
}

int CTreeCtrl::GetCount() const {
    int nCount = 0;
    std::vector<QTreeWidgetItem*> stack;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        stack.push_back(topLevelItem(i));
    }
    while (!stack.empty()) {
        QTreeWidgetItem* pItem = stack.back();
        stack.pop_back();
        ++nCount;
        for (int i = 0; i < pItem->childCount(); ++i) {
            stack.push_back(pItem->child(i));
        }
    }
    return nCount;
}

std::string CTreeCtrl::GetItemText(HTREEITEM hItem) const {
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    if (!IsOwnItem(pItem)) {
        return {};
    }
    const QByteArray bytes = pItem->data(0, RoleBytes).toByteArray();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool CTreeCtrl::SetItemText(HTREEITEM hItem, const std::string& strText) {
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    if (!IsOwnItem(pItem)) {
        return false;
    }
    pItem->setText(0, fw::BytesToQString(strText));
    pItem->setData(0, RoleBytes, QByteArray(strText.data(), static_cast<qsizetype>(strText.size())));
    return true;
}

bool CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    if (!IsOwnItem(pItem)) {
        return false;
    }
    nImage = pItem->data(0, RoleImage).toInt();
    nSelectedImage = pItem->data(0, RoleSelImage).toInt();
    return true;
}

bool CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    if (!IsOwnItem(pItem)) {
        return false;
    }
    pItem->setData(0, RoleImage, nImage);
    pItem->setData(0, RoleSelImage, nSelectedImage);
    ApplyIcon(pItem);
    return true;
}

intptr_t CTreeCtrl::GetItemData(HTREEITEM hItem) const {
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    return IsOwnItem(pItem) ? static_cast<intptr_t>(pItem->data(0, RoleData).toLongLong()) : 0;
}

bool CTreeCtrl::SetItemData(HTREEITEM hItem, intptr_t nData) {
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    if (!IsOwnItem(pItem)) {
        return false;
    }
    pItem->setData(0, RoleData, static_cast<qlonglong>(nData));
    return true;
}

bool CTreeCtrl::IsExpanded(HTREEITEM hItem) const {
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    return IsOwnItem(pItem) && pItem->isExpanded();
}

bool CTreeCtrl::SelectItem(HTREEITEM hItem) {
    if (hItem == nullptr) {
        setCurrentItem(nullptr);
        clearSelection();
        return true;
    }
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    if (!IsOwnItem(pItem)) {
        return false;
    }
    setCurrentItem(pItem);
    scrollToItem(pItem);  // opens collapsed parents, as the user would see them open
    return true;
}

bool CTreeCtrl::Expand(HTREEITEM hItem, unsigned nCode) {
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    if (!IsOwnItem(pItem) || pItem->childCount() == 0) {
        return false;
    }
    bool bExpand = pItem->isExpanded();
    switch (nCode) {
    case TVE_EXPAND:
        bExpand = true;
        break;
    case TVE_COLLAPSE:
        bExpand = false;
        break;
    case TVE_TOGGLE:
        bExpand = !bExpand;
        break;
    default:
        return false;
    }
    if (bExpand == pItem->isExpanded()) {
        return true;
    }
    const bool bSilent = pItem->data(0, RoleExpandedOnce).toBool();
    if (bSilent) {
        ++m_nSilentExpand;
    }
    pItem->setExpanded(bExpand);
    if (bSilent) {
        --m_nSilentExpand;
    }
    return true;
}

bool CTreeCtrl::EnsureVisible(HTREEITEM hItem) {
    QTreeWidgetItem* pItem = ItemFromHandle(hItem);
    if (!IsOwnItem(pItem)) {
        return false;
    }
    scrollToItem(pItem);
    return true;
}

void CTreeCtrl::SetImageList(const CImageList* pImageList) {
    m_pImageList = pImageList;
    std::vector<QTreeWidgetItem*> stack;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        stack.push_back(topLevelItem(i));
    }
    while (!stack.empty()) {
        QTreeWidgetItem* pItem = stack.back();
        stack.pop_back();
        ApplyIcon(pItem);
        for (int i = 0; i < pItem->childCount(); ++i) {
            stack.push_back(pItem->child(i));
        }
    }
}

void CTreeCtrl::OnExpandedOrCollapsed(QTreeWidgetItem* pItem, bool bExpanded) {
    if (bExpanded) {
        pItem->setData(0, RoleExpandedOnce, true);
    }
    if (m_nSilentExpand > 0 || !m_onItemExpanding) {
        return;
    }
    // The handler sees the image as it was when the notification started.
    const int nImage = pItem->data(0, RoleImage).toInt();
    m_onItemExpanding(HandleFromItem(pItem), nImage, bExpanded);
}

void CTreeCtrl::mousePressEvent(QMouseEvent* pEvent) {
    QTreeWidget::mousePressEvent(pEvent);
    if (pEvent->button() == Qt::RightButton && m_onRClick) {
        m_onRClick(HandleFromItem(itemAt(pEvent->position().toPoint())));
    }
}

void CTreeCtrl::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    QTreeWidgetItem* pHit = itemAt(pEvent->position().toPoint());
    QTreeWidget::mouseDoubleClickEvent(pEvent);
    if (pEvent->button() == Qt::LeftButton && m_onDblClk) {
        m_onDblClk(HandleFromItem(pHit));
    }
}
