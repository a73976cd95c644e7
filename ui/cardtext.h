#pragma once
// Small text rules of the card commands and views: line breaks of excerpts, the secret's mask, the
// category sets that decide what the card dialog offers, and keyword matching for Find.
#include <string>
#include <string_view>

class CCard;

// Where a one-line excerpt of `text` ends for a line of `nLimit` bytes: the limit itself when the text
// fits or a blank stands at the limit, one before it when the blank is there, else the last blank among
// positions 1 to nLimit - 2, else the limit. Only blanks (code 32) count.
int FindLineBreak(const std::string& text, int nLimit);

// The text before nPosition and the text from there to the end. A position inside a UTF-8 character moves
// back to that character's start, so neither part ever holds half a character.
void SplitText(const std::string& text, int nPosition, std::string& strFirst, std::string& strRest);

// The note as the card list shows it: whole up to 60 bytes, else its first line part and "...".
std::string NoteExcerpt(const std::string& note);

// One "*" per character of the secret (a UTF-8 sequence is one character; bytes that are not UTF-8 are
// one character each), at most 255.
std::string MaskSecret(const std::string& secret);

// The category sets of the card commands and views, compared byte for byte with the category names.
// The address a new card starts with: "http://", "ftp://", "telnet://" or empty.
std::string_view AddressPrefix(std::string_view category);
bool OffersAttributesWhenAdding(std::string_view category);
bool OffersAttributesWhenEditing(std::string_view category);
bool ShowsEditUrlButton(std::string_view category);
// The five categories whose cards show the two browser attributes in the list.
bool IsBrowserCategory(std::string_view category);

// "a" to "z" become "A" to "Z"; every other byte stays.
std::string UpperAscii(std::string text);
// Whether keyword occurs in text as a run of bytes; with bIgnoreCase the 26 letters match either case.
// An empty keyword occurs everywhere. With bIgnoreCase the keyword must already be upper case.
bool ContainsKeyword(std::string_view text, std::string_view keyword, bool bIgnoreCase);
// Field 1 to field 4 and the note, in that order.
bool CardContainsKeyword(const CCard& card, std::string_view keyword, bool bIgnoreCase);
