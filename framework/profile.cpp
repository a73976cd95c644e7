#include "framework/profile.h"

CProfile& CProfile::Instance() {
    static CProfile profile;
    return profile;
}

void CProfile::SetLocation(const std::string&, const std::string&) {}
void CProfile::SetFilePath(const std::string& path) { m_strPath = path; }
uint32_t CProfile::GetProfileInt(const std::string&, const std::string&, uint32_t def) { return def; }
std::string CProfile::GetProfileString(const std::string&, const std::string&, const std::string& def) { return def; }
bool CProfile::WriteProfileInt(const std::string&, const std::string&, uint32_t) { return false; }
bool CProfile::WriteProfileString(const std::string&, const std::string&, const std::string&) { return false; }
bool CProfile::DeleteProfileValue(const std::string&, const std::string&) { return false; }
bool CProfile::DeleteProfileSection(const std::string&) { return false; }
