#include "cardstore/cardarray.h"

CCardArray::CCardArray() = default;

CCardArray::~CCardArray() = default;

int32_t CCardArray::AddCard(std::unique_ptr<CCard> card) {
    m_cards.push_back(std::move(card));
    return GetCount();
}

std::unique_ptr<CCard> CCardArray::RemoveCard(int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= m_cards.size()) {
        return nullptr;
    }
    std::unique_ptr<CCard> removed = std::move(m_cards[static_cast<size_t>(index)]);
    m_cards.erase(m_cards.begin() + index);
    return removed;
}

bool CCardArray::ReplaceCard(const CCard* card, int32_t index) {
    return card != nullptr && GetCard(index) == card;
}

CCard* CCardArray::GetCard(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_cards.size()) {
        return nullptr;
    }
    return m_cards[static_cast<size_t>(index)].get();
}

void CCardArray::SetLabels(std::string l1, std::string l2, std::string l3, std::string l4) {
    m_strLabel1 = std::move(l1);
    m_strLabel2 = std::move(l2);
    m_strLabel3 = std::move(l3);
    m_strLabel4 = std::move(l4);
}

void CCardArray::RemoveAll() {
    m_cards.clear();
}

void CCardArray::Reserve(size_t count) {
    m_cards.reserve(count);
}

uint64_t CCardArray::GetStoredSize() const {
    uint64_t total = 0;
    for (const auto& card : m_cards) {
        total += card->GetStoredSize();
    }
    return total;
}
