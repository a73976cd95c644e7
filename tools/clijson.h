#pragma once
// Cards as JSON for quorrel-cli, and the text decoding the JSON needs: card texts are the file's bytes,
// JSON is UTF-8. Files written on Windows hold Windows-1252 texts; those are decoded, UTF-8 texts pass.
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

class CCardStore;

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF (what a JSON writer accepts).
bool IsValidUtf8(std::string_view bytes);
// Every byte decoded as Windows-1252; the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become the control characters of the same number, as the usual best-fit mapping does.
std::string Windows1252ToUtf8(std::string_view bytes);
// The reverse, for texts whose every character the code page holds; nullopt otherwise.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);
// A card text as JSON text: unchanged when it is valid UTF-8, decoded from Windows-1252 otherwise.
std::string CardTextToUtf8(std::string_view bytes);

// {"cards": [...]} with the cards in the order the card file stores them.
nlohmann::ordered_json CardsToJson(const CCardStore& store);

// Fills an empty store from the JSON text. On a refusal returns false with a message for the user in
// `error` (naming the card by its position, from 1, and the field) and leaves the store as it was.
bool CardsFromJson(std::string_view text, CCardStore& store, std::string& error);
