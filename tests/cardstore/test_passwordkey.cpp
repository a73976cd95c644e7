#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "cardstore/blowfish.h"
#include "cardstore/cardstore.h"
#include "cardstore/passwordkey.h"
#include "cardstore/sha1.h"

namespace {

// A decrypted-body stand-in: the check value of `password`, then some card bytes, padded to blocks.
std::vector<uint8_t> BodyFor(const std::string& password, const std::string& rest = "record bytes") {
    const Sha1Digest check = Sha1OfText(password);
    std::vector<uint8_t> body(check.begin(), check.end());
    body.insert(body.end(), rest.begin(), rest.end());
    body.resize((body.size() + 7) / 8 * 8, 0);
    return body;
}

uint32_t Blocks(const std::vector<uint8_t>& body) {
    return static_cast<uint32_t>(body.size() / 8);
}

// Saves a body under `saved` and checks it as opened with `entered`, the way the reader does.
bool OpensWith(const std::string& saved, const std::string& entered) {
    auto body = BodyFor(saved);
    EncryptBuffer(saved, Blocks(body), body.data());
    CCardStore store;
    store.m_strEnteredPassword = entered;
    DecryptBuffer(entered, Blocks(body), body.data());
    return CheckPasswordV2(store, body.data(), body.size());
}

TEST(PasswordKey, BufferRoundTripRestoresEveryByte) {
    std::mt19937 rng(5);
    std::vector<uint8_t> plain(8 * 37);
    for (auto& b : plain) {
        b = static_cast<uint8_t>(rng());
    }
    auto buffer = plain;
    EncryptBuffer("correct horse", Blocks(buffer), buffer.data());
    EXPECT_NE(buffer, plain);
    DecryptBuffer("correct horse", Blocks(buffer), buffer.data());
    EXPECT_EQ(buffer, plain);
}

TEST(PasswordKey, KeyIsThePasswordBytesThemselves) {
    const std::string password = "s3cr3t pa55";
    std::vector<uint8_t> viaPassword(64, 0xA5);
    auto viaKey = viaPassword;
    EncryptBuffer(password, Blocks(viaPassword), viaPassword.data());
    BlowfishKey key;
    BlowfishSetKey(key, reinterpret_cast<const uint8_t*>(password.data()), password.size());
    BlowfishEncryptEcb(key, viaKey.data(), viaKey.size() / 8);
    EXPECT_EQ(viaPassword, viaKey);
}

struct OpenCase {
    const char* name;
    std::string saved;
    std::string entered;
    bool opens;
};

class PasswordCheckTest : public ::testing::TestWithParam<OpenCase> {};

TEST_P(PasswordCheckTest, EncryptedBodyOpensOnlyWithTheRightPassword) {
    EXPECT_EQ(OpensWith(GetParam().saved, GetParam().entered), GetParam().opens);
}

const std::string kLong72(72, 'k');

INSTANTIATE_TEST_SUITE_P(Passwords, PasswordCheckTest,
                         ::testing::Values(OpenCase{"Same", "Tr0ub4dor&3", "Tr0ub4dor&3", true},
                                           OpenCase{"LetterCase", "Tr0ub4dor&3", "tr0ub4dor&3", false},
                                           OpenCase{"Prefix", "Tr0ub4dor&3", "Tr0ub4dor&", false},
                                           OpenCase{"Short", "abc", "abc", true},
                                           OpenCase{"Beyond72Same", kLong72 + "tail", kLong72 + "tail", true},
                                           // The cipher sees only 72 bytes; the check value sees them all.
                                           OpenCase{"Beyond72Differs", kLong72 + "tail", kLong72 + "TAIL",
                                                    false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PasswordKey, PasswordsSharingTheirFirst72BytesKeyTheCipherIdentically) {
    const std::string a = kLong72 + "first";
    const std::string b = kLong72 + "second!";
    std::vector<uint8_t> bufA(80, 0x3C);
    auto bufB = bufA;
    EncryptBuffer(a, Blocks(bufA), bufA.data());
    EncryptBuffer(b, Blocks(bufB), bufB.data());
    EXPECT_EQ(bufA, bufB);
    EXPECT_NE(Sha1OfText(a), Sha1OfText(b));
}

TEST(PasswordKey, CheckV2CopiesTheStoredCheckValueEvenWhenItFails) {
    const auto body = BodyFor("stored password");
    CCardStore store;
    store.m_strEnteredPassword = "another password";
    EXPECT_FALSE(CheckPasswordV2(store, body.data(), body.size()));
    EXPECT_EQ(std::memcmp(store.m_digest.data(), body.data(), 20), 0);
}

TEST(PasswordKey, CheckV2OfAPlainFileMatchesTheEmptyPassword) {
    const auto body = BodyFor("");
    CCardStore store;
    EXPECT_TRUE(CheckPasswordV2(store, body.data(), body.size()));
    store.m_strEnteredPassword = "x";
    EXPECT_FALSE(CheckPasswordV2(store, body.data(), body.size()));
}

TEST(PasswordKey, BodyShorterThanItsCheckValueFails) {
    const auto body = BodyFor("exact");
    CCardStore store;
    store.m_strEnteredPassword = "exact";
    EXPECT_TRUE(CheckPasswordV2(store, body.data(), 20));
    EXPECT_FALSE(CheckPasswordV2(store, body.data(), 19));
    EXPECT_FALSE(CheckPasswordV2(store, body.data(), 0));
    EXPECT_TRUE(CheckPasswordV1(store, reinterpret_cast<const uint8_t*>("XYZ"), 3));
    EXPECT_FALSE(CheckPasswordV1(store, reinterpret_cast<const uint8_t*>("XYZ"), 2));
}

struct V1Case {
    const char* body;
    bool ok;
};

class PasswordCheckV1Test : public ::testing::TestWithParam<V1Case> {};

TEST_P(PasswordCheckV1Test, FirstThreeBytesMustBeXYZ) {
    const CCardStore store;
    const std::string body = GetParam().body;
    EXPECT_EQ(CheckPasswordV1(store, reinterpret_cast<const uint8_t*>(body.data()), body.size()),
              GetParam().ok);
}

INSTANTIATE_TEST_SUITE_P(Bodies, PasswordCheckV1Test,
                         ::testing::Values(V1Case{"XYZ", true}, V1Case{"XYZrecord", true},
                                           V1Case{"XYz", false}, V1Case{"xyz", false}, V1Case{"ZYX", false},
                                           V1Case{"", false}));

TEST(PasswordKey, LengthRuleAcceptsEightBytesAndRefusesSeven) {
    const struct {
        std::string password;
        bool ok;
    } cases[] = {{"", false}, {"1234567", false}, {"12345678", true}, {std::string(200, 'p'), true}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsPasswordLongEnough(c.password), c.ok) << c.password.size() << " bytes";
    }
}

TEST(PasswordKey, LongPasswordIsUnchangedAfterUse) {
    std::string password;
    for (int i = 0; i < 200; ++i) {
        password += static_cast<char>(0x20 + (i * 7) % 95);
    }
    const std::string before = password;
    auto body = BodyFor(password);
    EncryptBuffer(password, Blocks(body), body.data());
    EXPECT_EQ(password, before);
    CCardStore store;
    store.m_strEnteredPassword = password;
    DecryptBuffer(store.m_strEnteredPassword, Blocks(body), body.data());
    EXPECT_TRUE(CheckPasswordV2(store, body.data(), body.size()));
    EXPECT_EQ(store.m_strEnteredPassword, before);
}

} // namespace
