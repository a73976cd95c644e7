#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/sha.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "cardstore/sha1.h"

namespace {

std::string Hex(const Sha1Digest& d) {
    std::string s;
    char byte[3];
    for (uint8_t b : d) {
        std::snprintf(byte, sizeof byte, "%02x", b);
        s += byte;
    }
    return s;
}

Sha1Digest OpenSslSha1(const uint8_t* data, size_t len) {
    Sha1Digest d;
    SHA1(data, len, d.data());
    return d;
}

struct Sha1Vector {
    const char* name;
    std::string message;
    const char* digest;
};

class Sha1VectorTest : public ::testing::TestWithParam<Sha1Vector> {};

TEST_P(Sha1VectorTest, DigestOfTextMatchesPublishedValue) {
    EXPECT_EQ(Hex(Sha1OfText(GetParam().message)), GetParam().digest);
}

INSTANTIATE_TEST_SUITE_P(
    Fips180, Sha1VectorTest,
    ::testing::Values(Sha1Vector{"abc", "abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
                      Sha1Vector{"bits448", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                                 "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
                      // The check value of a file written without a password.
                      Sha1Vector{"empty", "", "da39a3ee5e6b4b0d3255bfef95601890afd80709"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Sha1, MillionAFedInPiecesOfVaryingSize) {
    const std::vector<uint8_t> a(1000000, 'a');
    // Piece sizes cycle through values that straddle the 64-byte block in every way.
    const size_t pieces[] = {1, 63, 64, 65, 7, 128, 55, 56, 1000, 3, 4096, 0, 200};
    Sha1Context ctx;
    Sha1Init(ctx);
    size_t done = 0;
    for (size_t i = 0; done < a.size(); ++i) {
        const size_t n = std::min(pieces[i % std::size(pieces)], a.size() - done);
        Sha1Update(ctx, a.data() + done, n);
        done += n;
    }
    EXPECT_EQ(Hex(Sha1Final(ctx)), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
}

TEST(Sha1, AgreesWithOpenSslOnEveryLengthAroundThePaddingBoundaries) {
    std::mt19937 rng(1234);
    std::vector<uint8_t> data(300);
    for (auto& b : data) {
        b = static_cast<uint8_t>(rng());
    }
    for (size_t len = 0; len <= data.size(); ++len) {
        const std::string text(reinterpret_cast<const char*>(data.data()), len);
        EXPECT_EQ(Hex(Sha1OfText(text)), Hex(OpenSslSha1(data.data(), len))) << "length " << len;
    }
}

TEST(Sha1, AgreesWithOpenSslOnRandomInputsInRandomPieces) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> data(rng() % 5000);
        for (auto& b : data) {
            b = static_cast<uint8_t>(rng());
        }
        Sha1Context ctx;
        Sha1Init(ctx);
        for (size_t done = 0; done < data.size();) {
            const size_t n = std::min<size_t>(rng() % 300, data.size() - done);
            Sha1Update(ctx, data.data() + done, n);
            done += n;
        }
        EXPECT_EQ(Hex(Sha1Final(ctx)), Hex(OpenSslSha1(data.data(), data.size()))) << "size " << data.size();
    }
}

TEST(Sha1, FinalLeavesEveryByteOfTheContextZero) {
    const std::string password = "a secret that must not linger in the context";
    Sha1Context ctx;
    Sha1Init(ctx);
    Sha1Update(ctx, reinterpret_cast<const uint8_t*>(password.data()), password.size());
    Sha1Final(ctx);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&ctx);
    EXPECT_TRUE(std::all_of(bytes, bytes + sizeof ctx, [](uint8_t b) { return b == 0; }));
}

TEST(Sha1, InputBytesAreUntouched) {
    std::string text;
    for (int i = 0; i < 200; ++i) {
        text += static_cast<char>('!' + i % 90);
    }
    const std::string before = text;
    const Sha1Digest once = Sha1OfText(text);
    EXPECT_EQ(text, before);

    Sha1Context ctx;
    Sha1Init(ctx);
    Sha1Update(ctx, reinterpret_cast<const uint8_t*>(text.data()), 3);
    Sha1Update(ctx, reinterpret_cast<const uint8_t*>(text.data()) + 3, text.size() - 3);
    EXPECT_EQ(Sha1Final(ctx), once);
    EXPECT_EQ(text, before);
}

} // namespace
