#include "tools/clijson.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "cardstore/card.h"
#include "cardstore/cardarray.h"
#include "cardstore/cardstore.h"
#include "cardstore/categories.h"

namespace {

// Windows-1252 bytes 0x80..0x9F; the rest of the code page is Latin-1. The five undefined bytes keep
// their own number.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length of the valid UTF-8 sequence at `pos` and its code point, or 0 when it is not one.
size_t DecodeUtf8At(std::string_view s, size_t pos, char32_t& cp) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
    const uint8_t b0 = byte(pos);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    size_t len = 0;
    uint8_t lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
        if (b0 == 0xE0)
            lo = 0xA0; // overlong
        if (b0 == 0xED)
            hi = 0x9F; // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
        if (b0 == 0xF0)
            lo = 0x90; // overlong
        if (b0 == 0xF4)
            hi = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (s.size() - pos < len)
        return 0;
    for (size_t i = 1; i < len; ++i) {
        const uint8_t b = byte(pos + i);
        if (i == 1 ? (b < lo || b > hi) : (b < 0x80 || b > 0xBF))
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    return len;
}

struct TextMember {
    const char* key;
    size_t limit;
    void (CCard::*set)(std::string);
};

const std::array<TextMember, 7> kTextFields = {{
    {"category", MAX_SHORT_TEXT, &CCard::SetCategory},
    {"date", MAX_SHORT_TEXT, &CCard::SetDate},
    {"field1", MAX_SHORT_TEXT, &CCard::SetField1},
    {"field2", MAX_SHORT_TEXT, &CCard::SetField2},
    {"field3", MAX_SHORT_TEXT, &CCard::SetField3},
    {"field4", MAX_SHORT_TEXT, &CCard::SetField4},
    {"note", MAX_NOTE_TEXT, &CCard::SetNote},
}};

struct FlagMember {
    const char* key;
    void (CCard::*set)(int32_t);
};

const std::array<FlagMember, 2> kFlagFields = {{
    {"autoAccess", &CCard::SetAutoAccess},
    {"newWindow", &CCard::SetNewWindow},
}};

std::string CardPrefix(size_t position, std::string_view key) {
    return "card " + std::to_string(position) + ", field \"" + std::string(key) + "\": ";
}

// The bytes to store for a JSON text: its UTF-8, or, when that is over the limit, the Windows-1252 form
// of the same text if that fits and reads back as the same text (a text exported from a Windows file
// grows when decoded; it must still go back in).
std::optional<std::string> StoredBytes(const std::string& utf8, size_t limit) {
    if (utf8.size() <= limit)
        return utf8;
    std::optional<std::string> cp1252 = Utf8ToWindows1252(utf8);
    if (cp1252 && cp1252->size() <= limit && !IsValidUtf8(*cp1252))
        return cp1252;
    return std::nullopt;
}

// A parse error's own description without the "last read" text, which may quote a secret.
std::string ParseErrorMessage(const nlohmann::json::parse_error& e, std::string_view text) {
    const size_t byte = std::min<size_t>(e.byte, text.size());
    size_t line = 1, lineStart = 0;
    for (size_t i = 0; i + 1 < byte; ++i) {
        if (text[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    const size_t column = byte > lineStart ? byte - lineStart : 1;
    std::string what = e.what();
    std::string reason;
    if (size_t at = what.find(": syntax error"); at != std::string::npos) {
        reason = what.substr(at + 2);
        if (size_t cut = reason.find("; last read"); cut != std::string::npos)
            reason.resize(cut);
    }
    std::string message =
        "malformed JSON at line " + std::to_string(line) + ", column " + std::to_string(column);
    if (!reason.empty())
        message += " (" + reason + ")";
    return message;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    char32_t cp = 0;
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t len = DecodeUtf8At(bytes, pos, cp);
        if (len == 0)
            return false;
        pos += len;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        AppendUtf8(out, b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : char32_t{b});
    }
    return out;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    char32_t cp = 0;
    for (size_t pos = 0; pos < utf8.size();) {
        const size_t len = DecodeUtf8At(utf8, pos, cp);
        if (len == 0)
            return std::nullopt;
        pos += len;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        const auto it = std::find(kCp1252High.begin(), kCp1252High.end(), cp);
        if (it == kCp1252High.end())
            return std::nullopt;
        out += static_cast<char>(0x80 + (it - kCp1252High.begin()));
    }
    return out;
}

std::string CardTextToUtf8(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

nlohmann::ordered_json CardsToJson(const CCardStore& store) {
    nlohmann::ordered_json cards = nlohmann::ordered_json::array();
    for (int index : kFileCategoryOrder) {
        const CCardArray& array = store.GetCategoryArray(index);
        for (int32_t i = 0; i < array.GetCount(); ++i) {
            const CCard* card = array.GetCard(i);
            nlohmann::ordered_json entry;
            entry["category"] = CardTextToUtf8(card->GetCategory());
            entry["date"] = CardTextToUtf8(card->GetDate());
            entry["field1"] = CardTextToUtf8(card->GetField1());
            entry["field2"] = CardTextToUtf8(card->GetField2());
            entry["field3"] = CardTextToUtf8(card->GetField3());
            entry["field4"] = CardTextToUtf8(card->GetField4());
            entry["note"] = CardTextToUtf8(card->GetNote());
            // As stored: a foreign file may hold another byte than 0 or 1, and it is not ours to change.
            entry["autoAccess"] = card->GetAutoAccess();
            entry["newWindow"] = card->GetNewWindow();
            cards.push_back(std::move(entry));
        }
    }
    nlohmann::ordered_json root;
    root["cards"] = std::move(cards);
    return root;
}

bool CardsFromJson(std::string_view text, CCardStore& store, std::string& error) {
    nlohmann::json root;
    try {
        root = nlohmann::json::parse(text.begin(), text.end());
    } catch (const nlohmann::json::parse_error& e) {
        error = ParseErrorMessage(e, text);
        return false;
    }
    if (!root.is_object() || !root.contains("cards")) {
        error = "expected an object with a \"cards\" list";
        return false;
    }
    const nlohmann::json& cards = root["cards"];
    if (!cards.is_array()) {
        error = "\"cards\" is not a list";
        return false;
    }

    // Everything is checked before the first card reaches the store, so a refusal changes nothing.
    std::vector<std::pair<int, std::unique_ptr<CCard>>> accepted;
    size_t position = 0;
    for (const nlohmann::json& entry : cards) {
        ++position;
        if (!entry.is_object()) {
            error = "card " + std::to_string(position) + ": not an object";
            return false;
        }
        for (const auto& item : entry.items()) {
            const std::string& key = item.key();
            const bool known =
                std::any_of(kTextFields.begin(), kTextFields.end(), [&](auto& f) { return key == f.key; }) ||
                std::any_of(kFlagFields.begin(), kFlagFields.end(), [&](auto& f) { return key == f.key; });
            if (!known) {
                // A misspelt field would otherwise drop what the user wrote there.
                error = "card " + std::to_string(position) + ", field " + nlohmann::json(key).dump() +
                        ": unknown field";
                return false;
            }
        }

        auto card = std::make_unique<CCard>();
        for (const TextMember& field : kTextFields) {
            const auto it = entry.find(field.key);
            if (it == entry.end())
                continue;
            if (!it->is_string()) {
                error = CardPrefix(position, field.key) + "expected a text, found " + it->type_name();
                return false;
            }
            const std::string& utf8 = it->get_ref<const std::string&>();
            std::optional<std::string> bytes = StoredBytes(utf8, field.limit);
            if (!bytes) {
                error = CardPrefix(position, field.key) + std::to_string(utf8.size()) + " bytes, at most " +
                        std::to_string(field.limit);
                return false;
            }
            ((*card).*field.set)(std::move(*bytes));
        }
        for (const FlagMember& flag : kFlagFields) {
            const auto it = entry.find(flag.key);
            if (it == entry.end())
                continue;
            int32_t value = -1;
            if (it->is_boolean()) {
                value = it->get<bool>() ? 1 : 0;
            } else if (it->is_number_integer()) {
                const auto n = it->get<int64_t>();
                if (n == 0 || n == 1)
                    value = static_cast<int32_t>(n);
            }
            if (value < 0) {
                error = CardPrefix(position, flag.key) + "expected 0, 1, true or false";
                return false;
            }
            ((*card).*flag.set)(value);
        }

        if (!entry.contains("category")) {
            error = CardPrefix(position, "category") + "missing";
            return false;
        }
        const int category = FindCategoryIndex(card->GetCategory());
        if (category < 0) {
            error = CardPrefix(position, "category") + "unknown category " +
                    nlohmann::json(CardTextToUtf8(card->GetCategory())).dump();
            return false;
        }
        accepted.emplace_back(category, std::move(card));
    }

    for (auto& [category, card] : accepted)
        store.GetCategoryArray(category).AddCard(std::move(card));
    return true;
}
