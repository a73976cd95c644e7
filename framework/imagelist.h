#pragma once
// A list of small images addressed by index, as tree items and toolbar buttons refer to them. The
// owner (a view) keeps it; controls hold a pointer.
#include <QIcon>
#include <vector>

class CImageList {
public:
    // Index of the new image.
    int Add(const QIcon& icon) {
        m_icons.push_back(icon);
        return static_cast<int>(m_icons.size()) - 1;
    }
    int GetImageCount() const { return static_cast<int>(m_icons.size()); }
    // A null icon for an index outside the list.
    QIcon GetIcon(int nImage) const {
        return nImage >= 0 && nImage < GetImageCount() ? m_icons[static_cast<size_t>(nImage)] : QIcon();
    }
    void RemoveAll() { m_icons.clear(); }

private:
    std::vector<QIcon> m_icons;
};
