// The settings profile: the INI file's exact names, what reads give, and that a write never makes a
// file worse.
#include "framework/profile.h"
#include "tests/framework/fw_test_app.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = fwtest::ConfigHome() + "/profile-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strDir = pattern;
        m_strFile = m_strDir + "/Quorrel.ini";
        Profile().SetFilePath(m_strFile);
    }
    void TearDown() override {
        Profile().SetFilePath({});
        fs::remove_all(m_strDir);
    }
    static CProfile& Profile() { return CProfile::Instance(); }
    std::vector<std::string> DirEntries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_strDir)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string m_strDir;
    std::string m_strFile;
};

TEST_F(ProfileTest, LocationFollowsXdgConfigHomeAndRegistryKey) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", m_strDir.c_str(), 1);
    Profile().SetLocation("Marvane\\KestraneApp", "Quorrel");
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    EXPECT_EQ(Profile().GetFilePath(), m_strDir + "/Marvane/KestraneApp/Quorrel.ini");
    EXPECT_TRUE(Profile().WriteProfileInt("Settings", "PreviewPages", 2));
    EXPECT_EQ(ReadFile(m_strDir + "/Marvane/KestraneApp/Quorrel.ini"), "[Settings]\nPreviewPages=2\n");
    // Settings name paths and may be private: the folders and the file are the user's alone.
    struct stat st {};
    ASSERT_EQ(stat((m_strDir + "/Marvane").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(stat(Profile().GetFilePath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(ProfileTest, MissingFileGivesEachCallersDefault) {
    EXPECT_EQ(Profile().GetProfileInt("Print Preferences", "Print ATM", 1), 1u);
    EXPECT_EQ(Profile().GetProfileInt("Print Preferences", "Print ATM", 0), 0u);
    EXPECT_EQ(Profile().GetProfileString("Internet Preferences", "Automatic Save", "10"), "10");
    EXPECT_EQ(Profile().GetProfileString("Internet Preferences", "Netscape File Path"), "");
    EXPECT_FALSE(fs::exists(m_strFile)); // reading never creates the file
}

TEST_F(ProfileTest, NamesAreWrittenExactlyWithTheirSpaces) {
    EXPECT_TRUE(Profile().WriteProfileInt("Start Up Preferences", "Check Open Files", 1));
    EXPECT_TRUE(Profile().WriteProfileString("Internet Preferences", "Explorer File Path",
                                             "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE"));
    EXPECT_TRUE(Profile().WriteProfileInt("Start Up Preferences", "Print Notes", 0));
    EXPECT_TRUE(Profile().WriteProfileInt("Print Preferences", "Print Notes", 1));
    EXPECT_EQ(ReadFile(m_strFile), "[Start Up Preferences]\n"
                                   "Check Open Files=1\n"
                                   "Print Notes=0\n"
                                   "[Internet Preferences]\n"
                                   "Explorer File Path=C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\n"
                                   "[Print Preferences]\n"
                                   "Print Notes=1\n");
    // The same key in two sections stays two settings.
    EXPECT_EQ(Profile().GetProfileInt("Start Up Preferences", "Print Notes", 7), 0u);
    EXPECT_EQ(Profile().GetProfileInt("Print Preferences", "Print Notes", 7), 1u);
    // Names are case-sensitive and exact.
    EXPECT_EQ(Profile().GetProfileInt("start up preferences", "Check Open Files", 7), 7u);
    EXPECT_EQ(Profile().GetProfileInt("Start Up Preferences", "Check Open Files ", 7), 7u);
}

struct IntCase {
    const char* stored;
    uint32_t expected; // with default 99
};

class ProfileIntTest : public ProfileTest, public ::testing::WithParamInterface<IntCase> {};

TEST_P(ProfileIntTest, StoredTextReadsAsIntegerOrDefault) {
    WriteFile(m_strFile, std::string("[Start Up Preferences]\nLaunch FTP=") + GetParam().stored + "\n");
    EXPECT_EQ(Profile().GetProfileInt("Start Up Preferences", "Launch FTP", 99), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, ProfileIntTest,
                         ::testing::Values(IntCase{"1", 1}, IntCase{"0", 0},
                                           IntCase{"2", 2}, // a flag of 2 reads as 2; callers test for 1
                                           IntCase{"4294967295", 4294967295u}, IntCase{"4294967296", 99},
                                           IntCase{"-1", 99}, IntCase{"abc", 99}, IntCase{"12abc", 99},
                                           IntCase{" 7 ", 7}, IntCase{"", 99}, IntCase{"0x10", 99}));

class ProfileTextTest : public ProfileTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(ProfileTextTest, TextRoundTripsByteForByte) {
    const std::string value = GetParam();
    ASSERT_TRUE(Profile().WriteProfileString("Internet Preferences", "Automatic Save", value));
    ASSERT_TRUE(Profile().WriteProfileString("Internet Preferences", "FTP File Path", "after"));
    // Through a fresh read of the file, not the copy in memory.
    Profile().SetFilePath(m_strFile);
    EXPECT_EQ(Profile().GetProfileString("Internet Preferences", "Automatic Save", "default"), value);
    EXPECT_EQ(Profile().GetProfileString("Internet Preferences", "FTP File Path"), "after");
}

INSTANTIATE_TEST_SUITE_P(Values, ProfileTextTest,
                         ::testing::Values(std::string(""), std::string("10"), std::string("  padded  "),
                                           std::string("a=b=c"), std::string("C:\\temp\\"),
                                           std::string("\"C:\\Program Files\\x.exe\""), std::string("\"half"),
                                           std::string("caf\xE9 \x80\x9F\xFF"),
                                           std::string("line one\r\nline two\nthree\r"),
                                           std::string("[not a section]"), std::string("; not a comment"),
                                           std::string("\\n stays backslash n")));

TEST_F(ProfileTest, OnlyValuesWithLineBreaksAreEscapedInTheFile) {
    ASSERT_TRUE(Profile().WriteProfileString("S", "Plain", "C:\\dir\\a.exe"));
    ASSERT_TRUE(Profile().WriteProfileString("S", "Broken", "a\nb"));
    EXPECT_EQ(ReadFile(m_strFile), "[S]\nPlain=C:\\dir\\a.exe\nBroken=\"a\\nb\"\n");
}

TEST_F(ProfileTest, ValuesAreReadAsTheyAreOnDiskNow) {
    ASSERT_TRUE(Profile().WriteProfileString("Internet Preferences", "HelpProg File Path", "/old/reader"));
    EXPECT_EQ(Profile().GetProfileString("Internet Preferences", "HelpProg File Path"), "/old/reader");
    WriteFile(m_strFile, "[Internet Preferences]\nHelpProg File Path=/new/reader/of/another/length\n");
    EXPECT_EQ(Profile().GetProfileString("Internet Preferences", "HelpProg File Path"),
              "/new/reader/of/another/length");
    fs::remove(m_strFile);
    EXPECT_EQ(Profile().GetProfileString("Internet Preferences", "HelpProg File Path", "gone"), "gone");
}

TEST_F(ProfileTest, HandEditedFileKeepsCommentsAndAcceptsCrLf) {
    WriteFile(m_strFile,
              "; my settings\r\n[Print Preferences]\r\nPrint ATM=0\r\n\r\n# kept\r\n[Settings]\r\n");
    EXPECT_EQ(Profile().GetProfileInt("Print Preferences", "Print ATM", 1), 0u);
    ASSERT_TRUE(Profile().WriteProfileInt("Print Preferences", "Print Notes", 1));
    EXPECT_EQ(ReadFile(m_strFile),
              "; my settings\n[Print Preferences]\nPrint ATM=0\nPrint Notes=1\n\n# kept\n[Settings]\n");
}

TEST_F(ProfileTest, WriteReplacesTheFileWholeAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(Profile().WriteProfileString("S", "K", std::string(10000, 'x')));
    chmod(m_strFile.c_str(), 0640);
    // A reader that opened the old file keeps reading the old file whole: the new one is renamed over it,
    // never written into it.
    const int fd = open(m_strFile.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(Profile().WriteProfileString("S", "K", "short"));
    std::string old(20000, '\0');
    const ssize_t n = pread(fd, old.data(), old.size(), 0);
    close(fd);
    ASSERT_GT(n, 0);
    old.resize(static_cast<size_t>(n));
    EXPECT_EQ(old, "[S]\nK=" + std::string(10000, 'x') + "\n");
    EXPECT_EQ(ReadFile(m_strFile), "[S]\nK=short\n");
    EXPECT_EQ(DirEntries(), std::vector<std::string>{"Quorrel.ini"});
    struct stat st {};
    ASSERT_EQ(stat(m_strFile.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u); // the user's own permission bits survive a rewrite
}

TEST_F(ProfileTest, DamagedFileGivesDefaultsAndIsMovedAsideWhole) {
    const std::string damaged = "[Print Preferences]\nPrint ATM=0\nthis line is no setting\n\x01\x02\xFF";
    WriteFile(m_strFile, damaged);
    EXPECT_EQ(Profile().GetProfileInt("Print Preferences", "Print ATM", 1), 1u);
    EXPECT_EQ(ReadFile(m_strFile), damaged); // reading leaves it alone

    ASSERT_TRUE(Profile().WriteProfileInt("Print Preferences", "Print Notes", 0));
    EXPECT_EQ(ReadFile(m_strFile + ".damaged"), damaged);
    EXPECT_EQ(ReadFile(m_strFile), "[Print Preferences]\nPrint Notes=0\n");
    EXPECT_EQ(Profile().GetProfileInt("Print Preferences", "Print Notes", 1), 0u);
}

TEST_F(ProfileTest, DamagedFileIsKeptWhenAnEarlierDamagedCopyExists) {
    WriteFile(m_strFile + ".damaged", "earlier");
    WriteFile(m_strFile, "[unclosed section\n");
    EXPECT_FALSE(Profile().WriteProfileInt("S", "K", 1));
    EXPECT_EQ(ReadFile(m_strFile + ".damaged"), "earlier");
    EXPECT_EQ(ReadFile(m_strFile), "[unclosed section\n");
    EXPECT_EQ(Profile().GetProfileInt("S", "K", 5), 5u);
}

TEST_F(ProfileTest, UnreadableFileGivesDefaultsAndIsNeverWrittenOver) {
    // A folder where the file should be: it exists but cannot be read as settings (root reads through
    // permission bits, so those would not show it).
    fs::create_directory(m_strFile);
    WriteFile(m_strFile + "/inside", "keep");
    EXPECT_EQ(Profile().GetProfileString("S", "K", "def"), "def");
    EXPECT_FALSE(Profile().WriteProfileString("S", "K", "v"));
    EXPECT_FALSE(Profile().DeleteProfileValue("S", "K"));
    EXPECT_TRUE(fs::is_directory(m_strFile));
    EXPECT_EQ(ReadFile(m_strFile + "/inside"), "keep");
    EXPECT_FALSE(fs::exists(m_strFile + ".damaged"));
}

TEST_F(ProfileTest, NamesThatCannotReadBackAreRefused) {
    for (const std::string key : {"a=b", "", "[x]", ";x", "line\nbreak"}) {
        EXPECT_FALSE(Profile().WriteProfileInt("S", key, 1)) << key;
    }
    EXPECT_FALSE(Profile().WriteProfileInt("", "K", 1));
    EXPECT_FALSE(Profile().WriteProfileInt("a\nb", "K", 1));
    EXPECT_FALSE(fs::exists(m_strFile));
}

TEST_F(ProfileTest, DeletingValuesAndSections) {
    ASSERT_TRUE(Profile().WriteProfileString("Recent File List", "File1", "/a.qrf"));
    ASSERT_TRUE(Profile().WriteProfileString("Recent File List", "File2", "/b.qrf"));
    ASSERT_TRUE(Profile().WriteProfileInt("Settings", "PreviewPages", 1));
    EXPECT_TRUE(Profile().DeleteProfileValue("Recent File List", "File1"));
    EXPECT_EQ(Profile().GetProfileString("Recent File List", "File1", "none"), "none");
    EXPECT_EQ(Profile().GetProfileString("Recent File List", "File2"), "/b.qrf");
    EXPECT_TRUE(Profile().DeleteProfileSection("Recent File List"));
    EXPECT_EQ(ReadFile(m_strFile), "[Settings]\nPreviewPages=1\n");
}

TEST_F(ProfileTest, NoLocationMeansDefaultsAndFailedWrites) {
    Profile().SetFilePath({});
    EXPECT_EQ(Profile().GetProfileInt("S", "K", 3), 3u);
    EXPECT_FALSE(Profile().WriteProfileInt("S", "K", 1));
}

} // namespace
