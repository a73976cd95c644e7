#include "cardstore/cardfile.h"

#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>

#include "cardstore/cardstore.h"
#include "cardstore/passwordkey.h"
#include "cardstore/sha1.h"

namespace {

constexpr size_t kMarkerSize = 9;
constexpr size_t kVersionSize = 12;
constexpr size_t kBlockSize = 8;
constexpr size_t kV1CheckSize = 3;
constexpr size_t kV2CheckSize = 20;
// A record needs more than this many bytes; fewer left after the last record are padding.
constexpr size_t kRecordMinRemainder = 8;

constexpr char kMsgNotQuorrel[] = "File is not a Quorrel file!";
constexpr char kMsgWrongPassword[] = "Password not correct,try again.";
constexpr char kMsgNoEntry[] = "You must enter a password!";
constexpr char kMsgBadLayout[] = "Bytes not copied correctly.";
constexpr char kMsgNoPassword[] = "The encryption password is not set.";
constexpr char kMsgHeaderWrite[] = "Write error, file heading.";

static_assert(sizeof(kMarkerEncrypted) - 1 == kMarkerSize && sizeof(kMarkerPlain) - 1 == kMarkerSize);
static_assert(sizeof(kVersion1001) - 1 == kVersionSize && sizeof(kVersion1002) - 1 == kVersionSize);
static_assert(kMarkerSize + kVersionSize == kHeaderSize);

// The texts of a record in the order the file stores them.
enum RecordText {
    kCategoryText,
    kDateText,
    kField1Text,
    kField2Text,
    kField3Text,
    kField4Text,
    kNoteText,
    kRecordTextCount
};
constexpr int kShortTextCount = kNoteText;

// A record as it lies in the body: views into the buffer, nothing copied yet.
struct RecordView {
    std::array<std::string_view, kRecordTextCount> texts;
    uint8_t autoAccess = 0;
    uint8_t newWindow = 0;
};

void Report(const MessageSink& message, const char* text) {
    if (message) {
        message(text);
    }
}

bool StartsWith(std::span<const uint8_t> bytes, size_t offset, const char* text, size_t len) {
    return bytes.size() >= offset + len && std::memcmp(bytes.data() + offset, text, len) == 0;
}

std::string_view ViewAt(std::span<const uint8_t> body, size_t pos, size_t len) {
    return {reinterpret_cast<const char*>(body.data() + pos), len};
}

// Every length is checked against what is left before it is used, so no byte outside `body` is read.
bool ScanRecord(std::span<const uint8_t> body, size_t& pos, RecordView& record) {
    const size_t end = body.size();
    size_t p = pos;
    for (int i = 0; i < kShortTextCount; ++i) {
        if (p >= end) {
            return false;
        }
        const size_t len = body[p++];
        if (len > end - p) {
            return false;
        }
        record.texts[static_cast<size_t>(i)] = ViewAt(body, p, len);
        p += len;
    }
    if (end - p < 2) {
        return false;
    }
    const size_t noteLen = size_t{body[p]} | (size_t{body[p + 1]} << 8);
    p += 2;
    if (noteLen > end - p) {
        return false;
    }
    record.texts[kNoteText] = ViewAt(body, p, noteLen);
    p += noteLen;
    if (end - p < 2) {
        return false;
    }
    record.autoAccess = body[p];
    record.newWindow = body[p + 1];
    pos = p + 2;
    return true;
}

void FillCard(CCard& card, const RecordView& record) {
    card.SetCategory(std::string(record.texts[kCategoryText]));
    card.SetDate(std::string(record.texts[kDateText]));
    card.SetField1(std::string(record.texts[kField1Text]));
    card.SetField2(std::string(record.texts[kField2Text]));
    card.SetField3(std::string(record.texts[kField3Text]));
    card.SetField4(std::string(record.texts[kField4Text]));
    card.SetNote(std::string(record.texts[kNoteText]));
    card.SetAutoAccess(record.autoAccess);
    card.SetNewWindow(record.newWindow);
}

// Lays records into a buffer of known size; refuses, rather than cuts, a text its length field cannot
// describe, and never writes past the end.
class CRecordWriter {
public:
    CRecordWriter(uint8_t* data, size_t size, size_t pos) : m_pData(data), m_nSize(size), m_nPos(pos) {}

