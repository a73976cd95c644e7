#pragma once
// Card file bytes built by hand from the file layout, and small helpers to compare documents.
// Nothing here calls the writer under test.
#include <openssl/sha.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "cardstore/cardfile.h"
#include "cardstore/cardstore.h"
#include "cardstore/categories.h"
#include "cardstore/passwordkey.h"

namespace fixtures {

using Bytes = std::vector<uint8_t>;

inline void Append(Bytes& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

inline void Append(Bytes& out, const Bytes& more) {
    out.insert(out.end(), more.begin(), more.end());
}

inline Bytes FromHex(std::string_view hex) {
    Bytes out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        out.push_back(static_cast<uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return out;
}

// SHA-1 of the empty text, the check value of a document without a password.
constexpr std::string_view kEmptyDigestHex = "da39a3ee5e6b4b0d3255bfef95601890afd80709";

// The check value of a password, from OpenSSL rather than the program's own digest.
inline Bytes DigestOf(std::string_view password) {
    Bytes out(SHA_DIGEST_LENGTH);
    SHA1(reinterpret_cast<const unsigned char*>(password.data()), password.size(), out.data());
    return out;
}

inline Bytes Header(std::string_view marker, std::string_view version) {
    Bytes out;
    Append(out, marker);
    Append(out, version);
    return out;
}

// The texts and flags of one card, in record order, so that documents compare as values.
struct CardValue {
    std::string category, date, field1, field2, field3, field4, note;
    int32_t autoAccess = 0;
    int32_t newWindow = 0;

    auto Tie() const {
        return std::tie(category, date, field1, field2, field3, field4, note, autoAccess, newWindow);
    }
    bool operator==(const CardValue& other) const { return Tie() == other.Tie(); }
    bool operator<(const CardValue& other) const { return Tie() < other.Tie(); }
};

// One record laid out field by field as the layout table gives it.
inline Bytes Record(const CardValue& c) {
    Bytes out;
    for (const std::string* text : {&c.category, &c.date, &c.field1, &c.field2, &c.field3, &c.field4}) {
        out.push_back(static_cast<uint8_t>(text->size()));
        Append(out, *text);
    }
    out.push_back(static_cast<uint8_t>(c.note.size() & 0xFF));
    out.push_back(static_cast<uint8_t>(c.note.size() >> 8));
    Append(out, c.note);
    out.push_back(static_cast<uint8_t>(c.autoAccess));
    out.push_back(static_cast<uint8_t>(c.newWindow));
    return out;
}

inline void PadToBlocks(Bytes& body) {
    while (body.size() % 8 != 0) {
        body.push_back(0);
    }
}

inline Bytes Encrypted(Bytes body, std::string_view password) {
    PadToBlocks(body);
    EncryptBuffer(password, static_cast<uint32_t>(body.size() / 8), body.data());
    return body;
}

inline std::unique_ptr<CCard> MakeCard(const CardValue& v) {
    auto card = std::make_unique<CCard>();
    card->SetCategory(v.category);
    card->SetDate(v.date);
    card->SetField1(v.field1);
    card->SetField2(v.field2);
    card->SetField3(v.field3);
    card->SetField4(v.field4);
    card->SetNote(v.note);
    card->SetAutoAccess(v.autoAccess);
    card->SetNewWindow(v.newWindow);
    return card;
}

inline CardValue ValueOf(const CCard& card) {
    return {card.GetCategory(), card.GetDate(), card.GetField1(),     card.GetField2(),   card.GetField3(),
            card.GetField4(),   card.GetNote(), card.GetAutoAccess(), card.GetNewWindow()};
}

inline void AddCard(CCardStore& store, const CardValue& v) {
    store.FindCategoryArray(v.category)->AddCard(MakeCard(v));
}

// Every array's cards, in array order, index by index.
using Document = std::array<std::vector<CardValue>, CATEGORY_COUNT>;

inline Document Snapshot(const CCardStore& store) {
    Document doc;
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
        const CCardArray& array = store.GetCategoryArray(i);
        for (int32_t k = 0; k < array.GetCount(); ++k) {
            doc[static_cast<size_t>(i)].push_back(ValueOf(*array.GetCard(k)));
        }
    }
    return doc;
}

inline std::vector<CardValue> AllCards(const Document& doc) {
    std::vector<CardValue> all;
    for (const auto& cards : doc) {
        all.insert(all.end(), cards.begin(), cards.end());
    }
    std::sort(all.begin(), all.end());
    return all;
}

// Texts of random bytes 0x01-0xFF (texts never hold a zero byte), sometimes at their full limit.
inline std::string RandomText(std::mt19937& rng, size_t limit, size_t typical) {
    std::uniform_int_distribution<int> pick(0, 9);
    const int mode = pick(rng);
    size_t len = 0;
    if (mode == 0) {
        len = 0;
    } else if (mode == 1) {
        len = limit;
    } else {
        len = std::uniform_int_distribution<size_t>(0, typical)(rng);
    }
    std::uniform_int_distribution<int> byte(1, 255);
    std::string text(len, '\0');
    for (char& ch : text) {
        ch = static_cast<char>(byte(rng));
    }
    return text;
}

// Notes: kBigNotes reaches the note's limit, kSmallTexts keeps every text short (many cuts per record).
enum class TextSizes { kSmallTexts, kNormal, kBigNotes };

inline CardValue RandomCard(std::mt19937& rng, TextSizes sizes) {
    const int category = std::uniform_int_distribution<int>(0, CATEGORY_COUNT - 1)(rng);
    const bool small = sizes == TextSizes::kSmallTexts;
    const size_t shortLimit = small ? 12 : MAX_SHORT_TEXT;
    CardValue v;
    v.category = std::string(kCategories[static_cast<size_t>(category)].name);
    v.date = RandomText(rng, shortLimit, small ? 8 : 12);
    v.field1 = RandomText(rng, shortLimit, small ? 8 : 40);
    v.field2 = RandomText(rng, shortLimit, small ? 8 : 40);
    v.field3 = RandomText(rng, shortLimit, small ? 8 : 40);
    v.field4 = RandomText(rng, shortLimit, small ? 8 : 40);
    v.note = RandomText(rng,
                        sizes == TextSizes::kBigNotes ? MAX_NOTE_TEXT
                        : small                       ? 30
                                                      : 600,
                        small ? 20 : 300);
    v.autoAccess = std::uniform_int_distribution<int>(0, 1)(rng);
    v.newWindow = std::uniform_int_distribution<int>(0, 1)(rng);
    return v;
}

inline void FillRandom(CCardStore& store, std::mt19937& rng, int cards,
                       TextSizes sizes = TextSizes::kNormal) {
    for (int i = 0; i < cards; ++i) {
        AddCard(store, RandomCard(rng, sizes));
    }
}

// Collects the messages the card file code shows, in order.
struct MessageLog {
    std::vector<std::string> messages;
    MessageSink Sink() {
        return [this](const std::string& m) { messages.push_back(m); };
    }
};

// Answers the password prompt and counts how often it was asked.
struct ScriptedPrompt {
    std::optional<std::string> answer;
    int asked = 0;
    PasswordPrompt Prompt() {
        return [this]() {
            ++asked;
            return answer;
        };
    }
};

} // namespace fixtures
