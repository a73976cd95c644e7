#pragma once
// SHA-1 of FIPS 180-1, the program's own code.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

struct Sha1Context {
    uint32_t state[5];
    uint32_t count[2];  // message bits so far, low word first
    uint8_t buffer[64];
};

using Sha1Digest = std::array<uint8_t, 20>;

void Sha1Init(Sha1Context& ctx);
void Sha1Update(Sha1Context& ctx, const uint8_t* data, size_t len);
// The digest; the whole context is overwritten with zeros afterwards.
Sha1Digest Sha1Final(Sha1Context& ctx);
Sha1Digest Sha1OfText(std::string_view text);
