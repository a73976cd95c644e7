#pragma once
// Writing a file so that a failure at any point leaves the previous file whole: the bytes go to a
// temporary file in the target's folder, are flushed to disk and renamed over the target.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cardstore/bytesink.h"

class CSafeFileWriter : public CByteSink {
public:
    CSafeFileWriter() = default;
    ~CSafeFileWriter() override; // an uncommitted temporary is removed
    CSafeFileWriter(const CSafeFileWriter&) = delete;
    CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;

    // Creates the temporary next to `path`. An existing target's permission bits are kept; a new file is
    // created readable and writable by its owner only.
    bool Open(const std::string& path);
    bool Write(const uint8_t* data, size_t len) override;
    // Flushes, renames over the target and syncs the folder. False leaves the target as it was.
    bool Commit();
    void Abort();
    // Why the last step failed, for the user.
    const std::string& GetError() const { return m_strError; }

    // Test seam: from now on every writer in the process fails, as on a full disk, once it has written
    // this many bytes in total (the bytes up to the limit reach its temporary). nullopt switches it off.
    static void SetFailAfterForTesting(std::optional<uint64_t> bytes);

private:
    std::string m_strPath;
    std::string m_strTempPath;
    std::string m_strError;
    int m_fd = -1;
    uint64_t m_nWritten = 0;
    bool m_bFailed = false;
};

// Reads a whole file; nullopt (with the reason in *error) when it cannot be read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path, std::string* error);
