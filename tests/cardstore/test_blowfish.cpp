#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/blowfish.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "cardstore/blowfish.h"
#include "tests/cardstore/blowfish_pi_tables.h"

namespace {

std::vector<uint8_t> RandomBytes(std::mt19937& rng, size_t n) {
    std::vector<uint8_t> v(n);
    for (auto& b : v) {
        b = static_cast<uint8_t>(rng());
    }
    return v;
}

uint32_t Be32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

uint32_t Le32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

bool SameTables(const BlowfishKey& a, const BlowfishKey& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The key state is 4 KiB; keep it off the test's stack frame.
std::unique_ptr<BlowfishKey> ZeroTableKey(const std::vector<uint8_t>& bytes) {
    auto key = std::make_unique<BlowfishKey>();
    BlowfishSetKey(*key, bytes.data(), bytes.size());
    return key;
}

// The rounds and key schedule over the published pi tables: the textbook cipher.
std::unique_ptr<BlowfishKey> PiTableKey(const std::vector<uint8_t>& bytes) {
    auto key = std::make_unique<BlowfishKey>();
    std::memcpy(key->P, kPiP, sizeof key->P);
    std::memcpy(key->S, kPiS, sizeof key->S);
    BlowfishKeySchedule(*key, bytes.data(), bytes.size());
    return key;
}

std::vector<uint8_t> FromHex(const char* hex) {
    std::vector<uint8_t> out;
    for (; hex[0] && hex[1]; hex += 2) {
        out.push_back(static_cast<uint8_t>(std::stoul(std::string(hex, 2), nullptr, 16)));
    }
    return out;
}

// ---- The textbook cipher: our rounds and schedule over the published tables. ----

struct PublishedVector {
    const char* key;
    const char* plain;
    const char* cipher;
};

class BlowfishPublishedVectorTest : public ::testing::TestWithParam<PublishedVector> {};

TEST_P(BlowfishPublishedVectorTest, PiTablesReproduceTheVector) {
    const auto key = PiTableKey(FromHex(GetParam().key));
    const auto plain = FromHex(GetParam().plain);
    const auto cipher = FromHex(GetParam().cipher);
    // Published vectors read the halves big-endian.
    uint32_t l = Be32(plain.data()), r = Be32(plain.data() + 4);
    BlowfishEncryptBlock(*key, l, r);
    EXPECT_EQ(l, Be32(cipher.data()));
    EXPECT_EQ(r, Be32(cipher.data() + 4));
    BlowfishDecryptBlock(*key, l, r);
    EXPECT_EQ(l, Be32(plain.data()));
    EXPECT_EQ(r, Be32(plain.data() + 4));
}

// The standard variable-key set, and two keys of the set-key set (1 and 24 bytes).
INSTANTIATE_TEST_SUITE_P(
    VariableKey, BlowfishPublishedVectorTest,
    ::testing::Values(PublishedVector{"0000000000000000", "0000000000000000", "4EF997456198DD78"},
                      PublishedVector{"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
                      PublishedVector{"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
                      PublishedVector{"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
                      PublishedVector{"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
                      PublishedVector{"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
                      PublishedVector{"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
                      PublishedVector{"F0", "FEDCBA9876543210", "F9AD597C49DB005E"},
                      PublishedVector{"F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677", "FEDCBA9876543210",
                                      "05044B62FA52D080"}));

TEST(BlowfishPublished, KeyScheduleAndRoundsAgreeWithOpenSslOnRandomKeys) {
    std::mt19937 rng(7);
    for (int round = 0; round < 120; ++round) {
        // Lengths past 72 bytes too, where both must ignore the excess.
        const auto bytes = RandomBytes(rng, 1 + rng() % 100);
        const auto ours = PiTableKey(bytes);
        BF_KEY theirs;
        BF_set_key(&theirs, static_cast<int>(bytes.size()), bytes.data());
        ASSERT_EQ(std::memcmp(ours->P, theirs.P, sizeof ours->P), 0) << "key length " << bytes.size();
        ASSERT_EQ(std::memcmp(ours->S, theirs.S, sizeof ours->S), 0) << "key length " << bytes.size();
        for (int b = 0; b < 8; ++b) {
            uint32_t l = static_cast<uint32_t>(rng()), r = static_cast<uint32_t>(rng());
            BF_LONG data[2] = {l, r};
            BF_encrypt(data, &theirs);
            BlowfishEncryptBlock(*ours, l, r);
            EXPECT_EQ(l, data[0]);
            EXPECT_EQ(r, data[1]);
        }
    }
}

// ---- The program's variant: zero initial tables, little-endian halves. ----

// An independent build of the variant on OpenSSL's round function: zero tables, the key XORed into P
// first key byte most significant, then the tables filled by chained encryptions.
void OpenSslZeroTableKey(BF_KEY& key, const std::vector<uint8_t>& bytes) {
    std::memset(&key, 0, sizeof key);
    for (size_t i = 0, j = 0; i < 18; ++i) {
        uint32_t word = 0;
        for (int n = 0; n < 4; ++n, j = (j + 1) % bytes.size()) {
            word = (word << 8) | bytes[j];
        }
        key.P[i] ^= word;
    }
    BF_LONG data[2] = {0, 0};
    for (size_t i = 0; i < 18 + 1024; i += 2) {
        BF_encrypt(data, &key);
        BF_LONG* slot = i < 18 ? &key.P[i] : &key.S[i - 18];
        slot[0] = data[0];
        slot[1] = data[1];
    }
}

TEST(BlowfishVariant, EcbMatchesAnIndependentZeroTableCipherWithLittleEndianHalves) {
    std::mt19937 rng(99);
    for (int round = 0; round < 40; ++round) {
        const auto bytes = RandomBytes(rng, 1 + rng() % 80);
        BF_KEY reference;
        OpenSslZeroTableKey(reference, bytes);
        auto buffer = RandomBytes(rng, 8 * (1 + rng() % 40));
        auto expected = buffer;
        for (size_t off = 0; off < expected.size(); off += 8) {
            BF_LONG data[2] = {Le32(&expected[off]), Le32(&expected[off + 4])};
            BF_encrypt(data, &reference);
            for (int n = 0; n < 4; ++n) {
                expected[off + n] = static_cast<uint8_t>(data[0] >> (8 * n));
                expected[off + 4 + n] = static_cast<uint8_t>(data[1] >> (8 * n));
            }
        }
        BlowfishEncryptEcb(*ZeroTableKey(bytes), buffer.data(), buffer.size() / 8);
        EXPECT_EQ(buffer, expected) << "key length " << bytes.size();
    }
}

TEST(BlowfishVariant, KnownAnswerOfTheFileCipher) {
    // Worked out apart from this code, by a separate model of the variant. Pinned so that a change to
    // the cipher, which would orphan every stored file, cannot pass unseen.
    const std::string password = "password";
    const auto key = ZeroTableKey(std::vector<uint8_t>(password.begin(), password.end()));
    auto block = FromHex("0001020304050607");
    BlowfishEncryptEcb(*key, block.data(), 1);
    EXPECT_EQ(block, FromHex("D4EE3D570E0A8B30"));
}

class BlowfishRoundTripTest : public ::testing::TestWithParam<size_t> {};

// Block counts around any number of blocks processed together, so every tail path runs.
TEST_P(BlowfishRoundTripTest, EcbAgreesBlockByBlockAndDecryptRestoresEveryByte) {
    const size_t blocks = GetParam();
    std::mt19937 rng(static_cast<unsigned>(blocks) + 1);
    const auto key = ZeroTableKey(RandomBytes(rng, 16));
    const auto plain = RandomBytes(rng, 8 * blocks);
    auto buffer = plain;
    BlowfishEncryptEcb(*key, buffer.data(), blocks);
    if (blocks != 0) {
        EXPECT_NE(buffer, plain);
    }
    for (size_t k = 0; k < blocks; ++k) {
        uint32_t l = Le32(&plain[8 * k]), r = Le32(&plain[8 * k + 4]);
        BlowfishEncryptBlock(*key, l, r);
        ASSERT_EQ(Le32(&buffer[8 * k]), l) << "block " << k;
        ASSERT_EQ(Le32(&buffer[8 * k + 4]), r) << "block " << k;
    }
    BlowfishDecryptEcb(*key, buffer.data(), blocks);
    EXPECT_EQ(buffer, plain);
}

INSTANTIATE_TEST_SUITE_P(BlockCounts, BlowfishRoundTripTest,
                         ::testing::Values(0, 1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 33, 1000));

TEST(BlowfishVariant, BlockHalvesAreLittleEndianWords) {
    const auto key = ZeroTableKey(FromHex("0123456789"));
    uint8_t block[8] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
    // Byte 0 least and byte 3 most significant of the left half; bytes 4 to 7 likewise of the right.
    uint32_t l = 0x44332211u, r = 0x88776655u;
    BlowfishEncryptBlock(*key, l, r);
    BlowfishEncryptEcb(*key, block, 1);
    const uint8_t expected[8] = {static_cast<uint8_t>(l),       static_cast<uint8_t>(l >> 8),
                                 static_cast<uint8_t>(l >> 16), static_cast<uint8_t>(l >> 24),
                                 static_cast<uint8_t>(r),       static_cast<uint8_t>(r >> 8),
                                 static_cast<uint8_t>(r >> 16), static_cast<uint8_t>(r >> 24)};
    EXPECT_EQ(std::memcmp(block, expected, 8), 0);
}

TEST(BlowfishVariant, KeyBytesAreUsedCyclicallyUpTo72) {
    const auto five = FromHex("A1B2C3D4E5");
    auto ten = five;
    ten.insert(ten.end(), five.begin(), five.end());
    EXPECT_TRUE(SameTables(*ZeroTableKey(five), *ZeroTableKey(ten)));

    std::mt19937 rng(3);
    const auto key72 = RandomBytes(rng, 72);
    auto longer = key72;
    longer.insert(longer.end(), {'m', 'o', 'r', 'e'});
    EXPECT_TRUE(SameTables(*ZeroTableKey(key72), *ZeroTableKey(longer)));

    auto key71 = key72;
    key71.pop_back();
    EXPECT_FALSE(SameTables(*ZeroTableKey(key71), *ZeroTableKey(key72)));
}

TEST(BlowfishVariant, EqualPlaintextBlocksGiveEqualCiphertextBlocks) {
    const auto key = ZeroTableKey(FromHex("CAFEBABE"));
    uint8_t buffer[24] = {'s', 'a', 'm', 'e', 'b', 'l', 'k', '!', 'o', 't', 'h', 'e',
                          'r', '-', '-', '-', 's', 'a', 'm', 'e', 'b', 'l', 'k', '!'};
    BlowfishEncryptEcb(*key, buffer, 3);
    EXPECT_EQ(std::memcmp(buffer, buffer + 16, 8), 0);
    EXPECT_NE(std::memcmp(buffer, buffer + 8, 8), 0);
}

TEST(BlowfishVariant, ZeroTablesDoNotReproduceThePublishedVector) {
    const auto key = ZeroTableKey(std::vector<uint8_t>(8, 0));
    uint32_t l = 0, r = 0;
    BlowfishEncryptBlock(*key, l, r);
    EXPECT_FALSE(l == 0x4EF99745u && r == 0x6198DD78u);
    uint8_t block[8] = {};
    BlowfishEncryptEcb(*key, block, 1);
    EXPECT_NE(std::memcmp(block, FromHex("4EF997456198DD78").data(), 8), 0);
}

// The callers never pass an empty password, but an empty key must not divide by zero or read past it.
TEST(BlowfishVariant, EmptyKeyMixesNothingInAndStillRoundTrips) {
    const auto empty = ZeroTableKey({});
    const auto zeros = ZeroTableKey(std::vector<uint8_t>(4, 0));
    EXPECT_TRUE(SameTables(*empty, *zeros));
    uint8_t block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    BlowfishEncryptEcb(*empty, block, 1);
    BlowfishDecryptEcb(*empty, block, 1);
    const uint8_t plain[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(std::memcmp(block, plain, 8), 0);
}

TEST(BlowfishVariant, WipeZeroesTheKeyState) {
    auto key = ZeroTableKey(FromHex("0102030405060708"));
    BlowfishWipe(*key);
    BlowfishKey zero;
    BlowfishResetTables(zero);
    EXPECT_TRUE(SameTables(*key, zero));
}

} // namespace
