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

void BlowfishEncryptEcb(const BlowfishKey& key, uint8_t* buffer, size_t blocks) {
    for (size_t k = 0; k < blocks; ++k, buffer += 8) {
        uint32_t l = LoadLe32(buffer), r = LoadLe32(buffer + 4);
        BlowfishEncryptBlock(key, l, r);
        StoreLe32(buffer, l);
        StoreLe32(buffer + 4, r);
    }
}

void BlowfishDecryptEcb(const BlowfishKey& key, uint8_t* buffer, size_t blocks) {
    for (size_t k = 0; k < blocks; ++k, buffer += 8) {
        uint32_t l = LoadLe32(buffer), r = LoadLe32(buffer + 4);
        BlowfishDecryptBlock(key, l, r);
        StoreLe32(buffer, l);
        StoreLe32(buffer + 4, r);
    }
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
