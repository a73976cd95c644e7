#include "cardstore/cardfile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>

#include "cardstore/blowfish.h"
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

std::unique_ptr<CCard> MakeCard(const RecordView& record) {
    const auto& t = record.texts;
    return std::make_unique<CCard>(t[kCategoryText], t[kDateText], t[kField1Text], t[kField2Text],
                                   t[kField3Text], t[kField4Text], t[kNoteText], record.autoAccess,
                                   record.newWindow);
}

// Files each record's card under its category, matched before anything is copied, so a record of no
// known category costs no allocation and is dropped. A file stores its records category by category:
// the category of the previous record is tried first.
class CCardFiler {
public:
    explicit CCardFiler(CCardStore& store) : m_store(store) {}

    void File(const RecordView& record) {
        const std::string_view name = record.texts[kCategoryText];
        if (m_nLast < 0 || kCategories[static_cast<size_t>(m_nLast)].name != name) {
            m_nLast = FindCategoryIndex(name);
            if (m_nLast < 0) {
                return;
            }
        }
        m_store.GetCategoryArray(m_nLast).AddCard(MakeCard(record));
    }

private:
    CCardStore& m_store;
    int m_nLast = -1;
};

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

// Deciphers an encrypted body a window at a time, just ahead of the record parser, so the cards in
// clear never sit in one large buffer and the bytes are parsed while still in the cache. The body is
// taken in whole blocks only (ECB: each block deciphers by itself, exactly as in one pass).
class CDecipheringWindow {
public:
    CDecipheringWindow(std::span<const uint8_t> cipher, std::string_view password)
        : m_cipher(cipher), m_nCapacity(std::min(kMaxCapacity, cipher.size())),
          m_pBuffer(std::make_unique_for_overwrite<uint8_t[]>(m_nCapacity)) {
        BlowfishSetKey(m_key, reinterpret_cast<const uint8_t*>(password.data()), password.size());
        More(0);
    }
    ~CDecipheringWindow() {
        WipeBytes(m_pBuffer.get(), m_nCapacity);
        BlowfishWipe(m_key);
    }
    CDecipheringWindow(const CDecipheringWindow&) = delete;
    CDecipheringWindow& operator=(const CDecipheringWindow&) = delete;

    // The deciphered bytes from body offset `from` (not before the window) to the end of the window.
    std::span<const uint8_t> From(size_t from) const {
        return {m_pBuffer.get() + (from - m_nBase), m_nBase + m_nFilled - from};
    }
    // Deciphers further, keeping the bytes from body offset `keepFrom` on; false at the end of the body.
    bool More(size_t keepFrom) {
        const size_t end = m_nBase + m_nFilled;
        if (end == m_cipher.size()) {
            return false;
        }
        const size_t keep = end - keepFrom;
        std::memmove(m_pBuffer.get(), m_pBuffer.get() + (keepFrom - m_nBase), keep);
        m_nBase = keepFrom;
        m_nFilled = keep;
        const size_t room = (m_nCapacity - keep) / kBlockSize * kBlockSize;
        const size_t take = std::min(room, m_cipher.size() - end);
        uint8_t* target = m_pBuffer.get() + keep;
        std::memcpy(target, m_cipher.data() + end, take);
        BlowfishDecryptEcb(m_key, target, take / kBlockSize);
        m_nFilled += take;
        return true;
    }

private:
    // Room for the longest possible record (10 + 6 * 255 + 65535 bytes) and a good stretch beyond it;
    // a smaller body gets a window of its own size.
    static constexpr size_t kMaxCapacity = 256 * 1024;

    std::span<const uint8_t> m_cipher;
    size_t m_nCapacity;
    BlowfishKey m_key;
    std::unique_ptr<uint8_t[]> m_pBuffer;
    size_t m_nBase = 0;   // body offset of the buffer's first byte
    size_t m_nFilled = 0; // deciphered bytes in the buffer
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

    // A trailing partial block cannot be deciphered: its bytes are neither check value nor cards.
    const size_t usable = length / kBlockSize * kBlockSize;
    CDecipheringWindow window(file.subspan(kHeaderSize, usable), *entry);
    const std::span<const uint8_t> start = window.From(0);
    const bool match = v1 ? CheckPasswordV1(store, start.data(), start.size())
                          : CheckPasswordV2(store, start.data(), start.size());
    if (!match) {
        WipeString(*entry);
        Report(message, kMsgWrongPassword);
        return false;
    }
    AssignSecret(store.m_strPassword, *entry);
    WipeString(*entry);
    store.m_bEncryptOnSave = 1;

    // The same walk as ParseBody, over a window that moves along the body.
    CCardFiler filer(store);
    size_t pos = v1 ? kV1CheckSize : kV2CheckSize;
    RecordView record;
    while (pos < usable && usable - pos > kRecordMinRemainder) {
        const std::span<const uint8_t> bytes = window.From(pos);
        size_t taken = 0;
        if (ScanRecord(bytes, taken, record)) {
            filer.File(record);
            pos += taken;
        } else if (!window.More(pos)) {
            break; // the record runs past the end of the body
        }
    }
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
    CCardFiler filer(store);
    size_t pos = checkSize;
    RecordView record;
    while (pos < body.size() && body.size() - pos > kRecordMinRemainder) {
        if (!ScanRecord(body, pos, record)) {
            break;
        }
        filer.File(record);
    }
}

bool ReadCardRecord(std::span<const uint8_t> body, size_t& pos, CCard& card) {
    RecordView record;
    if (!ScanRecord(body, pos, record)) {
        return false;
    }
    const auto& t = record.texts;
    card = CCard(t[kCategoryText], t[kDateText], t[kField1Text], t[kField2Text], t[kField3Text],
                 t[kField4Text], t[kNoteText], record.autoAccess, record.newWindow);
    return true;
}
