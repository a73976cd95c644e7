#include "cardstore/safefile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<uint64_t> s_failAfter;

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::string Reason(int error) {
    return std::strerror(error);
}

// The folder part of a path, as the temporary file's home.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A save through a symbolic link replaces the file it points to and keeps the link.
std::string ResolveLink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        return path;
    }
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return path;
    }
    std::string result(resolved);
    std::free(resolved);
    return result;
}

std::string UniqueSuffix() {
    static std::mt19937_64 generator{std::random_device{}()};
    static const char kHex[] = "0123456789abcdef";
    uint64_t value = generator();
    std::string suffix;
    for (int i = 0; i < 12; ++i) {
        suffix += kHex[value & 0xF];
        value >>= 4;
    }
    return suffix;
}

bool WriteAll(int fd, const uint8_t* data, size_t len, int& error) {
    while (len > 0) {
        const ssize_t n = ::write(fd, data, len);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = errno;
            return false;
        }
        data += n;
        len -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

CSafeFileWriter::~CSafeFileWriter() {
    Abort();
}

void CSafeFileWriter::SetFailAfterForTesting(std::optional<uint64_t> bytes) {
    s_failAfter = bytes;
}

bool CSafeFileWriter::Open(const std::string& path) {
    Abort();
    m_strError.clear();
    m_nWritten = 0;
    m_bFailed = false;
    m_strPath = ResolveLink(path);

    struct stat st {};
    mode_t mode = S_IRUSR | S_IWUSR;
    if (::stat(m_strPath.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            m_strError = "Could not save " + Quoted(path) + ": it is not a regular file.";
            return false;
        }
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        m_strError = "Could not save " + Quoted(path) + ": " + Reason(errno) + ".";
        return false;
    }

    const std::string folder = FolderOf(m_strPath);
    const std::string stem = folder + "/." + BaseNameOf(m_strPath) + ".";
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        const std::string candidate = stem + UniqueSuffix() + ".tmp";
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
        if (fd >= 0) {
            m_fd = fd;
            m_strTempPath = candidate;
        } else if (errno != EEXIST) {
            m_strError =
                "Could not create a file in the folder " + Quoted(folder) + ": " + Reason(errno) + ".";
            return false;
        }
    }
    if (m_fd < 0) {
        m_strError = "Could not create a file in the folder " + Quoted(folder) + ": " + Reason(EEXIST) + ".";
        return false;
    }
    // Explicitly, so neither the umask nor the creation mode decides who may read the card file.
    if (::fchmod(m_fd, mode) != 0) {
        m_strError = "Could not set the permissions of " + Quoted(path) + ": " + Reason(errno) + ".";
        Abort();
        return false;
    }
    return true;
}

bool CSafeFileWriter::Write(const uint8_t* data, size_t len) {
    if (m_fd < 0 || m_bFailed) {
        return false;
    }
    size_t allowed = len;
    if (s_failAfter) {
        const uint64_t left = *s_failAfter > m_nWritten ? *s_failAfter - m_nWritten : 0;
        allowed = left < len ? static_cast<size_t>(left) : len;
    }
    int error = 0;
    if (!WriteAll(m_fd, data, allowed, error)) {
        m_bFailed = true;
        m_strError = "Could not write " + Quoted(m_strPath) + ": " + Reason(error) + ".";
        return false;
    }
    m_nWritten += allowed;
    if (allowed < len) {
        // As if the disk had filled up.
        m_bFailed = true;
        m_strError = "Could not write " + Quoted(m_strPath) + ": " + Reason(ENOSPC) + ".";
        return false;
    }
    return true;
}

bool CSafeFileWriter::Commit() {
    if (m_fd < 0) {
        if (m_strError.empty()) {
            m_strError = "Could not save: no file is being written.";
        }
        return false;
    }
    if (m_bFailed) {
        Abort();
        return false;
    }
    if (::fsync(m_fd) != 0) {
        m_strError = "Could not write " + Quoted(m_strPath) + ": " + Reason(errno) + ".";
        Abort();
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        m_strError = "Could not write " + Quoted(m_strPath) + ": " + Reason(errno) + ".";
        Abort();
        return false;
    }
    if (::rename(m_strTempPath.c_str(), m_strPath.c_str()) != 0) {
        m_strError = "Could not replace " + Quoted(m_strPath) + ": " + Reason(errno) + ".";
        Abort();
        return false;
    }
    m_strTempPath.clear();
    // Makes the rename itself durable. The new file is in place by now, so a folder that cannot be
    // synced (some file systems refuse) does not turn the save into a failure.
    const int dir = ::open(FolderOf(m_strPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void CSafeFileWriter::Abort() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_strTempPath.empty()) {
        ::unlink(m_strTempPath.c_str());
        m_strTempPath.clear();
    }
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path, std::string* error) {
    auto fail = [&](int code) -> std::optional<std::vector<uint8_t>> {
        if (error != nullptr) {
            *error = "Could not read " + Quoted(path) + ": " + Reason(code) + ".";
        }
        return std::nullopt;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return fail(errno);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int code = errno;
        ::close(fd);
        return fail(code);
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        return fail(EISDIR);
    }
    // Read straight into the result; the size is only a hint, the file may change while it is read.
    std::vector<uint8_t> bytes(S_ISREG(st.st_mode) && st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1
                                                                     : 65536);
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int code = errno;
            ::close(fd);
            return fail(code);
        }
        if (n == 0) {
            break;
        }
        filled += static_cast<size_t>(n);
    }
    bytes.resize(filled);
    ::close(fd);
    return bytes;
}
