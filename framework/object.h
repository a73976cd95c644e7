#pragma once
// The root of the framework's objects that travel as pointers: view update hints derive from CObject, and
// CStringArray is the hint that carries a list of texts (a category's labels, for instance).
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class CObject {
public:
    CObject() = default;
    virtual ~CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

class CStringArray : public CObject {
public:
    CStringArray() = default;
    explicit CStringArray(std::vector<std::string> strings) : m_strings(std::move(strings)) {}

    int GetSize() const { return static_cast<int>(m_strings.size()); }
    bool IsEmpty() const { return m_strings.empty(); }
    // Index of the new element.
    int Add(const std::string& str) {
        m_strings.push_back(str);
        return GetSize() - 1;
    }
    // An index outside the array gives an empty text instead of undefined behaviour.
    const std::string& GetAt(int nIndex) const {
        static const std::string s_empty;
        return nIndex >= 0 && nIndex < GetSize() ? m_strings[static_cast<size_t>(nIndex)] : s_empty;
    }
    void SetAt(int nIndex, const std::string& str) {
        if (nIndex >= 0 && nIndex < GetSize()) {
            m_strings[static_cast<size_t>(nIndex)] = str;
        }
    }
    const std::string& operator[](int nIndex) const { return GetAt(nIndex); }
    void RemoveAll() { m_strings.clear(); }

    const std::vector<std::string>& GetStrings() const { return m_strings; }

private:
    std::vector<std::string> m_strings;
};