    bool Put(const CCard& card) {
        return PutShort(card.GetCategory()) && PutShort(card.GetDate()) && PutShort(card.GetField1()) &&
               PutShort(card.GetField2()) && PutShort(card.GetField3()) && PutShort(card.GetField4()) &&
               PutNote(card.GetNote()) && PutFlag(card.GetAutoAccess()) && PutFlag(card.GetNewWindow());
    }
    size_t GetPos() const { return m_nPos; }

private:
    bool Room(size_t len) const { return len <= m_nSize - m_nPos; }
    bool PutText(const std::string& text) {
        if (!Room(text.size())) {
            return false;
        }
        if (!text.empty()) {
            std::memcpy(m_pData + m_nPos, text.data(), text.size());
        }
        m_nPos += text.size();
        return true;
    }
    bool PutShort(const std::string& text) {
        if (text.size() > MAX_SHORT_TEXT || !Room(1)) {
            return false;
        }
        m_pData[m_nPos++] = static_cast<uint8_t>(text.size());
        return PutText(text);
    }
    bool PutNote(const std::string& text) {
        if (text.size() > MAX_NOTE_TEXT || !Room(2)) {
            return false;
        }
        m_pData[m_nPos++] = static_cast<uint8_t>(text.size() & 0xFF);
        m_pData[m_nPos++] = static_cast<uint8_t>(text.size() >> 8);
        return PutText(text);
    }
    bool PutFlag(int32_t flag) {
        if (!Room(1)) {
            return false;
        }
        // A flag read from a file keeps its byte; any other value that is not a byte counts as set.
        m_pData[m_nPos++] = (flag >= 0 && flag <= 0xFF) ? static_cast<uint8_t>(flag) : 1;
        return true;
    }

    uint8_t* m_pData;
    size_t m_nSize;
    size_t m_nPos;
};

// A body buffer whose bytes are wiped before it is released: it holds the cards in clear.
class CBodyBuffer {
public:
    explicit CBodyBuffer(size_t size)
        : m_pData(std::make_unique_for_overwrite<uint8_t[]>(size)), m_nSize(size) {}
    ~CBodyBuffer() { WipeBytes(m_pData.get(), m_nSize); }
    CBodyBuffer(const CBodyBuffer&) = delete;
    CBodyBuffer& operator=(const CBodyBuffer&) = delete;
    uint8_t* Data() { return m_pData.get(); }

private:
    std::unique_ptr<uint8_t[]> m_pData;
    size_t m_nSize;
};

void AssignSecret(std::string& target, const std::string& value) {
    WipeString(target);
    target = value;
}

int32_t ClampBodyLength(size_t length) {
    return length > size_t{std::numeric_limits<int32_t>::max()} ? std::numeric_limits<int32_t>::max()
                                                                : static_cast<int32_t>(length);
}

size_t BodyLength(std::span<const uint8_t> file) {
    return file.size() > kHeaderSize ? file.size() - kHeaderSize : 0;
}

bool SaveFile(CCardStore& store, CByteSink& sink, const MessageSink& message, bool encrypted) {
    std::vector<uint8_t> body;
    if (!LayoutBody(store, body, message)) {
        return false;
    }
    bool ok = true;
    if (encrypted && store.m_strPassword.empty()) {
        Report(message, kMsgNoPassword);
        ok = false;
    }
    if (ok && encrypted) {
        EncryptBuffer(store.m_strPassword, BlockCount(static_cast<uint32_t>(body.size())), body.data());
    }
    if (ok && !WriteFileHeader(sink, encrypted)) {
        Report(message, kMsgHeaderWrite);
        ok = false;
    }
    if (ok) {
        ok = sink.Write(body.data(), body.size());
    }
    WipeBytes(body.data(), body.size());
    return ok;
}

} // namespace

uint32_t BlockCount(uint32_t bytes) {
    return bytes / kBlockSize + (bytes % kBlockSize != 0 ? 1 : 0);
}

bool ComputeBodySize(const CCardStore& store, uint32_t& bodySize, uint32_t& padding) {
    const uint64_t n = kV2CheckSize + store.GetTotalStoredSize();
    const uint64_t size = (n + kBlockSize - 1) / kBlockSize * kBlockSize;
    if (size > std::numeric_limits<uint32_t>::max()) {
        return false;
    }
    bodySize = static_cast<uint32_t>(size);
    padding = static_cast<uint32_t>(size - n);
    return true;
}

bool LayoutBody(CCardStore& store, std::vector<uint8_t>& body, const MessageSink& message) {
    WipeBytes(body.data(), body.size());
    body.clear();
    uint32_t bodySize = 0;
    uint32_t padding = 0;
    if (!ComputeBodySize(store, bodySize, padding)) {
        Report(message, kMsgBadLayout);
        return false;
    }
    body.assign(bodySize, 0);

    store.m_digest = Sha1OfText(store.m_strPassword);
    std::memcpy(body.data(), store.m_digest.data(), kV2CheckSize);

    CRecordWriter writer(body.data(), body.size(), kV2CheckSize);
    bool ok = true;
    for (int index : kFileCategoryOrder) {
        const CCardArray& array = store.GetCategoryArray(index);
        for (int32_t i = 0; ok && i < array.GetCount(); ++i) {
            ok = writer.Put(*array.GetCard(i));
        }
    }
    // The file must say exactly what the cards hold: a short or overlong layout is not written at all.
    if (!ok || writer.GetPos() + padding != body.size()) {
        WipeBytes(body.data(), body.size());
        body.clear();
        Report(message, kMsgBadLayout);
        return false;
    }
    return true;
}

bool WriteFileHeader(CByteSink& sink, bool encrypted) {
    std::array<uint8_t, kHeaderSize> header{};
    std::memcpy(header.data(), encrypted ? kMarkerEncrypted : kMarkerPlain, kMarkerSize);
    std::memcpy(header.data() + kMarkerSize, kVersion1002, kVersionSize);
    return sink.Write(header.data(), header.size());
}

