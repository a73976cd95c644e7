#pragma once
// The settings profile: sections and keys, integers and texts, in one INI file per user
// ($XDG_CONFIG_HOME/<registry key path>/<application name>.ini, default ~/.config/...). Section and key
// names are kept exactly as the program spells them, spaces included. Every read looks at the file as it
// is on disk now; every write rewrites it atomically (temporary file, fsync, rename).
//
// A file that exists but cannot be read gives the defaults and is never written over. A file that reads
// but does not parse gives the defaults too; the first write moves it aside to "<name>.ini.damaged"
// (only when that name is free, else nothing is written) and starts a fresh file, so the damaged bytes
// are kept for the user.
#include <cstdint>
#include <ctime>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

class CProfile {
public:
    static CProfile& Instance();

    // registryKey uses backslashes between its parts ("Marvane\\KestraneApp"); appName is the file's name.
    void SetLocation(const std::string& registryKey, const std::string& appName);
    // Points the profile at an exact file (tests, or a caller that knows better). Empty: no file at all.
    void SetFilePath(const std::string& path);
    // The file in use; empty before SetLocation.
    const std::string& GetFilePath() const { return m_strPath; }

    // The stored unsigned decimal value, or def when missing, not a number or out of range.
    uint32_t GetProfileInt(const std::string& section, const std::string& key, uint32_t def);
    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& def = {});
    bool WriteProfileInt(const std::string& section, const std::string& key, uint32_t value);
    bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value);
    // Removes one value, or a whole section; true when the file holds neither afterwards.
    bool DeleteProfileValue(const std::string& section, const std::string& key);
    bool DeleteProfileSection(const std::string& section);

    CProfile(const CProfile&) = delete;
    CProfile& operator=(const CProfile&) = delete;

private:
    CProfile() = default;

    // A line of the file: a value, or a comment or blank line kept as it stands.
    struct Entry {
        bool bValue = true;
        std::string strKey;
        std::string strValue; // decoded value, or the raw line of a comment
    };
    struct Section {
        std::string strName;
        std::vector<Entry> entries;
    };
    enum class State { NoFile, Loaded, Unreadable, Damaged };

    void Refresh();
    bool Parse(const std::string& text);
    std::string Serialize() const;
    bool Persist();
    const std::string* Find(const std::string& section, const std::string& key) const;
    static bool ValidName(const std::string& name, bool bSection);

    std::string m_strPath;
    State m_state = State::NoFile;
    std::vector<std::string> m_leading; // comments before the first section
    std::vector<Section> m_sections;
    // What the loaded copy was read from, to notice a change on disk.
    bool m_bStatValid = false;
    dev_t m_dev = 0;
    ino_t m_ino = 0;
    off_t m_size = 0;
    timespec m_mtime{};
};
