#pragma once
// One card: four labelled fields, a note, its category name and creation date, two browser attributes.
// Texts are the file's bytes, unchanged.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

class CCard {
public:
    CCard() = default;
    // A card with its seven texts in the order a card file record holds them, copied straight from the
    // caller's bytes (the reader makes its cards from its buffer this way), and its two attributes.
    CCard(std::string_view category, std::string_view date, std::string_view field1, std::string_view field2,
          std::string_view field3, std::string_view field4, std::string_view note, int32_t autoAccess,
          int32_t newWindow);
    virtual ~CCard();
    CCard(const CCard&) = default;
    CCard& operator=(const CCard&) = default;

    const std::string& GetField1() const { return m_strField1; }
    const std::string& GetField2() const { return m_strField2; }
    const std::string& GetField3() const { return m_strField3; }
    const std::string& GetField4() const { return m_strField4; }
    const std::string& GetNote() const { return m_strNote; }
    const std::string& GetCategory() const { return m_strCategory; }
    const std::string& GetDate() const { return m_strDate; }
    int32_t GetIndex() const { return m_nIndex; }
    int32_t GetAutoAccess() const { return m_bAutoAccess; }
    int32_t GetNewWindow() const { return m_bNewWindow; }

    void SetField1(std::string s) { m_strField1 = std::move(s); }
    void SetField2(std::string s) { m_strField2 = std::move(s); }
    void SetField3(std::string s) { m_strField3 = std::move(s); }
    void SetField4(std::string s) { m_strField4 = std::move(s); }
    void SetNote(std::string s) { m_strNote = std::move(s); }
    void SetCategory(std::string s) { m_strCategory = std::move(s); }
    void SetDate(std::string s) { m_strDate = std::move(s); }
    void SetIndex(int32_t n) { m_nIndex = n; }
    void SetAutoAccess(int32_t b) { m_bAutoAccess = b; }
    void SetNewWindow(int32_t b) { m_bNewWindow = b; }

    // Bytes this card takes in a card file body: its seven texts plus 10 bytes of prefixes and flags.
    uint64_t GetStoredSize() const;

private:
    std::string m_strField1;
    std::string m_strField2;
    std::string m_strField3;
    std::string m_strField4;
    std::string m_strNote;
    std::string m_strCategory;
    std::string m_strDate;
    int32_t m_nIndex = 0;
    int32_t m_bAutoAccess = 0;
    int32_t m_bNewWindow = 0;
};
