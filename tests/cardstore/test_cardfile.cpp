// The card file writer and reader against bytes laid out by hand, and the reader against damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "cardfile_fixtures.h"
#include "cardstore/cardfile.h"
#include "cardstore/cardstore.h"

namespace {

using namespace fixtures;

constexpr char kPassword[] = "fixture password";
constexpr char kWrongLayout[] = "Bytes not copied correctly.";
constexpr char kWrongPassword[] = "Password not correct,try again.";

Bytes Text(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) {
        Append(out, part);
    }
    return out;
}

const CardValue kWww{"WWW Pages",        "1/2/2003", "Example", "http://example.com", "joe", "s3cret",
                     "line 1\r\nline 2", 1,          0};
const CardValue kBank{"Bank Accounts", "05/06/07", "Bank", "", "", "1234", "", 0, 1};
const CardValue kLogin{"Login Accounts", "", "", "", "", "pw", "ab", 1, 0};

// ---------------------------------------------------------------------------------------------------------
// Writer: bytes spelled out from the layout.

struct WriterCase {
    const char* name;
    std::vector<CardValue> cards; // added in this order, each to its own array
    Bytes records;                // the records as the file must hold them, by hand
    size_t bodySize;
};

Bytes PlainFileOf(const WriterCase& c) {
    Bytes file = Cat({Text("NTENCRYPT"), Text("Version1.002"), FromHex(kEmptyDigestHex), c.records});
    file.resize(kHeaderSize + c.bodySize, 0);
    return file;
}

Bytes EncryptedFileOf(const WriterCase& c) {
    Bytes body = Cat({DigestOf(kPassword), c.records});
    body.resize(c.bodySize, 0);
    return Cat({Text("ENCRYPTED"), Text("Version1.002"), Encrypted(body, kPassword)});
}

class WriterFixture : public ::testing::TestWithParam<WriterCase> {
protected:
    void Fill(CCardStore& store) const {
        for (const CardValue& v : GetParam().cards) {
            AddCard(store, v);
        }
    }
};

TEST_P(WriterFixture, PlainFileIsByteExact) {
    CCardStore store;
    Fill(store);
    CMemorySink sink;
    MessageLog log;
    ASSERT_TRUE(SavePlain(store, sink, log.Sink()));
    EXPECT_EQ(sink.m_bytes, PlainFileOf(GetParam()));
    EXPECT_EQ(sink.m_bytes.size(), kHeaderSize + GetParam().bodySize);
    EXPECT_TRUE(log.messages.empty());
    const Bytes digest = FromHex(kEmptyDigestHex);
    EXPECT_TRUE(std::equal(digest.begin(), digest.end(), store.m_digest.begin()));
}

TEST_P(WriterFixture, EncryptedFileIsByteExactAndAsLongAsThePlainOne) {
    CCardStore store;
    Fill(store);
    store.m_strPassword = kPassword;
    store.m_bEncryptOnSave = 1;
    CMemorySink sink;
    MessageLog log;
    ASSERT_TRUE(SaveEncrypted(store, sink, log.Sink()));
    EXPECT_EQ(sink.m_bytes, EncryptedFileOf(GetParam()));
    EXPECT_EQ(sink.m_bytes.size(), PlainFileOf(GetParam()).size());
    EXPECT_TRUE(log.messages.empty());
    const Bytes digest = DigestOf(kPassword);
    EXPECT_TRUE(std::equal(digest.begin(), digest.end(), store.m_digest.begin()));
}

TEST_P(WriterFixture, HandMadeFilesReadBackIntoTheirArrays) {
    Document expected;
    for (const CardValue& v : GetParam().cards) {
        expected[static_cast<size_t>(FindCategoryIndex(v.category))].push_back(v);
    }
    for (const Bytes& file : {PlainFileOf(GetParam()), EncryptedFileOf(GetParam())}) {
        CCardStore store;
        ScriptedPrompt prompt{kPassword};
        MessageLog log;
        ASSERT_TRUE(LoadCardFile(store, file, prompt.Prompt(), log.Sink()));
        EXPECT_EQ(Snapshot(store), expected);
        EXPECT_EQ(store.m_nBodyLength, static_cast<int32_t>(GetParam().bodySize));
        EXPECT_TRUE(log.messages.empty());
    }
}

