#include "framework/toolbar.h"

#include "framework/framewnd.h"
#include "framework/fwcommon.h"
#include "framework/restypes.h"
#include "framework/textcodec.h"

#include <QAction>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <map>

namespace {

constexpr const char* PropCommand = "fwCommand";

// Each picture is drawn once per size for the whole program.
std::map<std::pair<std::string, int>, QIcon>& ImageCache() {
    static std::map<std::pair<std::string, int>, QIcon> s_cache;
    return s_cache;
}

}  // namespace

CToolBar::CToolBar(QWidget* pParent) : QToolBar(pParent) {}

CToolBar::~CToolBar() = default;

bool CToolBar::Create(CFrameWnd* pParentWnd, unsigned nStyle, int nID) {
    if (pParentWnd == nullptr) {
        return false;
    }
    m_pFrame = pParentWnd;
    m_nBarID = nID;
    m_nBarStyle = nStyle;
    setObjectName(QStringLiteral("ToolBar%1").arg(nID));
    setFloatable(false);
    Qt::ToolBarArea area = Qt::TopToolBarArea;
    if ((nStyle & CBRS_ALIGN_ANY) == CBRS_ALIGN_BOTTOM) {
        area = Qt::BottomToolBarArea;
    } else if ((nStyle & CBRS_ALIGN_ANY) == CBRS_ALIGN_LEFT) {
        area = Qt::LeftToolBarArea;
    } else if ((nStyle & CBRS_ALIGN_ANY) == CBRS_ALIGN_RIGHT) {
        area = Qt::RightToolBarArea;
    }
    pParentWnd->addToolBar(area, this);
    return true;
}

bool CToolBar::CreateEx(CFrameWnd* pParentWnd, unsigned /*nCtrlStyle*/, unsigned nStyle, int nID) {
    return Create(pParentWnd, nStyle, nID);
}

void CToolBar::EnableDocking(unsigned nDockStyle) {
    Qt::ToolBarAreas areas;
    if (nDockStyle & CBRS_ALIGN_TOP) {
        areas |= Qt::TopToolBarArea;
    }
    if (nDockStyle & CBRS_ALIGN_BOTTOM) {
        areas |= Qt::BottomToolBarArea;
    }
    if (nDockStyle & CBRS_ALIGN_LEFT) {
        areas |= Qt::LeftToolBarArea;
    }
    if (nDockStyle & CBRS_ALIGN_RIGHT) {
        areas |= Qt::RightToolBarArea;
    }
    setAllowedAreas(areas == Qt::ToolBarAreas() ? Qt::TopToolBarArea : areas);
    setMovable(areas != Qt::ToolBarAreas());
}

QIcon CToolBar::RenderImage(const std::string& strPath) const {
    const qreal dpr = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    const auto key = std::make_pair(strPath, m_nImageWidth * 1000 + m_nImageHeight + static_cast<int>(dpr * 100) * 1000000);
    auto& cache = ImageCache();
    if (auto it = cache.find(key); it != cache.end()) {
        return it->second;
    }
    QSvgRenderer renderer(QString::fromStdString(strPath));
    QIcon icon;
    if (renderer.isValid()) {
        QPixmap pixmap(QSize(m_nImageWidth, m_nImageHeight) * dpr);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            renderer.render(&painter);
        }
        pixmap.setDevicePixelRatio(dpr);
        icon = QIcon(pixmap);
    }
    cache.emplace(key, icon);
    return icon;
}

bool CToolBar::LoadToolBar(int nIDResource) {
    const fw::ToolbarTemplate* pTemplate = fw::FindToolbarTemplate(nIDResource);
    if (pTemplate == nullptr) {
        return false;
    }
    m_nImageWidth = pTemplate->imageWidth;
    m_nImageHeight = pTemplate->imageHeight;
    setIconSize(QSize(m_nImageWidth, m_nImageHeight));
    m_images.clear();
    if (const fw::ToolbarImages* pImages = fw::FindToolbarImages(nIDResource)) {
        // A picture that cannot be read leaves its button without an image rather than the program
        // without a toolbar.
        for (const std::string& strPath : pImages->paths) {
            m_images.push_back(RenderImage(strPath));
        }
    }
    m_items.clear();
    int nImage = 0;
    for (int nID : pTemplate->buttons) {
        Item item;
        item.nID = nID;
        if (nID == 0) {
            item.nStyle = TBBS_SEPARATOR;
        } else {
            item.nImage = nImage++;
        }
        m_items.push_back(item);
    }
    Rebuild();
    return true;
}

