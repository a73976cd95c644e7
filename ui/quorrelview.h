#pragma once
// The left pane of a document window: the fourteen categories at the root of a tree and one node per
// card under its category. The tree owns the notion of the selected category and card: it tells the main
// frame the card counts and whether a card is selected, and shows the selected card in the list view by
// broadcasting it with its category's four labels.
//
// Card nodes are sorted by their text while the arrays keep insertion order: a card node's item data is
// the card's index in its category's array. Every operation below says which of the two it takes.
#include "cardstore/categories.h"
#include "framework/imagelist.h"
#include "framework/treeview.h"

#include <array>
#include <cstdint>
#include <string>

class CCard;
class CFrameWnd;
class CMainFrame;
class CQuorrelDoc;

class CQuorrelView : public CTreeView {
    Q_OBJECT
public:
    CQuorrelView();
    ~CQuorrelView() override;

    bool Create(QWidget* pParent, CCreateContext* pContext) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, intptr_t lHint, CObject* pHint) override;
    void OnActivateView(bool bActivate, CView* pActivateView, CView* pDeactiveView) override;

    CQuorrelDoc* GetDocument() const;

    // --- lookups ---------------------------------------------------------------------------------------
    // The category node whose name equals strName exactly (case-sensitive), or null.
    HTREEITEM GetCategoryItem(const std::string& strName) const;
    // The size of the category array of a category node; 0 for any other handle.
    int GetCategoryCardCount(HTREEITEM hItem, const CQuorrelDoc* pDoc) const;
    // Card nIndex of the category array of a category node (array order); null for any other handle.
    CCard* GetCardAt(HTREEITEM hItem, int nIndex, const CQuorrelDoc* pDoc) const;
    int GetTotalCardCount() const;
    // The selected category node's text, or the text of the selected card node's category.
    void GetCurrentCategoryName(std::string& strName) const;
    std::string GetCurrentCategoryName() const;
    // The selected card (by m_nCurrentCard in the selected node's category); null while a category node
    // or nothing is selected.
    CCard* GetCurrentCard() const;
    int GetCurrentCardIndex() const { return m_nCurrentCard; }
    void SetCardSelected(bool bSelected) { m_bCardSelected = bSelected; }
    bool IsCardSelected() const { return m_bCardSelected; }

    // --- selection -------------------------------------------------------------------------------------
    void SelectTreeItem(HTREEITEM hItem);
    // Expands the category and selects its child at position n in display order (n <= 0: the first).
    void SelectNthCard(HTREEITEM hCategory, int n);
    // Selects the child whose item data (array index) is nIndex; none when no child has it; the category
    // itself when it has no children.
    void SelectCardByIndex(HTREEITEM hCategory, int nIndex);
    // The first or last card node of the current category, in display order.
    void SelectFirstOrLastCard(bool bLast);
    // Open folder for a count above 0, closed for 0, unchanged for a negative count.
    void SetCategoryImage(HTREEITEM hCategory, int nCount);

    // The category index of a category node, or -1.
    int CategoryIndexOf(HTREEITEM hItem) const;
    HTREEITEM GetCategoryNode(int nCategory) const;

    std::array<HTREEITEM, CATEGORY_COUNT> m_hCategoryItem{};
    int m_nClosedImage = 0;
    int m_nOpenImage = 1;
    int m_nCardImage = 2;
    CImageList m_imageList;
    bool m_bCardSelected = false;
    int m_nCurrentCard = 0;

protected:
    void OnSelChanged(HTREEITEM hOld, HTREEITEM hNew) override;
    void OnItemExpanding(HTREEITEM hItem, int nImage, bool bExpanding) override;
    void OnDblClk(HTREEITEM hItem) override;
    void OnRClick(HTREEITEM hItem) override;

private:
    void InsertCategoryItems();
    void FillCategory(int nCategory);
    void ShowCard(HTREEITEM hCategory, int nIndex, const std::string& strCategory);
    CMainFrame* GetFrame() const;

    // The document window, compared with (never reached through) while the view is destroyed.
    const CFrameWnd* m_pOwnFrame = nullptr;
};
