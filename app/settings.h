#pragma once
// The program's settings: where they live, every section and key as stored profiles spell them, and the
// readers whose default is their own. Nothing is cached: each reader asks the profile at the moment of
// use, so a value written by the Preferences dialog is seen by the next reader.
#include <cstdint>
#include <string>
#include <string_view>

namespace settings {

// The profile location: $XDG_CONFIG_HOME/Marvane/KestraneApp/Quorrel.ini.
inline constexpr char kRegistryKey[] = "Marvane\\KestraneApp";

inline constexpr char kSectionPrint[] = "Print Preferences";
inline constexpr char kSectionStartUp[] = "Start Up Preferences";
inline constexpr char kSectionInternet[] = "Internet Preferences";

// "Print Preferences"
inline constexpr char kKeyPrintAtm[] = "Print ATM";
inline constexpr char kKeyPrintNotes[] = "Print Notes";

// "Start Up Preferences". The e-mail launch flag is stored under "Print Notes": stored profiles have it
// under that name, unrelated to the print option of the same name in the print section.
inline constexpr char kKeyLaunchEmail[] = "Print Notes";
inline constexpr char kKeyLaunchWebBrowser[] = "Launch Web Browser";
inline constexpr char kKeyLaunchFtp[] = "Launch FTP";
inline constexpr char kKeyLaunchTelnet[] = "Launch Tel Net";
inline constexpr char kKeyLaunchNews[] = "Launch News Reader";
inline constexpr char kKeyCheckOpenFiles[] = "Check Open Files";

// "Internet Preferences"
inline constexpr char kKeyChooseWebBrowser[] = "Choose Web Browser";
inline constexpr char kKeyAutoSaveCheck[] = "Automatic Save Check";
inline constexpr char kKeyAutoSave[] = "Automatic Save";
inline constexpr char kKeyNetscapePath[] = "Netscape File Path";
inline constexpr char kKeyExplorerPath[] = "Explorer File Path";
inline constexpr char kKeyMailPath[] = "MailProg File Path";
inline constexpr char kKeyNewsPath[] = "NewsProg File Path";
inline constexpr char kKeyFtpPath[] = "FTP File Path";
inline constexpr char kKeyTelnetPath[] = "Telnet File Path";
inline constexpr char kKeyHelpPath[] = "HelpProg File Path";

// Values of "Choose Web Browser".
inline constexpr uint32_t kBrowserNetscape = 0;
inline constexpr uint32_t kBrowserExplorer = 1;

// A stored flag counts only when it is exactly 1; 2 or any other value is off for every consumer.
constexpr bool IsFlagOn(uint32_t value) {
    return value == 1;
}

// The profile as it is on disk now; missing values give the default.
uint32_t ReadInt(const std::string& section, const std::string& key, uint32_t def);
std::string ReadText(const std::string& section, const std::string& key, const std::string& def = {});
bool WriteInt(const std::string& section, const std::string& key, uint32_t value);
bool WriteText(const std::string& section, const std::string& key, const std::string& value);
// A flag with default 0, tested for exactly 1.
bool ReadFlag(const std::string& section, const std::string& key);

// The two print options have two defaults: the main frame's copies (start-up and after the Preferences
// dialog closes) take 1, so printing on an empty profile includes PINs and notes; filling the Preferences
// dialog takes 0, so the same profile shows both boxes cleared.
enum class PrintDefault : uint32_t { FrameCopy = 1, PreferencesDialog = 0 };
uint32_t ReadPrintAtm(PrintDefault which);
uint32_t ReadPrintNotes(PrintDefault which);

// "Choose Web Browser", default Internet Explorer.
uint32_t ReadChosenBrowser();

// Automatic save: the flag (default 0) and the interval text (default "10") with its conversion.
bool IsAutoSaveOn();
std::string ReadAutoSaveText();
int32_t ReadAutoSaveInterval();

// The C library's decimal conversion as the interval has always been read: leading white space, an
// optional sign, digits up to the first other character; no digits give 0. Out-of-range values are held
// at the 32-bit limits instead of being undefined.
int32_t DecimalTextToInt(std::string_view text);

} // namespace settings
