// The text rules of the card list and Find: line breaks of the note excerpt, the secret's mask, the
// category sets of the card dialog, keyword matching.
#include "cardstore/card.h"
#include "ui/cardtext.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct ExcerptCase {
    const char* name;
    std::string note;
    std::string expected;
};

std::string Word(size_t n, char c = 'a') { return std::string(n, c); }

class NoteExcerptTest : public ::testing::TestWithParam<ExcerptCase> {};

TEST_P(NoteExcerptTest, ShowsTheExpectedPart) {
    EXPECT_EQ(NoteExcerpt(GetParam().note), GetParam().expected);
}

// "é" is two bytes in UTF-8: 59 letters and one "é" make 61 bytes, and the cut at 60 would split it.
const std::string kE = "\xC3\xA9";

INSTANTIATE_TEST_SUITE_P(
    Cases, NoteExcerptTest,
    ::testing::Values(ExcerptCase{"Empty", "", ""},
                      ExcerptCase{"SixtyWhole", Word(60), Word(60)},
                      ExcerptCase{"FiftyBlankTen", Word(50) + " " + Word(10, 'b'), Word(50) + "..."},
                      ExcerptCase{"SeventyNoBlank", Word(70), Word(60) + "..."},
                      ExcerptCase{"BlankAtLimit", Word(60) + " tail", Word(60) + "..."},
                      ExcerptCase{"BlankBeforeLimit", Word(59) + " tail", Word(59) + "..."},
                      ExcerptCase{"BlankAtZeroIgnored", " " + Word(70), " " + Word(59) + "..."},
                      ExcerptCase{"LineBreaksAreLetters", Word(30) + "\r\n" + Word(40), Word(30) + "\r\n" +
                                                                                          Word(28) + "..."},
                      ExcerptCase{"NeverHalfAUtf8Character", Word(59) + kE + Word(5), Word(59) + "..."},
                      // Bytes that are not UTF-8 are one character each and are cut where they fall.
                      ExcerptCase{"Windows1252CutAtLimit", Word(59) + "\xE9\xE9" + Word(5),
                                  Word(59) + "\xE9..."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindLineBreakTest, FollowsItsRulesAtOtherLimits) {
    EXPECT_EQ(FindLineBreak("short", 70), 70);
    EXPECT_EQ(FindLineBreak(Word(10) + " " + Word(80), 70), 10);
    EXPECT_EQ(FindLineBreak(Word(90), 70), 70);
}

TEST(SplitTextTest, GivesBothParts) {
    std::string first, rest;
    SplitText("abc def", 3, first, rest);
    EXPECT_EQ(first, "abc");
    EXPECT_EQ(rest, " def");
    SplitText("abc", 10, first, rest);
    EXPECT_EQ(first, "abc");
    EXPECT_EQ(rest, "");
    SplitText("a" + kE + "b", 2, first, rest);  // inside "é": back to its start, nothing lost
    EXPECT_EQ(first, "a");
    EXPECT_EQ(rest, kE + "b");
}

struct MaskCase {
    const char* name;
    std::string secret;
    size_t stars;
};

class MaskSecretTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskSecretTest, OneStarPerCharacter) {
    EXPECT_EQ(MaskSecret(GetParam().secret), std::string(GetParam().stars, '*'));
}

INSTANTIATE_TEST_SUITE_P(Cases, MaskSecretTest,
                         ::testing::Values(MaskCase{"Empty", "", 0}, MaskCase{"EightAscii", "s3cr3t!!", 8},
                                           MaskCase{"Utf8TwoAndFourBytes", "p" + kE + "\xF0\x9F\x94\x91", 3},
                                           MaskCase{"Windows1252BytesEach", "p\xE9\xE9", 3},
                                           MaskCase{"AtMost255", Word(300), 255}),
                         [](const auto& info) { return std::string(info.param.name); });

struct SetCase {
    const char* category;
    const char* prefix;
    bool addAttributes;
    bool editAttributes;
    bool editUrl;
    bool browser;
};

class CategorySetTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(CategorySetTest, Membership) {
    const SetCase& c = GetParam();
    EXPECT_EQ(AddressPrefix(c.category), c.prefix);
    EXPECT_EQ(OffersAttributesWhenAdding(c.category), c.addAttributes);
    EXPECT_EQ(OffersAttributesWhenEditing(c.category), c.editAttributes);
    EXPECT_EQ(ShowsEditUrlButton(c.category), c.editUrl);
    EXPECT_EQ(IsBrowserCategory(c.category), c.browser);
}

INSTANTIATE_TEST_SUITE_P(
    Categories, CategorySetTest,
    ::testing::Values(SetCase{"WWW Pages", "http://", true, true, true, true},
                      SetCase{"FTP Servers", "ftp://", true, true, true, true},
                      SetCase{"Newsgroups", "ftp://", true, true, true, true},
                      SetCase{"E-Mail Contacts", "", false, true, true, true},
                      SetCase{"POP Accounts", "", false, false, false, false},
                      SetCase{"Login Accounts", "telnet://", false, false, true, false},
                      SetCase{"Bank Accounts", "", false, false, false, false},
                      SetCase{"Password Manager", "http://", true, true, true, true},
                      SetCase{"Membership Numbers", "", false, false, false, false},
                      // Names are compared byte for byte: another case is no category.
                      SetCase{"www pages", "", false, false, false, false},
                      SetCase{"", "", false, false, false, false}));

struct KeywordCase {
    std::string text;
    std::string keyword;
    bool ignoreCase;
    bool found;
};

class ContainsKeywordTest : public ::testing::TestWithParam<KeywordCase> {};

TEST_P(ContainsKeywordTest, Matches) {
    const KeywordCase& c = GetParam();
    const std::string key = c.ignoreCase ? UpperAscii(c.keyword) : c.keyword;
    EXPECT_EQ(ContainsKeyword(c.text, key, c.ignoreCase), c.found) << c.text << " / " << c.keyword;
}

INSTANTIATE_TEST_SUITE_P(Cases, ContainsKeywordTest,
                         ::testing::Values(KeywordCase{"alpha mail", "alpha", false, true},
                                           KeywordCase{"Alpha", "alpha", false, false},
                                           KeywordCase{"Alpha", "alpha", true, true},
                                           KeywordCase{"xxALPHAxx", "lph", true, true},
                                           KeywordCase{"", "", false, true},
                                           KeywordCase{"", "", true, true},
                                           KeywordCase{"ab", "abc", true, false},
                                           // Only the 26 letters fold: "É" and "é" stay apart.
                                           KeywordCase{"caf\xC3\x89", "caf\xC3\xA9", true, false},
                                           KeywordCase{"caf\xC9", "caf\xE9", true, false},
                                           KeywordCase{"[x]", "{X}", true, false}));

TEST(CardContainsKeywordTest, SearchesTheFourFieldsAndTheNoteOnly) {
    CCard card;
    card.SetCategory("Bank Accounts");
    card.SetDate("1/2/2003");
    EXPECT_FALSE(CardContainsKeyword(card, "Bank", false));
    EXPECT_FALSE(CardContainsKeyword(card, "2003", false));
    card.SetField4("secret");
    EXPECT_TRUE(CardContainsKeyword(card, "cre", false));
    card.SetField4("");
    card.SetNote("line one\r\nline two");
    EXPECT_TRUE(CardContainsKeyword(card, "two", false));
}

}  // namespace
