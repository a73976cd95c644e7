#pragma once
// The card file's Blowfish variant: published rounds and key schedule, but tables that start from zero
// and block halves read as little-endian words. Every stored encrypted file depends on both.
#include <cstddef>
#include <cstdint>

struct BlowfishKey {
    uint32_t P[18];
    uint32_t S[4][256];
};

// Sets every P and S entry to its initial value (zero).
void BlowfishResetTables(BlowfishKey& key);
// Resets the tables and runs the key schedule over len (>= 1) key bytes.
void BlowfishSetKey(BlowfishKey& key, const uint8_t* bytes, size_t len);
void BlowfishEncryptBlock(const BlowfishKey& key, uint32_t& xl, uint32_t& xr);
void BlowfishDecryptBlock(const BlowfishKey& key, uint32_t& xl, uint32_t& xr);
// ECB over `blocks` 8-byte blocks in place; halves little-endian as the file stores them.
void BlowfishEncryptEcb(const BlowfishKey& key, uint8_t* buffer, size_t blocks);
void BlowfishDecryptEcb(const BlowfishKey& key, uint8_t* buffer, size_t blocks);
// Overwrites the key state with zeros.
void BlowfishWipe(BlowfishKey& key);
// The key schedule alone (key bytes XORed into P, then the 521 encryptions), over whatever tables `key`
// holds; BlowfishSetKey is BlowfishResetTables followed by this. An empty key mixes no bytes in.
void BlowfishKeySchedule(BlowfishKey& key, const uint8_t* bytes, size_t len);
