#pragma once
// The tree control of a CTreeView, over QTreeWidget. Items are addressed by opaque handles (HTREEITEM)
// that stay valid until the item is deleted. Texts cross as bytes and keep their exact bytes: GetItemText
// returns what InsertItem was given. Each item has an image and a selected image (indexes into the
// control's image list) and an integer of item data.
//
// Sorted insertion (TVI_SORT) compares texts without regard to case; items of equal text keep their
// insertion order. InsertSortedChildren inserts many children at once, merged into the sorted order, in
// one pass (a refill of thousands of items stays fast).
//
// Expansion: the user's expand and collapse, and a selection that opens a collapsed parent, notify the
// owner (OnItemExpanding); Expand() from the program notifies only the first time an item is expanded,
// as the classic tree control did.
#include <QTreeWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CImageList;
struct TreeItemHandle;
using HTREEITEM = TreeItemHandle*;

// Special handles for InsertItem's parent and insert-after arguments.
inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x10000));
inline const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x0FFFE));
inline const HTREEITEM TVI_SORT = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x0FFFD));

// Expand() codes.
enum : unsigned { TVE_COLLAPSE = 0x1, TVE_EXPAND = 0x2, TVE_TOGGLE = 0x3 };

// One child for InsertSortedChildren.
struct TreeItemInfo {
    std::string strText;
    int nImage = 0;
    int nSelectedImage = 0;
    intptr_t nData = 0;
};

class CTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CTreeCtrl(QWidget* pParent = nullptr);
    ~CTreeCtrl() override;

    // hParent: TVI_ROOT (or null) for the root; hInsertAfter: TVI_LAST, TVI_FIRST, TVI_SORT or a sibling.
    // Null when the parent or the sibling is not an item of this tree.
    HTREEITEM InsertItem(const std::string& strText, int nImage, int nSelectedImage,
                         HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    // Handles in the order of items (not the sorted order).
    std::vector<HTREEITEM> InsertSortedChildren(HTREEITEM hParent, const std::vector<TreeItemInfo>& items);
    bool DeleteItem(HTREEITEM hItem);
    void DeleteAllItems();
    // Deletes the children of an item, keeps the item.
    void DeleteChildItems(HTREEITEM hItem);

    HTREEITEM GetRootItem() const;
    // hItem null or TVI_ROOT: the first root item.
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;  // null for a root item
    HTREEITEM GetSelectedItem() const;
    bool ItemHasChildren(HTREEITEM hItem) const;
    int GetChildCount(HTREEITEM hItem) const;
    int GetCount() const;

    std::string GetItemText(HTREEITEM hItem) const;
    bool SetItemText(HTREEITEM hItem, const std::string& strText);
    bool GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    bool SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    intptr_t GetItemData(HTREEITEM hItem) const;
    bool SetItemData(HTREEITEM hItem, intptr_t nData);
    bool IsExpanded(HTREEITEM hItem) const;

    // Null clears the selection. Opens the parents of the item and scrolls it into view.
    bool SelectItem(HTREEITEM hItem);
    bool Expand(HTREEITEM hItem, unsigned nCode);
    bool EnsureVisible(HTREEITEM hItem);

    void SetImageList(const CImageList* pImageList);
    const CImageList* GetImageList() const { return m_pImageList; }

    // Handle <-> widget item, for code that needs Qt's item directly.
    static QTreeWidgetItem* ItemFromHandle(HTREEITEM hItem);
    static HTREEITEM HandleFromItem(QTreeWidgetItem* pItem);

    // Notifications, set by the owning view.
    std::function<void(HTREEITEM hOld, HTREEITEM hNew)> m_onSelChanged;
    std::function<void(HTREEITEM hItem, int nImage, bool bExpanding)> m_onItemExpanding;
    std::function<void(HTREEITEM hItem)> m_onDblClk;
    std::function<void(HTREEITEM hItem)> m_onRClick;

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    QTreeWidgetItem* MakeItem(const std::string& strText, int nImage, int nSelectedImage, intptr_t nData) const;
    void ApplyIcon(QTreeWidgetItem* pItem) const;
    bool IsOwnItem(QTreeWidgetItem* pItem) const;
    int RowOf(QTreeWidgetItem* pItem) const;
    void OnExpandedOrCollapsed(QTreeWidgetItem* pItem, bool bExpanded);

    const CImageList* m_pImageList = nullptr;
    int m_nSilentExpand = 0;
    // The last row looked up, so walking siblings in order costs one step each.
    mutable QTreeWidgetItem* m_pRowCacheItem = nullptr;
    mutable int m_nRowCache = -1;
};
