// The settings readers: their own defaults, flags that count only as exactly 1, the interval text's
// conversion, and the names a stored profile uses.
#include "app/settings.h"
#include "framework/profile.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = "/tmp/quorrel-settings-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_strDir = pattern;
        ::setenv("XDG_CONFIG_HOME", m_strDir.c_str(), 1);
        CProfile::Instance().SetLocation(settings::kRegistryKey, "Quorrel");
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_strDir, ec);
    }

    // A profile as a user's disk holds it, written by hand rather than by the profile code.
    void WriteProfileText(const std::string& text) {
        const std::string path = CProfile::Instance().GetFilePath();
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }

    std::string m_strDir;
};

TEST_F(Settings, EmptyProfileGivesEachReaderItsOwnDefault) {
    EXPECT_EQ(CProfile::Instance().GetFilePath(), m_strDir + "/Marvane/KestraneApp/Quorrel.ini");
    // Printing on an empty profile includes both, while the Preferences dialog shows both cleared.
    EXPECT_EQ(settings::ReadPrintAtm(settings::PrintDefault::FrameCopy), 1u);
    EXPECT_EQ(settings::ReadPrintNotes(settings::PrintDefault::FrameCopy), 1u);
    EXPECT_EQ(settings::ReadPrintAtm(settings::PrintDefault::PreferencesDialog), 0u);
    EXPECT_EQ(settings::ReadPrintNotes(settings::PrintDefault::PreferencesDialog), 0u);
    EXPECT_EQ(settings::ReadChosenBrowser(), settings::kBrowserExplorer);
    EXPECT_FALSE(settings::IsAutoSaveOn());
    EXPECT_EQ(settings::ReadAutoSaveText(), "10");
    EXPECT_EQ(settings::ReadAutoSaveInterval(), 10);
    EXPECT_EQ(settings::ReadText(settings::kSectionInternet, settings::kKeyExplorerPath), "");
}

TEST_F(Settings, StoredProfileIsReadUnderItsExactSectionAndKeyNames) {
    WriteProfileText("[Print Preferences]\n"
                     "Print ATM=0\n"
                     "Print Notes=0\n"
                     "[Start Up Preferences]\n"
                     "Print Notes=1\n"
                     "Launch Tel Net=1\n"
                     "[Internet Preferences]\n"
                     "Choose Web Browser=0\n"
                     "Automatic Save Check=1\n"
                     "Automatic Save=5 minutes\n"
                     "Netscape File Path=/opt/navigator/netscape\n");

    EXPECT_EQ(settings::ReadPrintAtm(settings::PrintDefault::FrameCopy), 0u);
    // The print option and the e-mail launch flag share a key name in different sections.
    EXPECT_EQ(settings::ReadPrintNotes(settings::PrintDefault::FrameCopy), 0u);
    EXPECT_TRUE(settings::ReadFlag(settings::kSectionStartUp, settings::kKeyLaunchEmail));
    EXPECT_TRUE(settings::ReadFlag(settings::kSectionStartUp, settings::kKeyLaunchTelnet));
    EXPECT_FALSE(settings::ReadFlag(settings::kSectionStartUp, settings::kKeyLaunchFtp));
    EXPECT_EQ(settings::ReadChosenBrowser(), settings::kBrowserNetscape);
    EXPECT_TRUE(settings::IsAutoSaveOn());
    EXPECT_EQ(settings::ReadAutoSaveInterval(), 5);
    EXPECT_EQ(settings::ReadText(settings::kSectionInternet, settings::kKeyNetscapePath),
              "/opt/navigator/netscape");
}

struct FlagCase {
    uint32_t stored;
    bool on;
};

class StoredFlag : public Settings, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(StoredFlag, CountsOnlyWhenExactlyOne) {
    const FlagCase& c = GetParam();
    const std::pair<const char*, const char*> flags[] = {
        {settings::kSectionStartUp, settings::kKeyLaunchEmail},
        {settings::kSectionStartUp, settings::kKeyLaunchWebBrowser},
        {settings::kSectionStartUp, settings::kKeyLaunchFtp},
        {settings::kSectionStartUp, settings::kKeyLaunchTelnet},
        {settings::kSectionStartUp, settings::kKeyLaunchNews},
        {settings::kSectionStartUp, settings::kKeyCheckOpenFiles},
        {settings::kSectionInternet, settings::kKeyAutoSaveCheck},
    };
    for (const auto& [section, key] : flags) {
        ASSERT_TRUE(settings::WriteInt(section, key, c.stored));
        EXPECT_EQ(settings::ReadFlag(section, key), c.on) << section << " / " << key;
    }
    EXPECT_EQ(settings::IsAutoSaveOn(), c.on);
    EXPECT_EQ(settings::IsFlagOn(c.stored), c.on);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredFlag,
                         ::testing::Values(FlagCase{0, false}, FlagCase{1, true}, FlagCase{2, false},
                                           FlagCase{0xFFFFFFFFu, false}));

struct DecimalCase {
    const char* text;
    int32_t value;
};

class DecimalText : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalText, ConvertsAsTheCLibraryDoes) {
    EXPECT_EQ(settings::DecimalTextToInt(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DecimalText,
    ::testing::Values(DecimalCase{"10", 10}, DecimalCase{"", 0}, DecimalCase{"abc", 0}, DecimalCase{"0", 0},
                      DecimalCase{"5 minutes", 5}, DecimalCase{"  \t\n7", 7}, DecimalCase{"+12", 12},
                      DecimalCase{"-3", -3}, DecimalCase{"- 3", 0}, DecimalCase{"+-3", 0},
                      DecimalCase{"0x1A", 0}, DecimalCase{"007", 7}, DecimalCase{"2147483647", INT32_MAX},
                      DecimalCase{"99999999999999999999", INT32_MAX}, DecimalCase{"-2147483648", INT32_MIN},
                      DecimalCase{"-99999999999999999999", INT32_MIN}));

} // namespace