const CardValue kEmptyWww{"WWW Pages", "", "", "", "", "", "", 0, 0};
const CardValue kNote256{"WWW Pages", "", "", "", "", "", std::string(256, 'n'), 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Layouts, WriterFixture,
    ::testing::Values(
        // 20-byte check value and four zero bytes.
        WriterCase{"EmptyDocument", {}, {}, 24},
        // A 19-byte record: n = 39, one padding byte.
        WriterCase{"OneEmptyWwwCard",
                   {kEmptyWww},
                   {0x09, 'W', 'W', 'W', ' ', 'P', 'a', 'g', 'e', 's', 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                    0x00, 0x00, 0x00},
                   40},
        // Added login first; the file stores the bank record first. n = 20 + 39 + 28 = 87.
        WriterCase{"BankBeforeLogin",
                   {kLogin, kBank},
                   Cat({Bytes{13}, Text("Bank Accounts"), Bytes{8}, Text("05/06/07"), Bytes{4}, Text("Bank"),
                        Bytes{0, 0, 4}, Text("1234"), Bytes{0x00, 0x00}, Bytes{0x00, 0x01}, Bytes{14},
                        Text("Login Accounts"), Bytes{0, 0, 0, 0, 2}, Text("pw"), Bytes{0x02, 0x00},
                        Text("ab"), Bytes{0x01, 0x00}}),
                   88},
        // The note length is low byte first: 256 is 00 01.
        WriterCase{"Note256",
                   {kNote256},
                   Cat({Bytes{9}, Text("WWW Pages"), Bytes{0, 0, 0, 0, 0}, Bytes{0x00, 0x01}, Bytes(256, 'n'),
                        Bytes{0x00, 0x00}}),
                   296}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Writer, PlainFileCarriesTheCheckValueOfAKeptPassword) {
    CCardStore store;
    store.m_strPassword = kPassword;
    CMemorySink sink;
    ASSERT_TRUE(SavePlain(store, sink, {}));
    const Bytes expected = Cat({Text("NTENCRYPT"), Text("Version1.002"), DigestOf(kPassword), Bytes(4, 0)});
    EXPECT_EQ(sink.m_bytes, expected);
}

TEST(Writer, EncryptedSaveWithoutPasswordWritesNothing) {
    CCardStore store;
    AddCard(store, kWww);
    store.m_bEncryptOnSave = 1;
    CMemorySink sink;
    MessageLog log;
    EXPECT_FALSE(SaveEncrypted(store, sink, log.Sink()));
    EXPECT_TRUE(sink.m_bytes.empty());
    EXPECT_EQ(log.messages, std::vector<std::string>{"The encryption password is not set."});
}

// Refuses every write from the `refuseFrom`-th on (0: the header already).
class CRefusingSink : public CByteSink {
public:
    explicit CRefusingSink(int refuseFrom) : m_nRefuseFrom(refuseFrom) {}
    bool Write(const uint8_t* data, size_t len) override {
        if (m_nCalls++ >= m_nRefuseFrom) {
            return false;
        }
        m_bytes.insert(m_bytes.end(), data, data + len);
        return true;
    }
    Bytes m_bytes;

private:
    int m_nRefuseFrom;
    int m_nCalls = 0;
};

TEST(Writer, RefusedHeaderFailsBothKindsWithItsMessage) {
    for (bool encrypted : {false, true}) {
        CCardStore store;
        AddCard(store, kWww);
        store.m_strPassword = kPassword;
        CRefusingSink sink(0);
        MessageLog log;
        EXPECT_FALSE(encrypted ? SaveEncrypted(store, sink, log.Sink()) : SavePlain(store, sink, log.Sink()));
        EXPECT_TRUE(sink.m_bytes.empty());
        EXPECT_EQ(log.messages, std::vector<std::string>{"Write error, file heading."});
    }
}

TEST(Writer, RefusedBodyFailsTheSave) {
    CCardStore store;
    AddCard(store, kWww);
    CRefusingSink sink(1);
    EXPECT_FALSE(SavePlain(store, sink, {}));
    EXPECT_EQ(sink.m_bytes.size(), kHeaderSize);
}

// A text its length field cannot describe must neither be cut nor get a length that disagrees with its
// bytes: the save fails before any byte reaches the file.
struct LimitCase {
    const char* name;
    void (CCard::*set)(std::string);
    size_t length;
    bool fits;
};

class TextLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(TextLimit, OverlongTextFailsTheSaveAndWritesNothing) {
    const LimitCase& c = GetParam();
    for (bool encrypted : {false, true}) {
        CCardStore store;
        store.m_strPassword = kPassword;
        AddCard(store, kBank);
        auto card = MakeCard(kWww);
        ((*card).*c.set)(std::string(c.length, 'x'));
        store.GetCategoryArray(0).AddCard(std::move(card));
        CMemorySink sink;
        MessageLog log;
        const bool saved =
            encrypted ? SaveEncrypted(store, sink, log.Sink()) : SavePlain(store, sink, log.Sink());
        EXPECT_EQ(saved, c.fits);
        if (c.fits) {
            EXPECT_TRUE(log.messages.empty());
            CCardStore back;
            ScriptedPrompt prompt{kPassword};
            ASSERT_TRUE(LoadCardFile(back, sink.m_bytes, prompt.Prompt(), {}));
            EXPECT_EQ(Snapshot(back), Snapshot(store));
        } else {
            EXPECT_TRUE(sink.m_bytes.empty());
            EXPECT_EQ(log.messages, std::vector<std::string>{kWrongLayout});
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, TextLimit,
                         ::testing::Values(LimitCase{"Category256", &CCard::SetCategory, 256, false},
                                           LimitCase{"Date256", &CCard::SetDate, 256, false},
                                           LimitCase{"Field1_256", &CCard::SetField1, 256, false},
                                           LimitCase{"Field2_300", &CCard::SetField2, 300, false},
                                           LimitCase{"Field3_256", &CCard::SetField3, 256, false},
                                           LimitCase{"Field4_256", &CCard::SetField4, 256, false},
                                           LimitCase{"Note65536", &CCard::SetNote, 65536, false},
                                           LimitCase{"Field4_255", &CCard::SetField4, 255, true},
                                           LimitCase{"Date255", &CCard::SetDate, 255, true},
                                           LimitCase{"Note65535", &CCard::SetNote, 65535, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BlockCount, RoundsUpInFullWidth) {
    const std::pair<uint32_t, uint32_t> cases[] = {
        {0, 0}, {1, 1}, {8, 1}, {9, 2}, {39, 5}, {0xFFFFFFF8u, 0x1FFFFFFFu}, {0xFFFFFFFFu, 0x20000000u}};
    for (const auto& [bytes, blocks] : cases) {
        EXPECT_EQ(BlockCount(bytes), blocks) << bytes;
    }
}

// ---------------------------------------------------------------------------------------------------------
// Reader: hand-made files, good and bad.

Bytes PlainFile(std::string_view version, const Bytes& body) {
    return Cat({Text("NTENCRYPT"), Text(version), body});
}

Bytes EncryptedFile(std::string_view version, const Bytes& body, std::string_view password = kPassword) {
    return Cat({Text("ENCRYPTED"), Text(version), Encrypted(body, password)});
}

const Bytes kJunkCheck(20, 0xAB);

struct ReaderCase {
    const char* name;
    Bytes file;
    std::optional<std::string> answer; // what the user types at the prompt
    bool opens;
    std::vector<std::string> messages;
    std::vector<CardValue> cards; // in the order each array must hold them
};

class Reader : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(Reader, OpensWithTheExpectedCardsAndMessages) {
    const ReaderCase& c = GetParam();
    CCardStore store;
    ScriptedPrompt prompt{c.answer};
    MessageLog log;
    EXPECT_EQ(LoadCardFile(store, c.file, prompt.Prompt(), log.Sink()), c.opens);
    EXPECT_EQ(log.messages, c.messages);
    const bool encrypted = c.file.size() >= 9 && std::memcmp(c.file.data(), "ENCRYPTED", 9) == 0;
    EXPECT_EQ(prompt.asked, encrypted ? 1 : 0);

    Document expected;
    for (const CardValue& v : c.cards) {
        expected[static_cast<size_t>(FindCategoryIndex(v.category))].push_back(v);
    }
    EXPECT_EQ(Snapshot(store), expected);
    // The password and the flag change only when an encrypted file opened.
    if (encrypted && c.opens) {
        EXPECT_EQ(store.m_strPassword, *c.answer);
        EXPECT_EQ(store.m_bEncryptOnSave, 1);
    } else {
        EXPECT_EQ(store.m_strPassword, "");
        EXPECT_EQ(store.m_bEncryptOnSave, 0);
    }
}

const Bytes kV2Body = Cat({DigestOf(kPassword), Record(kWww), Record(kBank)});
const std::vector<std::string> kNoMessage;
const std::vector<std::string> kWrong{kWrongPassword};

INSTANTIATE_TEST_SUITE_P(
    Files, Reader,
    ::testing::Values(
        ReaderCase{"EmptyFile", {}, {}, false, {}, {}},
        ReaderCase{"ShorterThanAMarker", Text("NTENCRY"), {}, false, {"File is not a Quorrel file!"}, {}},
        ReaderCase{"ForeignMarker", Cat({Text("NTENCRYPX"), Text("Version1.002"), kJunkCheck, Record(kWww)}), {},
                   false, {"File is not a Quorrel file!"}, {}},
        ReaderCase{"LowerCaseMarker", Cat({Text("ntencrypt"), Text("Version1.002"), kJunkCheck}), {}, false,
                   {"File is not a Quorrel file!"}, {}},
        // The plain reader never checks the check value: 3 bytes in the old version, 20 in any other.
        ReaderCase{"PlainV1SkipsThree", PlainFile("Version1.001", Cat({Text("XYZ"), Record(kWww)})), {}, true,
                   {}, {kWww}},
        ReaderCase{"PlainV1IgnoresItsCheckBytes", PlainFile("Version1.001", Cat({Text("ABC"), Record(kWww)})),
                   {}, true, {}, {kWww}},
        ReaderCase{"PlainV2SkipsTwenty", PlainFile("Version1.002", Cat({kJunkCheck, Record(kBank)})), {}, true,
                   {}, {kBank}},
        ReaderCase{"PlainOtherVersionSkipsTwenty", PlainFile("Version7.777", Cat({kJunkCheck, Record(kBank)})),
                   {}, true, {}, {kBank}},
        ReaderCase{"PlainGarbageVersionSkipsTwenty", PlainFile("????????????", Cat({kJunkCheck, Record(kWww)})),
                   {}, true, {}, {kWww}},
        // Too short to hold a record after the check value: an empty document.
        ReaderCase{"PlainMarkerOnly", Text("NTENCRYPT"), {}, true, {}, {}},
        ReaderCase{"PlainInsideVersion", Text("NTENCRYPTVersion1.0"), {}, true, {}, {}},
        ReaderCase{"PlainHeaderOnly", PlainFile("Version1.002", {}), {}, true, {}, {}},
        ReaderCase{"PlainEightBytesAfterCheck", PlainFile("Version1.002", Cat({kJunkCheck, Bytes(8, 0x03)})), {},
                   true, {}, {}},
        ReaderCase{"PlainV1BodyShorterThanCheck", PlainFile("Version1.001", Text("XY")), {}, true, {}, {}},
        // Names are matched byte for byte; a record of no category is dropped and reading goes on.
        ReaderCase{"UnknownCategoriesSkipped",
                   PlainFile("Version1.002",
                             Cat({kJunkCheck, Record({"www pages", "", "lost", "", "", "", "", 0, 0}),
                                  Record({"Nonsense", "d", "lost too", "", "", "", "n", 1, 1}), Record(kWww)})),
                   {}, true, {}, {kWww}},
        ReaderCase{"RecordPastTheEndNotTaken",
                   [] {
                       Bytes file = PlainFile("Version1.002", Cat({kJunkCheck, Record(kWww), Record(kBank)}));
                       file.pop_back();
                       return file;
                   }(),
                   {}, true, {}, {kWww}},
        ReaderCase{"NoteLengthPastTheEnd",
                   PlainFile("Version1.002", Cat({kJunkCheck, Record(kWww),
                                                  Bytes{9}, Text("WWW Pages"), Bytes{0, 0, 0, 0, 0, 0xFF, 0xFF},
                                                  Bytes(30, 'z')})),
                   {}, true, {}, {kWww}},
        // Encrypted files.
        ReaderCase{"EncryptedRightPassword", EncryptedFile("Version1.002", kV2Body), kPassword, true, {},
                   {kWww, kBank}},
        ReaderCase{"EncryptedEightBytesAfterLastBlock",
                   Cat({EncryptedFile("Version1.002", kV2Body), Bytes{1, 2, 3, 4, 5, 6, 7, 8}}), kPassword, true,
                   {}, {kWww, kBank}},
        ReaderCase{"EncryptedPartialBlockAfterLastBlock",
                   Cat({EncryptedFile("Version1.002", kV2Body), Bytes{9, 'W', 'W', 'W'}}), kPassword, true, {},
                   {kWww, kBank}},
        ReaderCase{"EncryptedV1", EncryptedFile("Version1.001", Cat({Text("XYZ"), Record(kBank)})), kPassword,
                   true, {}, {kBank}},
        ReaderCase{"EncryptedV1WrongCheck", EncryptedFile("Version1.001", Cat({Text("XYW"), Record(kBank)})),
                   kPassword, false, kWrong, {}},
        ReaderCase{"WrongPasswordLetterCase", EncryptedFile("Version1.002", kV2Body), "Fixture password", false,
                   kWrong, {}},
        ReaderCase{"EmptyEntry", EncryptedFile("Version1.002", kV2Body), "", false,
                   {"You must enter a password!", kWrongPassword}, {}},
        // Without a password nothing is deciphered, so an empty entry never opens a file, even one whose
        // stored bytes begin with the check value of the empty text.
        ReaderCase{"EmptyEntryOnUnencipheredBody",
                   Cat({Text("ENCRYPTED"), Text("Version1.002"), FromHex(kEmptyDigestHex), Record(kWww)}), "",
                   false, {"You must enter a password!", kWrongPassword}, {}},
        ReaderCase{"PromptCancelled", EncryptedFile("Version1.002", kV2Body), std::nullopt, false, {}, {}},
        ReaderCase{"EncryptedUnknownVersion", EncryptedFile("Version1.003", kV2Body), kPassword, false, {}, {}},
        // Ends at or inside its header: no check value to match.
        ReaderCase{"EncryptedMarkerOnly", Text("ENCRYPTED"), kPassword, false, kWrong, {}},
        ReaderCase{"EncryptedInsideVersion", Text("ENCRYPTEDVersion1"), kPassword, false, kWrong, {}},
        ReaderCase{"EncryptedHeaderOnly", Text("ENCRYPTEDVersion1.002"), kPassword, false, kWrong, {}},
        ReaderCase{"EncryptedBodyShorterThanCheck", EncryptedFile("Version1.002", Bytes(8, 0)), kPassword, false,
                   kWrong, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Reader, EncryptedOpenKeepsTheFileCheckValueAndTheEntry) {
    CCardStore store;
    ScriptedPrompt prompt{kPassword};
    ASSERT_TRUE(LoadEncrypted(store, EncryptedFile("Version1.002", kV2Body), prompt.Prompt(), {}));
    const Bytes digest = DigestOf(kPassword);
    EXPECT_TRUE(std::equal(digest.begin(), digest.end(), store.m_digest.begin()));
    EXPECT_EQ(store.m_strEnteredPassword, kPassword);
}

TEST(Reader, V1FirstRecordStartsAtOffsetThree) {
    // With a 20-byte skip this body would hold no record at all.
    const Bytes body = Cat({Text("XYZ"), Record(kEmptyWww)});
    CCard card;
    size_t pos = 3;
    ASSERT_TRUE(ReadCardRecord(body, pos, card));
    EXPECT_EQ(pos, body.size());
    EXPECT_EQ(ValueOf(card), kEmptyWww);
}

// ---------------------------------------------------------------------------------------------------------
// Round trips of random documents.

struct RoundTripCase {
    unsigned seed;
    int cards;
    bool bigNotes;
    bool encrypted;
};

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, SavedDocumentReadsBackEqual) {
    const RoundTripCase& c = GetParam();
    std::mt19937 rng(c.seed);
    CCardStore store;
    FillRandom(store, rng, c.cards, c.bigNotes ? TextSizes::kBigNotes : TextSizes::kNormal);
    if (c.encrypted) {
        // Up to 200 bytes, high bytes included: the password is used as it stands.
        store.m_strPassword = RandomText(rng, 200, 200) + "!";
    }
    CMemorySink first;
    MessageLog log;
    ASSERT_TRUE(c.encrypted ? SaveEncrypted(store, first, log.Sink()) : SavePlain(store, first, log.Sink()));
    EXPECT_EQ(first.m_bytes.size() % 8, kHeaderSize % 8);

    CCardStore back;
    ScriptedPrompt prompt{store.m_strPassword};
    ASSERT_TRUE(LoadCardFile(back, first.m_bytes, prompt.Prompt(), log.Sink()));
    EXPECT_EQ(Snapshot(back), Snapshot(store));
    EXPECT_EQ(back.m_strPassword, c.encrypted ? store.m_strPassword : "");
    EXPECT_TRUE(log.messages.empty());

    // And the document read back saves to the very same bytes.
    CMemorySink second;
    ASSERT_TRUE(c.encrypted ? SaveEncrypted(back, second, {}) : SavePlain(back, second, {}));
    EXPECT_EQ(second.m_bytes, first.m_bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Seeds, RoundTrip,
    ::testing::Values(RoundTripCase{1, 0, false, false}, RoundTripCase{2, 1, false, true},
                      RoundTripCase{3, 40, false, false}, RoundTripCase{4, 40, false, true},
                      RoundTripCase{5, 300, false, false}, RoundTripCase{6, 300, false, true},
                      RoundTripCase{7, 12, true, false}, RoundTripCase{8, 12, true, true}));

// ---------------------------------------------------------------------------------------------------------
// Damaged files: never a crash, never a card that was not saved.

struct SavedDocument {
    CCardStore store;
    Bytes file;
    // End offset in the body of each record, in file order, with the card it holds.
    std::vector<std::pair<size_t, CardValue>> records;
};

void Save(SavedDocument& doc, unsigned seed, bool encrypted) {
    std::mt19937 rng(seed);
    FillRandom(doc.store, rng, 30, TextSizes::kSmallTexts);
    // A few short records too, so that cuts land in every part of a record.
    AddCard(doc.store, kEmptyWww);
    AddCard(doc.store, kLogin);
    doc.store.m_strPassword = kPassword;
    CMemorySink sink;
    ASSERT_TRUE(encrypted ? SaveEncrypted(doc.store, sink, {}) : SavePlain(doc.store, sink, {}));
    doc.file = sink.m_bytes;
    size_t end = 20;
    for (int index : kFileCategoryOrder) {
        const CCardArray& array = doc.store.GetCategoryArray(index);
        for (int32_t i = 0; i < array.GetCount(); ++i) {
            end += array.GetCard(i)->GetStoredSize();
            doc.records.emplace_back(end, ValueOf(*array.GetCard(i)));
        }
    }
}

// The cards of the records that end at or before `limit`, filed as the reader files them.
Document CardsBefore(const SavedDocument& doc, size_t limit) {
    Document cards;
    for (const auto& [end, card] : doc.records) {
        if (end <= limit) {
            cards[static_cast<size_t>(FindCategoryIndex(card.category))].push_back(card);
        }
    }
    return cards;
}

class DamagedFile : public ::testing::TestWithParam<bool> {};

TEST_P(DamagedFile, EveryTruncationReadsOnlyTheWholeRecords) {
    const bool encrypted = GetParam();
    SavedDocument doc;
    Save(doc, 11, encrypted);
    for (size_t size = 0; size <= doc.file.size(); ++size) {
        CCardStore store;
        ScriptedPrompt prompt{kPassword};
        MessageLog log;
        const bool opened =
            LoadCardFile(store, std::span(doc.file.data(), size), prompt.Prompt(), log.Sink());
        const size_t body = size > kHeaderSize ? size - kHeaderSize : 0;
        // Only whole blocks of an enciphered body can be deciphered.
        const size_t usable = encrypted ? body / 8 * 8 : body;
        if (size == 0) {
            EXPECT_FALSE(opened);
            continue;
        }
        if (size < 9) {
            EXPECT_FALSE(opened);
            EXPECT_EQ(log.messages, std::vector<std::string>{"File is not a Quorrel file!"});
            continue;
        }
        if (encrypted && usable < 20) {
            EXPECT_FALSE(opened) << size;
            EXPECT_EQ(log.messages, kWrong) << size;
            continue;
        }
        ASSERT_TRUE(opened) << size;
        EXPECT_EQ(Snapshot(store), CardsBefore(doc, usable)) << "file cut to " << size << " bytes";
    }
}

TEST_P(DamagedFile, CorruptBytesNeverCrashAndLeaveEarlierRecordsWhole) {
    const bool encrypted = GetParam();
    SavedDocument doc;
    Save(doc, 12, encrypted);
    std::mt19937 rng(encrypted ? 99 : 98);
    for (int round = 0; round < 400; ++round) {
        Bytes file = doc.file;
        const int hits = std::uniform_int_distribution<int>(1, 4)(rng);
        size_t first = file.size();
        for (int h = 0; h < hits; ++h) {
            const size_t at = std::uniform_int_distribution<size_t>(0, file.size() - 1)(rng);
            const auto flip = static_cast<uint8_t>(std::uniform_int_distribution<int>(1, 255)(rng));
            file[at] ^= flip;
            first = std::min(first, at);
        }
        CCardStore store;
        ScriptedPrompt prompt{kPassword};
        const bool opened = LoadCardFile(store, file, prompt.Prompt(), {});
        if (first < kHeaderSize) {
            continue; // a damaged header may open or not; it must only not crash
        }
        size_t intact = first - kHeaderSize;
        if (encrypted) {
            // A changed byte garbles its whole block; one inside the check value fails the check.
            intact = intact / 8 * 8;
            if (intact < 24) {
                EXPECT_FALSE(opened);
                continue;
            }
        }
        ASSERT_TRUE(opened);
        const Document read = Snapshot(store);
        const Document whole = CardsBefore(doc, intact);
        for (size_t i = 0; i < whole.size(); ++i) {
            ASSERT_GE(read[i].size(), whole[i].size());
            EXPECT_TRUE(std::equal(whole[i].begin(), whole[i].end(), read[i].begin())) << "round " << round;
        }
        // A damaged plain file may yield damaged cards, never more than the file has room for.
        EXPECT_LE(static_cast<size_t>(store.GetTotalCardCount()) * 10, file.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, DamagedFile, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Encrypted" : "Plain"; });

} // namespace
