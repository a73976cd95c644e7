#include "cardstore/passwordkey.h"

#include <cstring>

#include "cardstore/blowfish.h"
#include "cardstore/cardstore.h"
#include "cardstore/sha1.h"

namespace {

// The key state lives only for one buffer operation and is wiped before it is released.
template <typename Cipher>
void RunKeyed(std::string_view password, uint32_t blocks, uint8_t* buffer, Cipher run) {
    BlowfishKey key;
    BlowfishSetKey(key, reinterpret_cast<const uint8_t*>(password.data()), password.size());
    run(key, buffer, size_t{blocks});
    BlowfishWipe(key);
}

constexpr size_t V1_CHECK_LENGTH = 3;
constexpr size_t V2_CHECK_LENGTH = 20;

} // namespace

void EncryptBuffer(std::string_view password, uint32_t blocks, uint8_t* buffer) {
    RunKeyed(password, blocks, buffer, BlowfishEncryptEcb);
}

void DecryptBuffer(std::string_view password, uint32_t blocks, uint8_t* buffer) {
    RunKeyed(password, blocks, buffer, BlowfishDecryptEcb);
}

bool CheckPasswordV1(const CCardStore& /*store*/, const uint8_t* body, size_t len) {
    return len >= V1_CHECK_LENGTH && std::memcmp(body, "XYZ", V1_CHECK_LENGTH) == 0;
}

bool CheckPasswordV2(CCardStore& store, const uint8_t* body, size_t len) {
    // A body too short for its check value holds no check value to compare.
    if (len < V2_CHECK_LENGTH) {
        return false;
    }
    std::memcpy(store.m_digest.data(), body, V2_CHECK_LENGTH);
    const Sha1Digest expected = Sha1OfText(store.m_strEnteredPassword);
    // Constant time: how many leading bytes match says nothing to an observer.
    uint8_t diff = 0;
    for (size_t i = 0; i < V2_CHECK_LENGTH; ++i) {
        diff |= static_cast<uint8_t>(store.m_digest[i] ^ expected[i]);
    }
    return diff == 0;
}

bool IsPasswordLongEnough(std::string_view password) {
    return password.size() >= MIN_PASSWORD_LENGTH;
}