void CToolBar::SetupButton(Item& item) {
    if (item.nStyle & TBBS_SEPARATOR) {
        return;
    }
    QAction* pAction = item.pAction;
    pAction->setProperty(PropCommand, item.nID);
    pAction->setIcon(item.nImage >= 0 && item.nImage < GetImageCount() ? m_images[static_cast<size_t>(item.nImage)]
                                                                       : QIcon());
    const std::string strResource = fw::LoadResString(item.nID);
    pAction->setToolTip(fw::BytesToQString(fw::TipPart(strResource)));
    pAction->setStatusTip(fw::BytesToQString(fw::PromptPart(strResource)));
    pAction->setCheckable((item.nStyle & TBBS_CHECKBOX) != 0);
}

void CToolBar::Rebuild() {
    for (QAction* pAction : actions()) {
        removeAction(pAction);
        if (pAction->parent() == this) {
            delete pAction;
        }
    }
    for (Item& item : m_items) {
        if (item.nStyle & TBBS_SEPARATOR) {
            item.pAction = addSeparator();
            continue;
        }
        item.pAction = new QAction(this);
        QAction* pAction = item.pAction;
        connect(pAction, &QAction::triggered, this, [this, pAction] {
            const int nID = pAction->property(PropCommand).toInt();
            if (m_pFrame != nullptr && nID > 0) {
                m_pFrame->SendCommand(nID);
            }
        });
        SetupButton(item);
        addAction(pAction);
    }
}

int CToolBar::GetItemID(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetButtonCount()) {
        return -1;
    }
    const Item& item = m_items[static_cast<size_t>(nIndex)];
    return (item.nStyle & TBBS_SEPARATOR) ? 0 : item.nID;
}

int CToolBar::CommandToIndex(int nID) const {
    for (int i = 0; i < GetButtonCount(); ++i) {
        if (GetItemID(i) == nID) {
            return i;
        }
    }
    return -1;
}

void CToolBar::GetButtonInfo(int nIndex, int& nID, unsigned& nStyle, int& nImage) const {
    if (nIndex < 0 || nIndex >= GetButtonCount()) {
        nID = 0;
        nStyle = TBBS_SEPARATOR;
        nImage = -1;
        return;
    }
    const Item& item = m_items[static_cast<size_t>(nIndex)];
    nID = item.nID;
    nStyle = item.nStyle;
    nImage = item.nImage;
}

QAction* CToolBar::GetItemAction(int nIndex) const {
    return nIndex >= 0 && nIndex < GetButtonCount() ? m_items[static_cast<size_t>(nIndex)].pAction : nullptr;
}

void CToolBar::SetButtonInfo(int nIndex, int nID, unsigned nStyle, int nImage) {
    if (nIndex < 0 || nIndex >= GetButtonCount()) {
        return;
    }
    Item& item = m_items[static_cast<size_t>(nIndex)];
    const bool bWasSeparator = (item.nStyle & TBBS_SEPARATOR) != 0;
    const bool bSeparator = (nStyle & TBBS_SEPARATOR) != 0;
    item.nID = nID;
    item.nStyle = nStyle;
    item.nImage = bSeparator ? -1 : nImage;
    if (bWasSeparator != bSeparator) {
        Rebuild();
        return;
    }
    SetupButton(item);
    if (m_pFrame != nullptr) {
        m_pFrame->RequestIdleUpdate();
    }
}

int CToolBar::AddImage(const std::string& strPath) {
    const QIcon icon = RenderImage(strPath);
    if (icon.isNull()) {
        return -1;
    }
    m_images.push_back(icon);
    return GetImageCount() - 1;
}
