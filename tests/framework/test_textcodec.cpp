// Bytes to screen text and back: UTF-8 when it is UTF-8, Windows-1252 otherwise, and unchanged texts
// keep their bytes.
#include "framework/textcodec.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <set>

namespace {

using fw::BytesToQString;
using fw::EditedBytes;
using fw::QStringToBytes;
using fw::TruncateUtf8;

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::u16string expected;
};

class BytesToQStringTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(BytesToQStringTest, Decodes) {
    const QString text = BytesToQString(GetParam().bytes);
    EXPECT_EQ(text.toStdU16String(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BytesToQStringTest,
    ::testing::Values(DecodeCase{"Empty", "", u""}, DecodeCase{"Ascii", "Bank:", u"Bank:"},
                      DecodeCase{"NulInside", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
                      DecodeCase{"Utf8Accent", "caf\xC3\xA9", u"caf\u00E9"},
                      DecodeCase{"Utf8FourBytes", "\xF0\x9F\x98\x80", u"\U0001F600"},
                      DecodeCase{"Cp1252Accent", "caf\xE9", u"caf\u00E9"},
                      DecodeCase{"Cp1252Euro", "\x80 5", u"\u20AC 5"},
                      DecodeCase{"Cp1252Quotes", "\x93quoted\x94", u"\u201Cquoted\u201D"},
                      DecodeCase{"Cp1252LastOfRange", "\x9F", u"\u0178"},
                      DecodeCase{"Cp1252NoBreakSpace",
                                 "a\xA0"
                                 "b",
                                 u"a\u00A0b"},
                      DecodeCase{"UndefinedBytes", "\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
                      // One bad sequence makes the whole text Windows-1252, valid UTF-8 parts included.
                      DecodeCase{"MixedIsCp1252", "\xC3\xA9\xE9", u"\u00C3\u00A9\u00E9"},
                      DecodeCase{"OverlongIsNotUtf8", "\xC0\xAF", u"\u00C0\u00AF"},
                      DecodeCase{"SurrogateIsNotUtf8", "\xED\xA0\x80", u"\u00ED\u00A0\u20AC"},
                      DecodeCase{"AboveUnicodeIsNotUtf8", "\xF4\x90\x80\x80", u"\u00F4\u0090\u20AC\u20AC"},
                      DecodeCase{"CutSequenceIsNotUtf8", "\xE2\x82", u"\u00E2\u201A"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every byte 0x80..0xFF that Windows-1252 defines decodes as the system's own converter says; the five
// it leaves undefined keep their C1 code points; and no two bytes share a character.
TEST(Cp1252Test, HighBytesAgreeWithIconvAndAreDistinct) {
    iconv_t cd = iconv_open("UTF-16LE", "CP1252");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::set<char16_t> seen;
    for (int b = 0x80; b <= 0xFF; ++b) {
        const QString text = BytesToQString(std::string(1, static_cast<char>(b)));
        ASSERT_EQ(text.size(), 1) << b;
        const char16_t got = text[0].unicode();
        EXPECT_TRUE(seen.insert(got).second) << b;
        char in = static_cast<char>(b);
        char16_t out = 0;
        char* pin = &in;
        char* pout = reinterpret_cast<char*>(&out);
        size_t inLeft = 1, outLeft = sizeof out;
        if (iconv(cd, &pin, &inLeft, &pout, &outLeft) == static_cast<size_t>(-1)) {
            EXPECT_TRUE(b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) << b;
            EXPECT_EQ(got, static_cast<char16_t>(b));
        } else {
            EXPECT_EQ(got, out) << b;
        }
    }
    iconv_close(cd);
}

TEST(QStringToBytesTest, IsUtf8) {
    EXPECT_EQ(QStringToBytes(QString::fromStdU16String(u"\u20AC caf\u00E9")), "\xE2\x82\xAC caf\xC3\xA9");
    EXPECT_EQ(QStringToBytes(QString()), "");
}

struct EditCase {
    const char* name;
    std::string original;
    std::u16string edited;
    std::string expected;
};

class EditedBytesTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditedBytesTest, KeepsBytesOfUnchangedText) {
    EXPECT_EQ(EditedBytes(GetParam().original, QString::fromStdU16String(GetParam().edited)),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditedBytesTest,
    ::testing::Values(EditCase{"UnchangedCp1252", "M\xFCller \x80", u"M\u00FCller \u20AC", "M\xFCller \x80"},
                      EditCase{"UnchangedUtf8", "M\xC3\xBCller", u"M\u00FCller", "M\xC3\xBCller"},
                      EditCase{"UnchangedUndefinedByte", "x\x81y", u"x\u0081y", "x\x81y"},
                      EditCase{"ChangedCp1252BecomesUtf8", "M\xFCller", u"M\u00FCller!", "M\xC3\xBCller!"},
                      EditCase{"TypedIntoEmpty", "", u"\u00E9", "\xC3\xA9"},
                      EditCase{"Cleared", "caf\xE9", u"", ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct TruncateCase {
    const char* name;
    std::string bytes;
    size_t max;
    std::string expected;
};

class TruncateUtf8Test : public ::testing::TestWithParam<TruncateCase> {};

TEST_P(TruncateUtf8Test, NeverSplitsACharacter) {
    EXPECT_EQ(TruncateUtf8(GetParam().bytes, GetParam().max), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TruncateUtf8Test,
    ::testing::Values(TruncateCase{"Shorter", "abc", 5, "abc"}, TruncateCase{"Exact", "abc", 3, "abc"},
                      TruncateCase{"Ascii", "abcdef", 4, "abcd"}, TruncateCase{"Zero", "abc", 0, ""},
                      TruncateCase{"BeforeTwoByte", "a\xC3\xA9", 2, "a"},
                      TruncateCase{"AfterTwoByte", "a\xC3\xA9z", 3, "a\xC3\xA9"},
                      TruncateCase{"InsideThreeByte", "\xE2\x82\xAC\xE2\x82\xAC", 5, "\xE2\x82\xAC"},
                      TruncateCase{"InsideFourByte", "\xF0\x9F\x98\x80", 3, ""},
                      // Not UTF-8: one byte per character.
                      TruncateCase{"Cp1252", "\xE9\xE9\xE9", 2, "\xE9\xE9"},
                      TruncateCase{"Cp1252Continuations", "a\x80\x80\x80", 3, "a\x80\x80"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