bool IsEncryptedFile(std::span<const uint8_t> file) {
    return StartsWith(file, 0, kMarkerEncrypted, kMarkerSize);
}

bool SavePlain(CCardStore& store, CByteSink& sink, const MessageSink& message) {
    return SaveFile(store, sink, message, false);
}

bool SaveEncrypted(CCardStore& store, CByteSink& sink, const MessageSink& message) {
    return SaveFile(store, sink, message, true);
}

bool LoadPlain(CCardStore& store, std::span<const uint8_t> file, const MessageSink& message) {
    if (file.empty()) {
        return false;
    }
    if (!StartsWith(file, 0, kMarkerPlain, kMarkerSize)) {
        Report(message, kMsgNotQuorrel);
        return false;
    }
    const size_t length = BodyLength(file);
    store.m_nBodyLength = ClampBodyLength(length);
    // Only the old version carries the short check value; anything else is taken as the current one.
    const size_t checkSize =
        StartsWith(file, kMarkerSize, kVersion1001, kVersionSize) ? kV1CheckSize : kV2CheckSize;
    ParseBody(store, file.subspan(file.size() - length), checkSize);
    return true;
}

bool LoadEncrypted(CCardStore& store, std::span<const uint8_t> file, const PasswordPrompt& prompt,
                   const MessageSink& message) {
    if (file.empty()) {
        return false;
    }
    const size_t length = BodyLength(file);
    // The block count is a 32-bit number: a larger body is no card file this program wrote.
    if (!IsEncryptedFile(file) || length > std::numeric_limits<uint32_t>::max() - (kBlockSize - 1)) {
        Report(message, kMsgNotQuorrel);
        return false;
    }
    store.m_nBodyLength = ClampBodyLength(length);

    std::optional<std::string> entry = prompt ? prompt() : std::nullopt;
    if (!entry) {
        return false;
    }
    AssignSecret(store.m_strEnteredPassword, *entry);
    const bool empty = entry->empty();
    if (empty) {
        Report(message, kMsgNoEntry);
    }

    // A file that ends at or inside its header has no check value to match.
    if (length == 0) {
        WipeString(*entry);
        Report(message, kMsgWrongPassword);
        return false;
    }
    const bool v1 = StartsWith(file, kMarkerSize, kVersion1001, kVersionSize);
    const bool v2 = StartsWith(file, kMarkerSize, kVersion1002, kVersionSize);
    if (!v1 && !v2) {
        WipeString(*entry);
        return false;
    }
    // Without a password the body stays enciphered; it is refused even if its first bytes happened to
    // equal the empty text's check value.
    if (empty) {
        Report(message, kMsgWrongPassword);
        return false;
    }

    const uint32_t blocks = BlockCount(static_cast<uint32_t>(length));
    const size_t bufferSize = size_t{blocks} * kBlockSize;
    CBodyBuffer buffer(bufferSize);
    std::memcpy(buffer.Data(), file.data() + kHeaderSize, length);
    std::memset(buffer.Data() + length, 0, bufferSize - length);
    DecryptBuffer(*entry, blocks, buffer.Data());

    // A trailing partial block cannot be deciphered: its bytes are neither check value nor cards.
    const size_t usable = length / kBlockSize * kBlockSize;
    const bool match =
        v1 ? CheckPasswordV1(store, buffer.Data(), usable) : CheckPasswordV2(store, buffer.Data(), usable);
    if (!match) {
        WipeString(*entry);
        Report(message, kMsgWrongPassword);
        return false;
    }
    AssignSecret(store.m_strPassword, *entry);
    WipeString(*entry);
    store.m_bEncryptOnSave = 1;
    ParseBody(store, std::span<const uint8_t>(buffer.Data(), usable), v1 ? kV1CheckSize : kV2CheckSize);
    return true;
}

bool LoadCardFile(CCardStore& store, std::span<const uint8_t> file, const PasswordPrompt& prompt,
                  const MessageSink& message) {
    if (file.empty()) {
        return false;
    }
    return IsEncryptedFile(file) ? LoadEncrypted(store, file, prompt, message)
                                 : LoadPlain(store, file, message);
}

void ParseBody(CCardStore& store, std::span<const uint8_t> body, size_t checkSize) {
    size_t pos = checkSize;
    RecordView record;
    while (pos < body.size() && body.size() - pos > kRecordMinRemainder) {
        if (!ScanRecord(body, pos, record)) {
            break;
        }
        // Matched before anything is copied: a record of no known category costs no allocation.
        const int index = FindCategoryIndex(record.texts[kCategoryText]);
        if (index < 0) {
            continue;
        }
        auto card = std::make_unique<CCard>();
        FillCard(*card, record);
        store.GetCategoryArray(index).AddCard(std::move(card));
    }
}

bool ReadCardRecord(std::span<const uint8_t> body, size_t& pos, CCard& card) {
    RecordView record;
    if (!ScanRecord(body, pos, record)) {
        return false;
    }
    FillCard(card, record);
    return true;
}
