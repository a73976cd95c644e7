#pragma once
// What a card file holds in memory: fourteen category arrays, the password in force, the password typed
// at the last prompt, the last check value and the encryption flag. Standard library only; the desktop
// document derives from it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cardstore/cardarray.h"
#include "cardstore/categories.h"

class CCardStore {
public:
    CCardStore();          // arrays named and labelled from the category table
    virtual ~CCardStore(); // wipes passwords and the check value
    CCardStore(const CCardStore&) = delete;
    CCardStore& operator=(const CCardStore&) = delete;

    CCardArray& GetCategoryArray(int index) { return m_arrays.at(static_cast<size_t>(index)); }
    const CCardArray& GetCategoryArray(int index) const { return m_arrays.at(static_cast<size_t>(index)); }
    // The array whose name equals `name` byte for byte, or null.
    CCardArray* FindCategoryArray(std::string_view name);
    const CCardArray* FindCategoryArray(std::string_view name) const;
    // Copies the category's four labels out and returns the length of the longest, at least 1.
    // A name that is no category leaves the out-texts untouched (and returns 0).
    int GetCategoryLabels(std::string_view name, std::string& l1, std::string& l2, std::string& l3,
                          std::string& l4) const;
    uint64_t GetTotalStoredSize() const;
    int32_t GetTotalCardCount() const;
    bool IsDisplayedEncrypted() const { return m_bEncryptOnSave == 1 && !m_strPassword.empty(); }
    // Removes every card (the arrays keep their names and labels).
    void RemoveAllCards();

    std::string m_strPassword;
    std::string m_strEnteredPassword;
    int32_t m_bEncryptOnSave = 0;
    std::array<uint8_t, 20> m_digest{};
    int32_t m_nBodyLength = 0;

private:
    std::array<CCardArray, CATEGORY_COUNT> m_arrays;
};

// Overwrites a text's bytes (its whole capacity) and empties it, so secrets do not linger in freed memory.
void WipeString(std::string& s);
// Overwrites `len` bytes with zeros in a way the optimiser cannot drop as a dead store.
void WipeBytes(void* data, size_t len);
