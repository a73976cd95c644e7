#pragma once
// The cards of one category, in the order they were added or read. The array owns its cards.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cardstore/card.h"

class CCardArray {
public:
    CCardArray();
    virtual ~CCardArray();
    CCardArray(const CCardArray&) = delete;
    CCardArray& operator=(const CCardArray&) = delete;

    // Appends the card; returns the new count.
    int32_t AddCard(std::unique_ptr<CCard> card);
    // Takes the card at index out of the array (later cards move down) and hands it to the caller,
    // who decides when it dies. An empty array or an index out of range changes nothing and gives null.
    std::unique_ptr<CCard> RemoveCard(int32_t index);
    // The editors change a card in place and put the same pointer back: true when `card` is the card at
    // `index`. Any other pointer or index changes nothing (an array never holds one card twice).
    bool ReplaceCard(const CCard* card, int32_t index);
    // The card at index, or null when out of range.
    CCard* GetCard(int32_t index) const;
    int32_t GetCount() const { return static_cast<int32_t>(m_cards.size()); }
    // Destroys every card; the name and labels stay.
    void RemoveAll();
    // Room for `count` cards, so that reading a large file does not regrow the array.
    void Reserve(size_t count);

    const std::string& GetName() const { return m_strName; }
    void SetName(std::string name) { m_strName = std::move(name); }
    void SetLabels(std::string l1, std::string l2, std::string l3, std::string l4);
    const std::string& GetLabel1() const { return m_strLabel1; }
    const std::string& GetLabel2() const { return m_strLabel2; }
    const std::string& GetLabel3() const { return m_strLabel3; }
    const std::string& GetLabel4() const { return m_strLabel4; }

    // Bytes the cards of this array take in a card file body.
    uint64_t GetStoredSize() const;

private:
    std::vector<std::unique_ptr<CCard>> m_cards;
    std::string m_strName;
    std::string m_strLabel1 = "Field_1";
    std::string m_strLabel2 = "Field_2";
    std::string m_strLabel3 = "Field_3";
    std::string m_strLabel4 = "Field_4";
};
