#pragma once
// The frame's toolbar, from a toolbar template (command ids, 0 for a separator) and its images (one SVG
// per image, drawn at the template's size, 20 x 20). Separators take an item slot, so item indexes count
// them. Each button's tool tip and status prompt come from the string resource of its command
// ("prompt\ntip"). A button sends its command to the frame (SendCommand), and the frame's idle refresh
// enables it from the update rules.
#include "framework/controlbar.h"

#include <QIcon>
#include <QToolBar>
#include <string>
#include <vector>

class CFrameWnd;

// Button styles for SetButtonInfo.
enum : unsigned { TBBS_BUTTON = 0x00, TBBS_SEPARATOR = 0x01, TBBS_CHECKBOX = 0x02 };

class CToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit CToolBar(QWidget* pParent = nullptr);
    ~CToolBar() override;

    // Puts the bar into the frame's top toolbar area with window id nID.
    bool Create(CFrameWnd* pParentWnd, unsigned nStyle = CBRS_TOP, int nID = 59392 /* AFX_IDW_TOOLBAR */);
    bool CreateEx(CFrameWnd* pParentWnd, unsigned nCtrlStyle = 0, unsigned nStyle = CBRS_TOP,
                  int nID = 59392 /* AFX_IDW_TOOLBAR */);
    // The buttons of toolbar template nIDResource with the images of the same id (each picture drawn once).
    // False when the template is missing; a picture that cannot be read leaves its button without an image.
    bool LoadToolBar(int nIDResource);

    int GetBarId() const { return m_nBarID; }
    unsigned GetBarStyle() const { return m_nBarStyle; }
    void SetBarStyle(unsigned nStyle) { m_nBarStyle = nStyle; }
    void EnableDocking(unsigned nDockStyle);

    // Items, separators included.
    int GetButtonCount() const { return static_cast<int>(m_items.size()); }
    int GetItemID(int nIndex) const;  // 0 for a separator, -1 for a bad index
    int CommandToIndex(int nID) const;
    void GetButtonInfo(int nIndex, int& nID, unsigned& nStyle, int& nImage) const;
    // Makes item nIndex a button (or separator) for command nID showing image nImage.
    void SetButtonInfo(int nIndex, int nID, unsigned nStyle, int nImage);
    QAction* GetItemAction(int nIndex) const;

    // Appends an image read from an SVG file (a Qt resource path); the index of the new image, or -1.
    int AddImage(const std::string& strPath);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }

private:
    struct Item {
        int nID = 0;
        unsigned nStyle = TBBS_BUTTON;
        int nImage = -1;
        QAction* pAction = nullptr;
    };
    QIcon RenderImage(const std::string& strPath) const;
    void SetupButton(Item& item);
    void Rebuild();

    CFrameWnd* m_pFrame = nullptr;
    int m_nBarID = 0;
    unsigned m_nBarStyle = 0;
    int m_nImageWidth = 20;
    int m_nImageHeight = 20;
    std::vector<Item> m_items;
    std::vector<QIcon> m_images;
};
