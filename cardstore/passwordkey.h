#pragma once
// The password as cipher key and check value.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CCardStore;

// Key the cipher with the password's bytes and en/decipher `blocks` blocks of the buffer in place.
// The password must not be empty.
void EncryptBuffer(std::string_view password, uint32_t blocks, uint8_t* buffer);
void DecryptBuffer(std::string_view password, uint32_t blocks, uint8_t* buffer);

// Checks of a decrypted body (`body`, `len` bytes). V1: the first 3 bytes are "XYZ". V2: the first 20
// bytes equal the digest of the store's entered password; they are copied into the store's m_digest.
bool CheckPasswordV1(const CCardStore& store, const uint8_t* body, size_t len);
bool CheckPasswordV2(CCardStore& store, const uint8_t* body, size_t len);

// A password set with Encrypt On Save must be at least this many bytes.
constexpr size_t MIN_PASSWORD_LENGTH = 8;
bool IsPasswordLongEnough(std::string_view password);
