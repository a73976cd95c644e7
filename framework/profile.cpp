#include "framework/profile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') {
        const passwd* pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : nullptr;
    }
    return home ? std::string(home) + "/.config" : std::string();
}

// mkdir -p, new folders private to the user.
bool MakeDirectories(const std::string& dir) {
    std::string path;
    size_t pos = 0;
    while (pos != std::string::npos) {
        pos = dir.find('/', pos + 1);
        path = dir.substr(0, pos);
        if (path.empty()) {
            continue;
        }
        if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    struct stat st {};
    return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// Values are stored as they are, except those holding a line break (or that would read back as an
// escaped value): those go in double quotes with \\, \n, \r and \" escaped.
bool NeedsQuotes(const std::string& v) {
    return v.find_first_of("\r\n") != std::string::npos ||
           (v.size() >= 2 && v.front() == '"' && v.back() == '"');
}

std::string EncodeValue(const std::string& v) {
    if (!NeedsQuotes(v)) {
        return v;
    }
    std::string out = "\"";
    for (const char c : v) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '"':
            out += "\\\"";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

std::string DecodeValue(const std::string& v) {
    if (!(v.size() >= 2 && v.front() == '"' && v.back() == '"')) {
        return v;
    }
    std::string out;
    for (size_t i = 1; i + 1 < v.size(); ++i) {
        if (v[i] == '\\' && i + 2 < v.size()) {
            const char n = v[i + 1];
            if (n == '\\' || n == '"' || n == 'n' || n == 'r') {
                out += n == 'n' ? '\n' : n == 'r' ? '\r' : n;
                ++i;
                continue;
            }
        }
        out += v[i];
    }
    return out;
}

bool ParseUInt32(const std::string& text, uint32_t& value) {
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos) {
        return false;
    }
    const size_t e = text.find_last_not_of(" \t");
    uint64_t v = 0;
    for (size_t i = b; i <= e; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        v = v * 10 + static_cast<uint64_t>(text[i] - '0');
        if (v > UINT32_MAX) {
            return false;
        }
    }
    value = static_cast<uint32_t>(v);
    return true;
}

bool IsCommentOrBlank(const std::string& line) {
    const size_t b = line.find_first_not_of(" \t");
    return b == std::string::npos || line[b] == ';' || line[b] == '#';
}

} // namespace

CProfile& CProfile::Instance() {
    static CProfile profile;
    return profile;
}

void CProfile::SetLocation(const std::string& registryKey, const std::string& appName) {
    std::string path = ConfigHome();
    if (path.empty() || appName.empty()) {
        SetFilePath({});
        return;
    }
    size_t start = 0;
    while (start <= registryKey.size()) {
        size_t end = registryKey.find_first_of("\\/", start);
        if (end == std::string::npos) {
            end = registryKey.size();
        }
        const std::string part = registryKey.substr(start, end - start);
        if (!part.empty() && part != "." && part != "..") {
            path += "/" + part;
        }
        start = end + 1;
    }
    std::string name = appName;
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    SetFilePath(path + "/" + name + ".ini");
}

void CProfile::SetFilePath(const std::string& path) {
    m_strPath = path;
    m_bStatValid = false;
    m_state = State::NoFile;
    m_leading.clear();
    m_sections.clear();
}

void CProfile::Refresh() {
    struct stat st {};
    if (m_strPath.empty() || stat(m_strPath.c_str(), &st) != 0) {
        const bool missing = m_strPath.empty() || errno == ENOENT || errno == ENOTDIR;
        m_state = missing ? State::NoFile : State::Unreadable;
        m_bStatValid = false;
        m_leading.clear();
        m_sections.clear();
        return;
    }
    if (m_bStatValid && st.st_dev == m_dev && st.st_ino == m_ino && st.st_size == m_size &&
        st.st_mtim.tv_sec == m_mtime.tv_sec && st.st_mtim.tv_nsec == m_mtime.tv_nsec) {
        return;
    }
    m_leading.clear();
    m_sections.clear();
    m_bStatValid = false;
    const int fd = open(m_strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        m_state = errno == ENOENT ? State::NoFile : State::Unreadable;
        return;
    }
    std::string text;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    char buf[8192];
    while (ok) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ok = false;
        } else if (n == 0) {
            break;
        } else {
            text.append(buf, static_cast<size_t>(n));
        }
    }
    close(fd);
    if (!ok) {
        m_state = State::Unreadable;
        return;
    }
    m_state = Parse(text) ? State::Loaded : State::Damaged;
    if (m_state == State::Damaged) {
        m_leading.clear();
        m_sections.clear();
    }
    m_dev = st.st_dev;
    m_ino = st.st_ino;
    m_size = st.st_size;
    m_mtime = st.st_mtim;
    m_bStatValid = true;
}

bool CProfile::Parse(const std::string& text) {
    Section* current = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (IsCommentOrBlank(line)) {
            Entry comment;
            comment.bValue = false;
            comment.strValue = line;
            if (current) {
                current->entries.push_back(comment);
            } else {
                m_leading.push_back(line);
            }
            continue;
        }
        if (line.front() == '[') {
            if (line.size() < 3 || line.back() != ']') {
                return false;
            }
            const std::string name = line.substr(1, line.size() - 2);
            current = nullptr;
            for (Section& s : m_sections) {
                if (s.strName == name) {
                    current = &s;
                }
            }
            if (!current) {
                m_sections.push_back(Section{name, {}});
                current = &m_sections.back();
            }
            continue;
        }
        const size_t eq = line.find('=');
        if (!current || eq == std::string::npos || eq == 0) {
            return false;
        }
        current->entries.push_back(Entry{true, line.substr(0, eq), DecodeValue(line.substr(eq + 1))});
    }
    return true;
}

