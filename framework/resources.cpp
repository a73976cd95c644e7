#include "framework/resources.h"

#include "framework/restypes.h"

#include <QPainter>
#include <QSvgRenderer>
#include <map>
#include <tuple>

namespace fw {

namespace {

const ResourceSet* g_pResources = nullptr;

template <typename T> const T* FindById(const std::vector<T>& items, int id) {
    for (const T& item : items) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

std::map<int, QIcon>& IconCache() {
    static std::map<int, QIcon> cache;
    return cache;
}

std::map<std::tuple<int, int, int>, QPixmap>& PixmapCache() {
    static std::map<std::tuple<int, int, int>, QPixmap> cache;
    return cache;
}

QPixmap RenderSvg(const QString& path, QSize size) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid() || size.isEmpty()) {
        return {};
    }
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace

void SetResourceSet(const ResourceSet* resources) {
    g_pResources = resources;
    ClearIconCache();
}

const ResourceSet* GetResourceSet() {
    return g_pResources;
}

const DialogTemplate* FindDialogTemplate(int id) {
    return g_pResources ? FindById(g_pResources->dialogs, id) : nullptr;
}

const MenuTemplate* FindMenuTemplate(int id) {
    return g_pResources ? FindById(g_pResources->menus, id) : nullptr;
}

const AcceleratorTable* FindAcceleratorTable(int id) {
    return g_pResources ? FindById(g_pResources->accelerators, id) : nullptr;
}

const ToolbarTemplate* FindToolbarTemplate(int id) {
    return g_pResources ? FindById(g_pResources->toolbars, id) : nullptr;
}

const ToolbarImages* FindToolbarImages(int id) {
    return g_pResources ? FindById(g_pResources->toolbarImages, id) : nullptr;
}

const IconResource* FindIconResource(int id) {
    return g_pResources ? FindById(g_pResources->icons, id) : nullptr;
}

std::string LoadResString(int id) {
    const StringResource* s = g_pResources ? FindById(g_pResources->strings, id) : nullptr;
    return s ? s->text : std::string();
}

QIcon LoadIcon(int id) {
    auto& cache = IconCache();
    if (auto it = cache.find(id); it != cache.end()) {
        return it->second;
    }
    QIcon icon;
    if (const IconResource* res = FindIconResource(id)) {
        const QString path = QString::fromStdString(res->path);
        // Pictures at the sizes menus, buttons and windows ask for; QIcon scales between them and
        // makes the disabled look itself.
        for (int side : {16, 20, 24, 32, 48, 64}) {
            const QPixmap pm = RenderSvg(path, QSize(side, side));
            if (!pm.isNull()) {
                icon.addPixmap(pm);
            }
        }
    }
    cache.emplace(id, icon);
    return icon;
}

QPixmap LoadIconPixmap(int id, QSize size) {
    auto& cache = PixmapCache();
    const auto key = std::make_tuple(id, size.width(), size.height());
    if (auto it = cache.find(key); it != cache.end()) {
        return it->second;
    }
    QPixmap pm;
    if (const IconResource* res = FindIconResource(id)) {
        pm = RenderSvg(QString::fromStdString(res->path), size);
    }
    cache.emplace(key, pm);
    return pm;
}

void ClearIconCache() {
    IconCache().clear();
    PixmapCache().clear();
}

} // namespace fw
