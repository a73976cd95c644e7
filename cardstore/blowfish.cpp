#include "cardstore/blowfish.h"

namespace {

inline uint32_t F(const BlowfishKey& key, uint32_t x) {
    return ((key.S[0][x >> 24] + key.S[1][(x >> 16) & 0xFF]) ^ key.S[2][(x >> 8) & 0xFF]) +
           key.S[3][x & 0xFF];
}

// The file stores both halves least significant byte first, on every host.
inline uint32_t LoadLe32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

inline void StoreLe32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

} // namespace

void BlowfishResetTables(BlowfishKey& key) {
    for (uint32_t& p : key.P) {
        p = 0;
    }
    for (auto& box : key.S) {
        for (uint32_t& s : box) {
            s = 0;
        }
    }
}

void BlowfishKeySchedule(BlowfishKey& key, const uint8_t* bytes, size_t len) {
    // An empty key mixes nothing in, rather than dividing by zero.
    if (len != 0) {
        size_t j = 0;
        for (uint32_t& p : key.P) {
            uint32_t word = 0;
            for (int n = 0; n < 4; ++n) {
                word = (word << 8) | bytes[j];
                j = j + 1 == len ? 0 : j + 1;
            }
            p ^= word;
        }
    }
    uint32_t l = 0, r = 0;
    for (int i = 0; i < 18; i += 2) {
        BlowfishEncryptBlock(key, l, r);
        key.P[i] = l;
        key.P[i + 1] = r;
    }
    for (auto& box : key.S) {
        for (int i = 0; i < 256; i += 2) {
            BlowfishEncryptBlock(key, l, r);
            box[i] = l;
            box[i + 1] = r;
        }
    }
}

void BlowfishSetKey(BlowfishKey& key, const uint8_t* bytes, size_t len) {
    BlowfishResetTables(key);
    BlowfishKeySchedule(key, bytes, len);
}

void BlowfishEncryptBlock(const BlowfishKey& key, uint32_t& xl, uint32_t& xr) {
    uint32_t l = xl, r = xr;
    for (int i = 0; i < 16; i += 2) {
        l ^= key.P[i];
        r ^= F(key, l);
        r ^= key.P[i + 1];
        l ^= F(key, r);
    }
    xl = r ^ key.P[17];
    xr = l ^ key.P[16];
}

void BlowfishDecryptBlock(const BlowfishKey& key, uint32_t& xl, uint32_t& xr) {
    uint32_t l = xl, r = xr;
    for (int i = 17; i > 1; i -= 2) {
        l ^= key.P[i];
        r ^= F(key, l);
        r ^= key.P[i - 1];
        l ^= F(key, r);
    }
    xl = r ^ key.P[0];
    xr = l ^ key.P[1];
}

namespace {

// ECB blocks are independent, so several are carried through the rounds together: the S-box loads of
// one block overlap the dependent add/xor chain of the others instead of waiting on it.
constexpr size_t INTERLEAVE = 4;

// Runs the 16 rounds over N blocks at once. Decryption is the same body with the subkeys taken from
// P[17] down to P[0].
template <size_t N, bool DECRYPT> inline void CryptBlocks(const BlowfishKey& key, uint8_t* buffer) {
    uint32_t l[N], r[N];
#pragma GCC unroll 8
    for (size_t n = 0; n < N; ++n) {
        l[n] = LoadLe32(buffer + 8 * n);
        r[n] = LoadLe32(buffer + 8 * n + 4);
    }
#pragma GCC unroll 16
    for (int i = 0; i < 16; i += 2) {
        const uint32_t p0 = key.P[DECRYPT ? 17 - i : i];
        const uint32_t p1 = key.P[DECRYPT ? 16 - i : i + 1];
#pragma GCC unroll 8
        for (size_t n = 0; n < N; ++n) {
            l[n] ^= p0;
            r[n] ^= F(key, l[n]) ^ p1;
        }
#pragma GCC unroll 8
        for (size_t n = 0; n < N; ++n) {
            l[n] ^= F(key, r[n]);
        }
    }
    const uint32_t last = key.P[DECRYPT ? 0 : 17];
    const uint32_t next = key.P[DECRYPT ? 1 : 16];
#pragma GCC unroll 8
    for (size_t n = 0; n < N; ++n) {
        StoreLe32(buffer + 8 * n, r[n] ^ last);
        StoreLe32(buffer + 8 * n + 4, l[n] ^ next);
    }
}

template <bool DECRYPT> void CryptEcb(const BlowfishKey& key, uint8_t* buffer, size_t blocks) {
    for (; blocks >= INTERLEAVE; blocks -= INTERLEAVE, buffer += 8 * INTERLEAVE) {
        CryptBlocks<INTERLEAVE, DECRYPT>(key, buffer);
    }
    for (; blocks != 0; --blocks, buffer += 8) {
        CryptBlocks<1, DECRYPT>(key, buffer);
    }
}

} // namespace

void BlowfishEncryptEcb(const BlowfishKey& key, uint8_t* buffer, size_t blocks) {
    CryptEcb<false>(key, buffer, blocks);
}

void BlowfishDecryptEcb(const BlowfishKey& key, uint8_t* buffer, size_t blocks) {
    CryptEcb<true>(key, buffer, blocks);
}

void BlowfishWipe(BlowfishKey& key) {
    volatile uint32_t* v = &key.P[0];
    for (size_t i = 0; i < 18; ++i) {
        v[i] = 0;
    }
    for (auto& box : key.S) {
        volatile uint32_t* s = &box[0];
        for (size_t i = 0; i < 256; ++i) {
            s[i] = 0;
        }
    }
}
