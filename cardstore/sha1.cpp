#include "cardstore/sha1.h"

#include <cstring>

namespace {

inline uint32_t Rol(uint32_t x, int n) {
    return (x << n) | (x >> (32 - n));
}

inline uint32_t LoadBe32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

// Zeros that the optimiser may not drop: the context and the schedule held password bytes.
void SecureZero(void* p, size_t len) {
    volatile uint8_t* v = static_cast<volatile uint8_t*>(p);
    for (size_t i = 0; i < len; ++i) {
        v[i] = 0;
    }
}

// Word t of the message schedule, kept in a ring of 16.
inline uint32_t Schedule(uint32_t w[16], int t) {
    if (t < 16) {
        return w[t];
    }
    const uint32_t x = Rol(w[(t + 13) & 15] ^ w[(t + 8) & 15] ^ w[(t + 2) & 15] ^ w[t & 15], 1);
    w[t & 15] = x;
    return x;
}

inline void Step(uint32_t& a, uint32_t& b, uint32_t& c, uint32_t& d, uint32_t& e, uint32_t f, uint32_t k,
                 uint32_t wt) {
    const uint32_t tmp = Rol(a, 5) + f + e + k + wt;
    e = d;
    d = c;
    c = Rol(b, 30);
    b = a;
    a = tmp;
}

// Compresses `blocks` 64-byte blocks. The message words are read into a local schedule, so the
// caller's bytes are only ever read.
void Compress(uint32_t state[5], const uint8_t* data, size_t blocks) {
    uint32_t w[16];
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    for (; blocks != 0; --blocks, data += 64) {
        for (int i = 0; i < 16; ++i) {
            w[i] = LoadBe32(data + 4 * i);
        }
        const uint32_t a0 = a, b0 = b, c0 = c, d0 = d, e0 = e;
        // Each phase has its own loop so no step tests which function and constant apply; fully
        // unrolled, the rotation of a..e costs no moves.
#pragma GCC unroll 20
        for (int t = 0; t < 20; ++t) {
            Step(a, b, c, d, e, (b & c) | (~b & d), 0x5A827999u, Schedule(w, t));
        }
#pragma GCC unroll 20
        for (int t = 20; t < 40; ++t) {
            Step(a, b, c, d, e, b ^ c ^ d, 0x6ED9EBA1u, Schedule(w, t));
        }
#pragma GCC unroll 20
        for (int t = 40; t < 60; ++t) {
            Step(a, b, c, d, e, (b & c) | (d & (b | c)), 0x8F1BBCDCu, Schedule(w, t));
        }
#pragma GCC unroll 20
        for (int t = 60; t < 80; ++t) {
            Step(a, b, c, d, e, b ^ c ^ d, 0xCA62C1D6u, Schedule(w, t));
        }
        a += a0;
        b += b0;
        c += c0;
        d += d0;
        e += e0;
    }
    state[0] = a;
    state[1] = b;
    state[2] = c;
    state[3] = d;
    state[4] = e;
    SecureZero(w, sizeof w);
}

} // namespace

void Sha1Init(Sha1Context& ctx) {
    ctx.state[0] = 0x67452301u;
    ctx.state[1] = 0xEFCDAB89u;
    ctx.state[2] = 0x98BADCFEu;
    ctx.state[3] = 0x10325476u;
    ctx.state[4] = 0xC3D2E1F0u;
    ctx.count[0] = 0;
    ctx.count[1] = 0;
    std::memset(ctx.buffer, 0, sizeof ctx.buffer);
}

void Sha1Update(Sha1Context& ctx, const uint8_t* data, size_t len) {
    if (len == 0) {
        return;
    }
    size_t used = (ctx.count[0] >> 3) & 63;
    // The bit count wraps modulo 2^64, as the standard's length field does.
    const uint64_t bits = (uint64_t{ctx.count[1]} << 32 | ctx.count[0]) + (uint64_t{len} << 3);
    ctx.count[0] = static_cast<uint32_t>(bits);
    ctx.count[1] = static_cast<uint32_t>(bits >> 32);

    if (used != 0) {
        const size_t take = len < 64 - used ? len : 64 - used;
        std::memcpy(ctx.buffer + used, data, take);
        used += take;
        data += take;
        len -= take;
        if (used < 64) {
            return;
        }
        Compress(ctx.state, ctx.buffer, 1);
    }
    if (len >= 64) {
        Compress(ctx.state, data, len / 64);
        data += len & ~size_t{63};
        len &= 63;
    }
    if (len != 0) {
        std::memcpy(ctx.buffer, data, len);
    }
}

Sha1Digest Sha1Final(Sha1Context& ctx) {
    uint8_t length[8];
    for (int i = 0; i < 4; ++i) {
        length[i] = static_cast<uint8_t>(ctx.count[1] >> (24 - 8 * i));
        length[4 + i] = static_cast<uint8_t>(ctx.count[0] >> (24 - 8 * i));
    }
    // One 0x80 byte, zeros up to 56 bytes modulo 64, then the 64-bit big-endian bit count.
    const size_t used = (ctx.count[0] >> 3) & 63;
    const size_t pad = used < 56 ? 56 - used : 120 - used;
    static const uint8_t padding[64] = {0x80};
    Sha1Update(ctx, padding, pad);
    Sha1Update(ctx, length, sizeof length);

    Sha1Digest digest;
    for (int i = 0; i < 20; ++i) {
        digest[static_cast<size_t>(i)] = static_cast<uint8_t>(ctx.state[i >> 2] >> (24 - 8 * (i & 3)));
    }
    SecureZero(&ctx, sizeof ctx);
    return digest;
}

Sha1Digest Sha1OfText(std::string_view text) {
    Sha1Context ctx;
    Sha1Init(ctx);
    Sha1Update(ctx, reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return Sha1Final(ctx);
}
