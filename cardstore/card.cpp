#include "cardstore/card.h"

#include "cardstore/cardstore.h"

CCard::CCard(std::string_view category, std::string_view date, std::string_view field1,
             std::string_view field2, std::string_view field3, std::string_view field4, std::string_view note,
             int32_t autoAccess, int32_t newWindow)
    : m_strField1(field1), m_strField2(field2), m_strField3(field3), m_strField4(field4), m_strNote(note),
      m_strCategory(category), m_strDate(date), m_bAutoAccess(autoAccess), m_bNewWindow(newWindow) {}

// Fields hold logins, account numbers and PIN codes: leave none of them in freed memory.
CCard::~CCard() {
    WipeString(m_strField1);
    WipeString(m_strField2);
    WipeString(m_strField3);
    WipeString(m_strField4);
    WipeString(m_strNote);
    WipeString(m_strCategory);
    WipeString(m_strDate);
}

uint64_t CCard::GetStoredSize() const {
    // Six one-byte length prefixes, one two-byte note length and two attribute bytes.
    constexpr uint64_t kFixedBytes = 10;
    return kFixedBytes + m_strCategory.size() + m_strDate.size() + m_strField1.size() + m_strField2.size() +
           m_strField3.size() + m_strField4.size() + m_strNote.size();
}
