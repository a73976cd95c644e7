#pragma once
// Dialog units to pixels, from the dialog font's metrics: the horizontal base unit is the average width
// of the 52 letters A-Z a-z, the vertical one the font's height; x px = x * baseX / 4, y px = y * baseY / 8.
#include <QFont>
#include <QRect>
#include <string>

class CDialogUnits {
public:
    CDialogUnits() = default;
    CDialogUnits(int baseX, int baseY) : m_nBaseX(baseX), m_nBaseY(baseY) {}
    // Base units measured from a font.
    static CDialogUnits FromFont(const QFont& font);
    // The screen font standing in for a template's font: "MS Sans Serif" 8 (and any other name) becomes
    // the system's sans serif at the pixel size whose height matches the classic one (13 px at 96 dpi for
    // 8 points, scaled by the point size and the screen's dpi).
    static QFont DialogFont(const std::string& fontName, int pointSize);

    int BaseX() const { return m_nBaseX; }
    int BaseY() const { return m_nBaseY; }
    int ToPixelsX(int x) const;
    int ToPixelsY(int y) const;
    QRect ToPixels(int x, int y, int cx, int cy) const;

private:
    int m_nBaseX = 6;
    int m_nBaseY = 13;
};
