#include "cardstore/card.h"

#include "cardstore/cardstore.h"

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
