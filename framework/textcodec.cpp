#include "framework/textcodec.h"

#include <QByteArray>

namespace fw {

namespace {

// Windows-1252 for 0x80..0x9F; the undefined bytes keep their C1 code points.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Length of the UTF-8 sequence starting at i, or 0 when it is not well formed.
size_t Utf8SequenceLength(const std::string& s, size_t i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        return 1;
    }
    size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        if (b0 == 0xE0) {
            lo = 0xA0; // no overlong forms
        } else if (b0 == 0xED) {
            hi = 0x9F; // no surrogates
        }
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        if (b0 == 0xF0) {
            lo = 0x90;
        } else if (b0 == 0xF4) {
            hi = 0x8F; // nothing above U+10FFFF
        }
    } else {
        return 0;
    }
    if (i + len > s.size()) {
        return 0;
    }
    const auto b1 = static_cast<unsigned char>(s[i + 1]);
    if (b1 < lo || b1 > hi) {
        return 0;
    }
    for (size_t k = 2; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if (b < 0x80 || b > 0xBF) {
            return 0;
        }
    }
    return len;
}

} // namespace

bool IsValidUtf8(const std::string& bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const size_t len = Utf8SequenceLength(bytes, i);
        if (len == 0) {
            return false;
        }
        i += len;
    }
    return true;
}

QString BytesToQString(const std::string& bytes) {
    if (IsValidUtf8(bytes)) {
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b <= 0x9F ? QChar(kCp1252High[b - 0x80]) : QChar(char16_t(b)));
    }
    return text;
}

std::string QStringToBytes(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

std::string EditedBytes(const std::string& original, const QString& edited) {
    if (edited == BytesToQString(original)) {
        return original;
    }
    return QStringToBytes(edited);
}

std::string TruncateUtf8(const std::string& bytes, size_t maxBytes) {
    if (bytes.size() <= maxBytes) {
        return bytes;
    }
    if (!IsValidUtf8(bytes)) {
        return bytes.substr(0, maxBytes);
    }
    size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return bytes.substr(0, cut);
}

} // namespace fw
