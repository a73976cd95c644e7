#pragma once
// Where a writer puts its bytes: a file, a buffer in a test, a sink that fails on purpose.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CByteSink {
public:
    virtual ~CByteSink() = default;
    // False when not every byte could be written.
    virtual bool Write(const uint8_t* data, size_t len) = 0;
};

class CMemorySink : public CByteSink {
public:
    bool Write(const uint8_t* data, size_t len) override {
        m_bytes.insert(m_bytes.end(), data, data + len);
        return true;
    }
    std::vector<uint8_t> m_bytes;
};
