// The card file reader over arbitrary bytes, plain and encrypted; whatever it reads must save and read
// back to the same cards.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cardstore/cardfile.h"
#include "cardstore/cardstore.h"
#include "cardstore/passwordkey.h"

namespace {

constexpr char kPassword[] = "fuzzpassword";

std::optional<std::string> AnswerPrompt() {
    return std::string(kPassword);
}

bool SameCard(const CCard& a, const CCard& b) {
    return a.GetCategory() == b.GetCategory() && a.GetDate() == b.GetDate() &&
           a.GetField1() == b.GetField1() && a.GetField2() == b.GetField2() &&
           a.GetField3() == b.GetField3() && a.GetField4() == b.GetField4() && a.GetNote() == b.GetNote() &&
           a.GetAutoAccess() == b.GetAutoAccess() && a.GetNewWindow() == b.GetNewWindow();
}

bool SameCards(const CCardStore& a, const CCardStore& b) {
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
        const CCardArray& x = a.GetCategoryArray(i);
        const CCardArray& y = b.GetCategoryArray(i);
        if (x.GetCount() != y.GetCount()) {
            return false;
        }
        for (int32_t k = 0; k < x.GetCount(); ++k) {
            if (!SameCard(*x.GetCard(k), *y.GetCard(k))) {
                return false;
            }
        }
    }
    return true;
}

// Everything the reader accepted fits the file's length fields, so it must save and read back unchanged.
void CheckRoundTrip(CCardStore& store, bool encrypted) {
    CMemorySink sink;
    if (!(encrypted ? SaveEncrypted(store, sink, {}) : SavePlain(store, sink, {}))) {
        std::abort();
    }
    CCardStore back;
    if (!LoadCardFile(back, sink.m_bytes, AnswerPrompt, {}) || !SameCards(store, back)) {
        std::abort();
    }
}

void ReadPlain(std::span<const uint8_t> file) {
    CCardStore store;
    if (LoadPlain(store, file, {})) {
        CheckRoundTrip(store, false);
    }
}

void ReadEncrypted(std::span<const uint8_t> file) {
    CCardStore store;
    if (LoadEncrypted(store, file, AnswerPrompt, {})) {
        CheckRoundTrip(store, true);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> input(data, size);
    ReadPlain(input);
    ReadEncrypted(input);

    // Random bytes almost never decipher to a valid check value. An odd first byte makes the rest the
    // deciphered body of an encrypted file (bit 1 chooses the old version), so the record parser is
    // reached through the encrypted path too.
    if (size > 0 && (data[0] & 1) != 0) {
        std::vector<uint8_t> body(data + 1, data + size);
        body.resize((body.size() + 7) / 8 * 8, 0);
        EncryptBuffer(kPassword, static_cast<uint32_t>(body.size() / 8), body.data());
        std::vector<uint8_t> file(kMarkerEncrypted, kMarkerEncrypted + 9);
        const char* version = (data[0] & 2) != 0 ? kVersion1001 : kVersion1002;
        file.insert(file.end(), version, version + 12);
        file.insert(file.end(), body.begin(), body.end());
        ReadEncrypted(file);
    }
    return 0;
}
