#include "ui/cardtext.h"

#include "cardstore/card.h"
#include "cardstore/categories.h"
#include "framework/textcodec.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>

namespace {

constexpr int kNoteExcerptLimit = 60;
constexpr size_t kMaxMask = 255;

// Category indexes of the table, for the sets below.
enum : int {
    kWwwPages = 0,
    kFtpServers = 1,
    kNewsgroups = 2,
    kEmailContacts = 3,
    kLoginAccounts = 5,
    kPasswordManager = 11,
};

bool IsOneOf(std::string_view category, std::initializer_list<int> indexes) {
    return std::any_of(indexes.begin(), indexes.end(),
                       [category](int i) { return kCategories[static_cast<size_t>(i)].name == category; });
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Upper case of the 26 letters, every other byte as it is.
constexpr std::array<unsigned char, 256> MakeUpperTable() {
    std::array<unsigned char, 256> table{};
    for (size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 'a' + 'A' : i);
    }
    return table;
}
constexpr std::array<unsigned char, 256> kUpper = MakeUpperTable();

unsigned char Upper(char c) { return kUpper[static_cast<unsigned char>(c)]; }

}  // namespace

int FindLineBreak(const std::string& text, int nLimit) {
    if (nLimit <= 0 || text.size() <= static_cast<size_t>(nLimit)) {
        return nLimit;
    }
    const auto at = [&text](int i) { return text[static_cast<size_t>(i)]; };
    if (at(nLimit) == ' ') {
        return nLimit;
    }
    if (at(nLimit - 1) == ' ') {
        return nLimit - 1;
    }
    for (int i = nLimit - 2; i >= 1; --i) {
        if (at(i) == ' ') {
            return i;
        }
    }
    return nLimit;
}

void SplitText(const std::string& text, int nPosition, std::string& strFirst, std::string& strRest) {
    size_t cut = std::min(static_cast<size_t>(std::max(nPosition, 0)), text.size());
    if (cut < text.size() && IsContinuationByte(text[cut]) && fw::IsValidUtf8(text)) {
        while (cut > 0 && IsContinuationByte(text[cut])) {
            --cut;
        }
    }
    strFirst = text.substr(0, cut);
    strRest = text.substr(cut);
}

std::string NoteExcerpt(const std::string& note) {
    if (note.size() <= static_cast<size_t>(kNoteExcerptLimit)) {
        return note;
    }
    std::string first, rest;
    SplitText(note, FindLineBreak(note, kNoteExcerptLimit), first, rest);
    return first + "...";
}

std::string MaskSecret(const std::string& secret) {
    size_t n = secret.size();
    if (fw::IsValidUtf8(secret)) {
        n = static_cast<size_t>(std::count_if(secret.begin(), secret.end(),
                                              [](char c) { return !IsContinuationByte(c); }));
    }
    return std::string(std::min(n, kMaxMask), '*');
}

std::string_view AddressPrefix(std::string_view category) {
    if (IsOneOf(category, {kWwwPages, kPasswordManager})) {
        return "http://";
    }
    if (IsOneOf(category, {kFtpServers, kNewsgroups})) {
        return "ftp://";
    }
    if (IsOneOf(category, {kLoginAccounts})) {
        return "telnet://";
    }
    return {};
}

bool OffersAttributesWhenAdding(std::string_view category) {
    return IsOneOf(category, {kWwwPages, kPasswordManager, kFtpServers, kNewsgroups});
}

bool OffersAttributesWhenEditing(std::string_view category) {
    return IsOneOf(category, {kWwwPages, kPasswordManager, kFtpServers, kNewsgroups, kEmailContacts});
}

bool ShowsEditUrlButton(std::string_view category) {
    return IsOneOf(category,
                   {kWwwPages, kFtpServers, kNewsgroups, kEmailContacts, kPasswordManager, kLoginAccounts});
}

bool IsBrowserCategory(std::string_view category) {
    return IsOneOf(category, {kWwwPages, kFtpServers, kNewsgroups, kEmailContacts, kPasswordManager});
}

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(Upper(c));
    }
    return text;
}

bool ContainsKeyword(std::string_view text, std::string_view keyword, bool bIgnoreCase) {
    if (!bIgnoreCase) {
        return text.find(keyword) != std::string_view::npos;
    }
    if (keyword.empty()) {
        return true;
    }
    if (keyword.size() > text.size()) {
        return false;
    }
    const unsigned char first = static_cast<unsigned char>(keyword[0]);
    const size_t last = text.size() - keyword.size();
    for (size_t i = 0; i <= last; ++i) {
        if (Upper(text[i]) != first) {
            continue;
        }
        size_t k = 1;
        while (k < keyword.size() && Upper(text[i + k]) == static_cast<unsigned char>(keyword[k])) {
            ++k;
        }
        if (k == keyword.size()) {
            return true;
        }
    }
    return false;
}

bool CardContainsKeyword(const CCard& card, std::string_view keyword, bool bIgnoreCase) {
    return ContainsKeyword(card.GetField1(), keyword, bIgnoreCase) ||
           ContainsKeyword(card.GetField2(), keyword, bIgnoreCase) ||
           ContainsKeyword(card.GetField3(), keyword, bIgnoreCase) ||
           ContainsKeyword(card.GetField4(), keyword, bIgnoreCase) ||
           ContainsKeyword(card.GetNote(), keyword, bIgnoreCase);
}
