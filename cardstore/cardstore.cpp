#include "cardstore/cardstore.h"

#include <algorithm>
#include <cstring>

CCardStore::CCardStore() {
    for (size_t i = 0; i < m_arrays.size(); ++i) {
        const CategoryInfo& info = kCategories[i];
        m_arrays[i].SetName(std::string(info.name));
        m_arrays[i].SetLabels(std::string(info.label1), std::string(info.label2), std::string(info.label3),
                              std::string(info.label4));
    }
}

CCardStore::~CCardStore() {
    WipeString(m_strPassword);
    WipeString(m_strEnteredPassword);
    WipeBytes(m_digest.data(), m_digest.size());
}

CCardArray* CCardStore::FindCategoryArray(std::string_view name) {
    const int index = FindCategoryIndex(name);
    return index < 0 ? nullptr : &m_arrays[static_cast<size_t>(index)];
}

const CCardArray* CCardStore::FindCategoryArray(std::string_view name) const {
    const int index = FindCategoryIndex(name);
    return index < 0 ? nullptr : &m_arrays[static_cast<size_t>(index)];
}

int CCardStore::GetCategoryLabels(std::string_view name, std::string& l1, std::string& l2, std::string& l3,
                                  std::string& l4) const {
    const CCardArray* array = FindCategoryArray(name);
    if (array == nullptr) {
        return 0;
    }
    l1 = array->GetLabel1();
    l2 = array->GetLabel2();
    l3 = array->GetLabel3();
    l4 = array->GetLabel4();
    size_t longest = 1;
    for (const std::string* label : {&l1, &l2, &l3, &l4}) {
        longest = std::max(longest, label->size());
    }
    return static_cast<int>(longest);
}

uint64_t CCardStore::GetTotalStoredSize() const {
    uint64_t total = 0;
    for (const CCardArray& array : m_arrays) {
        total += array.GetStoredSize();
    }
    return total;
}

int32_t CCardStore::GetTotalCardCount() const {
    int32_t total = 0;
    for (const CCardArray& array : m_arrays) {
        total += array.GetCount();
    }
    return total;
}

void CCardStore::RemoveAllCards() {
    for (CCardArray& array : m_arrays) {
        array.RemoveAll();
    }
}

namespace {

// Tells the compiler the memory behind `data` is read, so stores just before it are not dead.
inline void WipeBarrier([[maybe_unused]] void* data) {
#if defined(__GNUC__)
    __asm__ __volatile__("" : : "r"(data) : "memory");
#endif
}

} // namespace

void WipeBytes(void* data, size_t len) {
    if (len == 0) {
        return;
    }
#if defined(__GNUC__)
    std::memset(data, 0, len);
    WipeBarrier(data);
#else
    volatile uint8_t* p = static_cast<volatile uint8_t*>(data);
    for (size_t i = 0; i < len; ++i) {
        p[i] = 0;
    }
#endif
}

void WipeString(std::string& s) {
    // The whole capacity: a shorter text may sit in front of the rest of an older, longer one. Filling
    // within the capacity never reallocates; the barrier keeps the stores although the text dies next.
    s.assign(s.capacity(), '\0');
    WipeBarrier(s.data());
    s.clear();
}
