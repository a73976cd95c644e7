#pragma once
// Icons of the resource set, loaded lazily from their SVG pictures and kept once loaded.
#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace fw {

// A null icon or pixmap when the id has no icon resource or its picture cannot be read.
QIcon LoadIcon(int id);
QPixmap LoadIconPixmap(int id, QSize size);
// Forgets the loaded pictures (the resource set changed).
void ClearIconCache();

} // namespace fw
