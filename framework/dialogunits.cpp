#include "framework/dialogunits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <cstdlib>

namespace {

// a * b / c rounded half away from zero, as the classic MulDiv.
int MulDiv(int a, int b, int c) {
    if (c == 0) {
        return 0;
    }
    const long long p = static_cast<long long>(a) * b;
    const long long q =
        (std::llabs(p) + std::llabs(static_cast<long long>(c)) / 2) / std::llabs(static_cast<long long>(c));
    return static_cast<int>((p < 0) != (c < 0) ? -q : q);
}

int ScreenDpiY() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const int dpi = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
        if (dpi > 0) {
            return dpi;
        }
    }
    return 96;
}

} // namespace

CDialogUnits CDialogUnits::FromFont(const QFont& font) {
    const QFontMetrics fm(font);
    const int width52 =
        fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // The classic average: (width / 26 + 1) / 2.
    const int baseX = (width52 / 26 + 1) / 2;
    const int baseY = fm.height();
    return CDialogUnits(baseX > 0 ? baseX : 6, baseY > 0 ? baseY : 13);
}

QFont CDialogUnits::DialogFont(const std::string& /*fontName*/, int pointSize) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    if (pointSize <= 0) {
        pointSize = 8;
    }
    // 8 points gave a 13 pixel high font at 96 dpi; pick the pixel size that comes closest to that.
    const int target = std::max(1, MulDiv(13 * pointSize, ScreenDpiY(), 8 * 96));
    int bestSize = 11, bestDiff = 1 << 30;
    for (int px = 4; px <= 4 * target + 8; ++px) {
        font.setPixelSize(px);
        const int diff = std::abs(QFontMetrics(font).height() - target);
        if (diff < bestDiff) {
            bestDiff = diff;
            bestSize = px;
        }
        if (QFontMetrics(font).height() > target) {
            break;
        }
    }
    font.setPixelSize(bestSize);
    return font;
}

int CDialogUnits::ToPixelsX(int x) const {
    return MulDiv(x, m_nBaseX, 4);
}

int CDialogUnits::ToPixelsY(int y) const {
    return MulDiv(y, m_nBaseY, 8);
}

QRect CDialogUnits::ToPixels(int x, int y, int cx, int cy) const {
    // Position and size each converted on their own, as the classic dialog manager did.
    return QRect(ToPixelsX(x), ToPixelsY(y), ToPixelsX(cx), ToPixelsY(cy));
}
