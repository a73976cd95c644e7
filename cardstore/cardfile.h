#pragma once
// The card file: a 21-byte header ("ENCRYPTED"/"NTENCRYPT" and a version text) and a body of 8-byte
// blocks holding the check value and the card records, plain or enciphered.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cardstore/bytesink.h"
#include "cardstore/card.h"

class CCardStore;

// Messages of the card file code: the caller shows them (a message box, standard error).
using MessageSink = std::function<void(const std::string& message)>;
// Asks for the decryption password; nullopt when the user cancels.
using PasswordPrompt = std::function<std::optional<std::string>()>;

inline constexpr char kMarkerEncrypted[] = "ENCRYPTED";
inline constexpr char kMarkerPlain[] = "NTENCRYPT";
inline constexpr char kVersion1001[] = "Version1.001";
inline constexpr char kVersion1002[] = "Version1.002";
constexpr size_t kHeaderSize = 21;

uint32_t BlockCount(uint32_t bytes);
// Body size and padding for the store's cards; false when the body would not fit 32 bits.
bool ComputeBodySize(const CCardStore& store, uint32_t& bodySize, uint32_t& padding);
// Lays out the check value (digest of the store's password, also kept in m_digest) and the records into
// a zero-filled body of ComputeBodySize bytes. False (after "Bytes not copied correctly.") when the
// layout disagrees with the computed size or a text exceeds its stored limit.
bool LayoutBody(CCardStore& store, std::vector<uint8_t>& body, const MessageSink& message);
bool WriteFileHeader(CByteSink& sink, bool encrypted);

bool IsEncryptedFile(std::span<const uint8_t> file);
// Writers: true when every byte went to the sink. Nothing reaches the sink when the body cannot be made
// (a message says why). A refused header shows "Write error, file heading."; a refused body has no
// message of its own, the sink knows why (CSafeFileWriter::GetError).
bool SavePlain(CCardStore& store, CByteSink& sink, const MessageSink& message);
bool SaveEncrypted(CCardStore& store, CByteSink& sink, const MessageSink& message);
// Readers append to the store's arrays (empty for a fresh document). An empty file fails without a
// message, any other bytes either fail with a message or open; no byte outside the file is read.
bool LoadPlain(CCardStore& store, std::span<const uint8_t> file, const MessageSink& message);
// Asks for the password once. Cancel fails silently; on success the entry becomes the store's password
// and m_bEncryptOnSave 1. Only whole 8-byte blocks of the body are deciphered and read.
bool LoadEncrypted(CCardStore& store, std::span<const uint8_t> file, const PasswordPrompt& prompt,
                   const MessageSink& message);
// Either reader, chosen by the file's marker.
bool LoadCardFile(CCardStore& store, std::span<const uint8_t> file, const PasswordPrompt& prompt,
                  const MessageSink& message);

// Reads the records of a body from `checkSize` on and files each card under its category.
void ParseBody(CCardStore& store, std::span<const uint8_t> body, size_t checkSize);
// One record at `pos`; advances `pos` and returns true only when the whole record lies inside `body`.
bool ReadCardRecord(std::span<const uint8_t> body, size_t& pos, CCard& card);
