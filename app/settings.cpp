#include "app/settings.h"

#include "framework/profile.h"

#include <algorithm>
#include <limits>

namespace settings {

uint32_t ReadInt(const std::string& section, const std::string& key, uint32_t def) {
    return CProfile::Instance().GetProfileInt(section, key, def);
}

std::string ReadText(const std::string& section, const std::string& key, const std::string& def) {
    return CProfile::Instance().GetProfileString(section, key, def);
}

bool WriteInt(const std::string& section, const std::string& key, uint32_t value) {
    return CProfile::Instance().WriteProfileInt(section, key, value);
}

bool WriteText(const std::string& section, const std::string& key, const std::string& value) {
    return CProfile::Instance().WriteProfileString(section, key, value);
}

bool ReadFlag(const std::string& section, const std::string& key) {
    return IsFlagOn(ReadInt(section, key, 0));
}

uint32_t ReadPrintAtm(PrintDefault which) {
    return ReadInt(kSectionPrint, kKeyPrintAtm, static_cast<uint32_t>(which));
}

uint32_t ReadPrintNotes(PrintDefault which) {
    return ReadInt(kSectionPrint, kKeyPrintNotes, static_cast<uint32_t>(which));
}

uint32_t ReadChosenBrowser() {
    return ReadInt(kSectionInternet, kKeyChooseWebBrowser, kBrowserExplorer);
}

bool IsAutoSaveOn() {
    return ReadFlag(kSectionInternet, kKeyAutoSaveCheck);
}

std::string ReadAutoSaveText() {
    return ReadText(kSectionInternet, kKeyAutoSave, "10");
}

int32_t ReadAutoSaveInterval() {
    return DecimalTextToInt(ReadAutoSaveText());
}

int32_t DecimalTextToInt(std::string_view text) {
    size_t pos = 0;
    // The blanks isspace() knows in the C locale.
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Accumulated as a magnitude one past INT32_MAX so that INT32_MIN itself is reachable.
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        magnitude = std::min(kLimit, magnitude * 10 + (text[pos] - '0'));
        ++pos;
    }
    if (negative) {
        return static_cast<int32_t>(-magnitude);
    }
    return static_cast<int32_t>(std::min(magnitude, kLimit - 1));
}

} // namespace settings
