#pragma once
// The one place where the bytes of card texts, passwords and file fields meet the screen's Unicode text.
// Valid UTF-8 is shown as UTF-8; anything else as Windows-1252, so files written on Windows show their
// accented letters. A text the user did not change keeps its original bytes.
#include <QString>
#include <cstddef>
#include <string>

namespace fw {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(const std::string& bytes);

// Valid UTF-8 as UTF-8; any other byte string as Windows-1252, every byte a character (the five bytes
// the code page leaves undefined become U+0081, U+008D, U+008F, U+0090 and U+009D).
QString BytesToQString(const std::string& bytes);

// The UTF-8 bytes of a text.
std::string QStringToBytes(const QString& text);

// The original bytes when the edited text is what the original showed, else the UTF-8 of the edit.
std::string EditedBytes(const std::string& original, const QString& edited);

// At most maxBytes bytes of the text, never cutting a UTF-8 character in two. A text that is not UTF-8
// has one byte per character and is cut at maxBytes.
std::string TruncateUtf8(const std::string& bytes, size_t maxBytes);

} // namespace fw