std::string CProfile::Serialize() const {
    std::string out;
    for (const std::string& line : m_leading) {
        out += line + "\n";
    }
    for (const Section& s : m_sections) {
        out += "[" + s.strName + "]\n";
        for (const Entry& e : s.entries) {
            out += e.bValue ? e.strKey + "=" + EncodeValue(e.strValue) + "\n" : e.strValue + "\n";
        }
    }
    return out;
}

bool CProfile::ValidName(const std::string& name, bool bSection) {
    if (name.empty() || name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
        return false;
    }
    if (bSection) {
        return true;
    }
    // A key must read back as a key: not a comment, a section or part of its own value.
    return name.find('=') == std::string::npos && name.front() != '[' && !IsCommentOrBlank(name);
}

const std::string* CProfile::Find(const std::string& section, const std::string& key) const {
    for (const Section& s : m_sections) {
        if (s.strName != section) {
            continue;
        }
        for (const Entry& e : s.entries) {
            if (e.bValue && e.strKey == key) {
                return &e.strValue;
            }
        }
    }
    return nullptr;
}

bool CProfile::Persist() {
    const std::string dir = DirectoryOf(m_strPath);
    if (!MakeDirectories(dir)) {
        m_bStatValid = false;
        return false;
    }
    mode_t mode = 0600;
    struct stat st {};
    if (stat(m_strPath.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    }
    std::string tmp = m_strPath + ".XXXXXX";
    const int fd = mkstemp(tmp.data());
    if (fd < 0) {
        m_bStatValid = false;
        return false;
    }
    bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, Serialize()) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(tmp.c_str(), m_strPath.c_str()) == 0;
    if (!ok) {
        unlink(tmp.c_str());
        m_bStatValid = false; // the next access reads what the disk really holds
        return false;
    }
    const int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    m_state = State::Loaded;
    m_bStatValid = false;
    if (stat(m_strPath.c_str(), &st) == 0) {
        m_dev = st.st_dev;
        m_ino = st.st_ino;
        m_size = st.st_size;
        m_mtime = st.st_mtim;
        m_bStatValid = true;
    }
    return true;
}

uint32_t CProfile::GetProfileInt(const std::string& section, const std::string& key, uint32_t def) {
    Refresh();
    const std::string* v = Find(section, key);
    uint32_t value = 0;
    return v && ParseUInt32(*v, value) ? value : def;
}

std::string CProfile::GetProfileString(const std::string& section, const std::string& key,
                                       const std::string& def) {
    Refresh();
    const std::string* v = Find(section, key);
    return v ? *v : def;
}

bool CProfile::WriteProfileInt(const std::string& section, const std::string& key, uint32_t value) {
    return WriteProfileString(section, key, std::to_string(value));
}

bool CProfile::WriteProfileString(const std::string& section, const std::string& key,
                                  const std::string& value) {
    if (m_strPath.empty() || !ValidName(section, true) || !ValidName(key, false)) {
        return false;
    }
    Refresh();
    if (m_state == State::Unreadable) {
        return false; // what is there may be fine; we cannot know, so it stays as it is
    }
    if (m_state == State::Damaged) {
        // Keep the damaged bytes for the user under a name of their own, never over an earlier one.
        const std::string aside = m_strPath + ".damaged";
        if (renameat2(AT_FDCWD, m_strPath.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) != 0) {
            const bool unsupported = errno == EINVAL || errno == ENOSYS;
            struct stat st {};
            if (!unsupported || lstat(aside.c_str(), &st) == 0 ||
                rename(m_strPath.c_str(), aside.c_str()) != 0) {
                return false;
            }
        }
        m_state = State::NoFile;
        m_bStatValid = false;
    }
    Section* target = nullptr;
    for (Section& s : m_sections) {
        if (s.strName == section) {
            target = &s;
            break;
        }
    }
    if (!target) {
        m_sections.push_back(Section{section, {}});
        target = &m_sections.back();
    }
    bool found = false;
    for (Entry& e : target->entries) {
        if (e.bValue && e.strKey == key) {
            e.strValue = value;
            found = true;
            break;
        }
    }
    if (!found) {
        // After the section's last value, ahead of the comments and blank lines that close it.
        auto it = target->entries.end();
        while (it != target->entries.begin() && !(it - 1)->bValue) {
            --it;
        }
        target->entries.insert(it, Entry{true, key, value});
    }
    return Persist();
}

bool CProfile::DeleteProfileValue(const std::string& section, const std::string& key) {
    if (m_strPath.empty()) {
        return false;
    }
    Refresh();
    if (m_state == State::Unreadable) {
        return false;
    }
    if (m_state != State::Loaded) {
        return true;
    }
    bool changed = false;
    for (Section& s : m_sections) {
        if (s.strName != section) {
            continue;
        }
        for (auto it = s.entries.begin(); it != s.entries.end();) {
            if (it->bValue && it->strKey == key) {
                it = s.entries.erase(it);
                changed = true;
            } else {
                ++it;
            }
        }
    }
    return !changed || Persist();
}

bool CProfile::DeleteProfileSection(const std::string& section) {
    if (m_strPath.empty()) {
        return false;
    }
    Refresh();
    if (m_state == State::Unreadable) {
        return false;
    }
    if (m_state != State::Loaded) {
        return true;
    }
    const size_t before = m_sections.size();
    std::erase_if(m_sections, [&](const Section& s) { return s.strName == section; });
    return m_sections.size() == before || Persist();
}
