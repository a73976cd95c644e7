// System services, clipboard and the transport start, each through its seam.
#include "framework/clipboard.h"
#include "framework/ddetransport.h"
#include "framework/sysservices.h"
#include "framework/textcodec.h"
#include "tests/framework/fw_test_app.h"

#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QLocale>
#include <QMimeData>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using fw::ProcessLaunch;
using Args = std::vector<std::string>;

struct CommandLineCase {
    const char* name;
    std::set<std::string> programs;
    std::string commandLine;
    std::optional<ProcessLaunch> expected;
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, ResolvesAsTheClassicPlatform) {
    const auto& c = GetParam();
    const auto got =
        fw::ResolveCommandLine(c.commandLine, [&](const std::string& p) { return c.programs.count(p) != 0; });
    ASSERT_EQ(got.has_value(), c.expected.has_value());
    if (got) {
        EXPECT_EQ(got->program, c.expected->program);
        EXPECT_EQ(got->arguments, c.expected->arguments);
    }
}

const std::set<std::string> kNetscape = {"/opt/Net Scape/netscape"};

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    ::testing::Values(CommandLineCase{"PathWithSpaces", kNetscape, "/opt/Net Scape/netscape",
                                      ProcessLaunch{"/opt/Net Scape/netscape", {}}},
                      CommandLineCase{"RestIsArguments", kNetscape, "/opt/Net Scape/netscape -remote \"a b\"",
                                      ProcessLaunch{"/opt/Net Scape/netscape", Args{"-remote", "a b"}}},
                      CommandLineCase{"ShortestPrefixWins",
                                      {"/opt/Net", "/opt/Net Scape/netscape"},
                                      "/opt/Net Scape/netscape",
                                      ProcessLaunch{"/opt/Net", Args{"Scape/netscape"}}},
                      CommandLineCase{"QuotedPathIsTakenWhole",
                                      {"/opt/Net", "/opt/Net Scape/netscape"},
                                      "\"/opt/Net Scape/netscape\" -a",
                                      ProcessLaunch{"/opt/Net Scape/netscape", Args{"-a"}}},
                      CommandLineCase{
                          "QuotedPathNotAProgram", {"/opt/Net"}, "\"/opt/Net Scape\"", std::nullopt},
                      CommandLineCase{"NoPrefixIsAProgram", kNetscape, "/opt/Net Scape/other", std::nullopt},
                      CommandLineCase{"LeadingBlanksAndDoubleBlanks",
                                      {"/bin/app"},
                                      "  /bin/app  x",
                                      ProcessLaunch{"/bin/app", Args{"x"}}},
                      CommandLineCase{"Empty", kNetscape, "", std::nullopt},
                      CommandLineCase{"OnlyBlanks", kNetscape, "   ", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        fwtest::App();
        fw::SetSystemServices(&m_fake);
    }
    void TearDown() override { fw::SetSystemServices(nullptr); }
    fw::CFakeSystemServices m_fake;
};

TEST_F(ServicesTest, CommandLineStartsTheResolvedProgram) {
    m_fake.m_programs = {"/opt/Net Scape/netscape"};
    EXPECT_TRUE(fw::GetSystemServices().StartCommandLine("/opt/Net Scape/netscape"));
    EXPECT_FALSE(fw::GetSystemServices().StartCommandLine("/opt/Mozilla/firefox"));
    ASSERT_EQ(m_fake.m_launches.size(), 1u);
    EXPECT_EQ(m_fake.m_launches[0].program, "/opt/Net Scape/netscape");
    m_fake.m_bLaunchFails = true;
    EXPECT_FALSE(fw::GetSystemServices().StartCommandLine("/opt/Net Scape/netscape"));
}

TEST_F(ServicesTest, ApplicationPathIsUsedExactlyWithoutSearch) {
    // A program in a folder with a space in its name needs no quotes.
    const std::string dir = fwtest::ConfigHome() + "/app dir";
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/ftp client";
    std::ofstream(path) << "#!/bin/sh\n";
    chmod(path.c_str(), 0755);
    EXPECT_TRUE(fw::GetSystemServices().StartApplication(path));
    // "sh" is on PATH, but an application path is never searched for.
    EXPECT_FALSE(fw::GetSystemServices().StartApplication("sh"));
    EXPECT_FALSE(fw::GetSystemServices().StartApplication(""));
    EXPECT_FALSE(fw::GetSystemServices().StartApplication(dir + "/missing"));
    EXPECT_FALSE(fw::GetSystemServices().StartApplication(dir));
    ASSERT_EQ(m_fake.m_launches.size(), 1u);
    EXPECT_EQ(m_fake.m_launches[0], (ProcessLaunch{path, {}}));
    std::filesystem::remove_all(dir);
}

TEST(RealServicesTest, StartsAProcessWithoutWaiting) {
    fwtest::App();
    EXPECT_TRUE(fw::GetSystemServices().StartApplication("/bin/true"));
    EXPECT_TRUE(fw::GetSystemServices().StartCommandLine("/bin/true ignored argument"));
    EXPECT_FALSE(fw::GetSystemServices().StartCommandLine("/nonexistent/program"));
}

TEST(RealServicesTest, ShortDateIsTodayInTheUsersFormatWithinThirtyOneBytes) {
    fwtest::App();
    const std::string date = fw::GetSystemServices().GetShortDate();
    EXPECT_FALSE(date.empty());
    EXPECT_LE(date.size(), 31u);
    EXPECT_TRUE(fw::IsValidUtf8(date));
    const std::string full =
        fw::QStringToBytes(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    EXPECT_EQ(date, fw::TruncateUtf8(full, 31));
}

TEST(ArchitectureTest, NamesMapToKinds) {
    const std::pair<const char*, fw::ProcessorArch> cases[] = {
        {"i386", fw::ProcessorArch::X86},      {"x86_64", fw::ProcessorArch::X86_64},
        {"arm", fw::ProcessorArch::Arm},       {"arm64", fw::ProcessorArch::Arm64},
        {"riscv64", fw::ProcessorArch::Other}, {"", fw::ProcessorArch::Other},
    };
    for (const auto& [name, arch] : cases) {
        EXPECT_EQ(fw::ArchitectureFromName(name), arch) << name;
    }
}

// The system clipboard through its steps.
class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { fwtest::App(); }
    static QClipboard* System() { return QGuiApplication::clipboard(); }
};

TEST_F(ClipboardTest, SecretTextIsPlacedWithThePasswordManagerHint) {
    CClipboard& clip = fw::GetClipboard();
    ASSERT_TRUE(clip.Open(nullptr));
    ASSERT_TRUE(clip.Allocate(8));
    ASSERT_TRUE(clip.SetText("p\xE4ssword", true)); // Windows-1252 bytes
    clip.Close();
    EXPECT_EQ(System()->text(), QString::fromStdU16String(u"p\u00E4ssword"));
    const QMimeData* mime = System()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->data(fw::kPasswordHintMime), QByteArray("secret"));
}

TEST_F(ClipboardTest, PlainTextCarriesNoHintAndEmptyTextIsAText) {
    CClipboard& clip = fw::GetClipboard();
    ASSERT_TRUE(clip.Open(nullptr));
    ASSERT_TRUE(clip.Allocate(0));
    ASSERT_TRUE(clip.SetText("", false));
    clip.Close();
    EXPECT_TRUE(System()->mimeData()->hasText());
    EXPECT_EQ(System()->text(), QString());
    EXPECT_FALSE(System()->mimeData()->hasFormat(fw::kPasswordHintMime));
}

TEST_F(ClipboardTest, SetFailsOutsideTheStepsAndKeepsTheFormerText) {
    CClipboard& clip = fw::GetClipboard();
    ASSERT_TRUE(clip.Open(nullptr));
    ASSERT_TRUE(clip.Allocate(3));
    ASSERT_TRUE(clip.SetText("old", false));
    clip.Close();

    EXPECT_FALSE(clip.SetText("closed", false)); // not open
    ASSERT_TRUE(clip.Open(nullptr));
    EXPECT_FALSE(clip.SetText("unallocated", false));
    ASSERT_TRUE(clip.Allocate(2));
    EXPECT_FALSE(clip.SetText("too long", false));
    clip.Close();
    EXPECT_EQ(System()->text(), QStringLiteral("old"));
}

TEST(FakeClipboardTest, EachStepCanFailAndIsRecorded) {
    struct Case {
        bool failOpen, failAllocate, failSet;
        bool setWorks;
    };
    for (const Case c : {Case{false, false, false, true}, Case{true, false, false, false},
                         Case{false, true, false, false}, Case{false, false, true, false}}) {
        CFakeClipboard fake;
        fw::SetClipboard(&fake);
        fake.m_bFailOpen = c.failOpen;
        fake.m_bFailAllocate = c.failAllocate;
        fake.m_bFailSet = c.failSet;
        CClipboard& clip = fw::GetClipboard();
        EXPECT_EQ(clip.Open(nullptr), !c.failOpen);
        EXPECT_EQ(clip.Allocate(4), !c.failAllocate);
        EXPECT_EQ(clip.SetText("abcd", true), c.setWorks);
        clip.Close();
        EXPECT_EQ(fake.m_steps, (std::vector<std::string>{"open", "allocate 4", "set", "close"}));
        EXPECT_EQ(fake.m_bHasText, c.setWorks);
        if (c.setWorks) {
            EXPECT_EQ(fake.m_strText, "abcd");
            EXPECT_TRUE(fake.m_bSecret);
        }
        fw::SetClipboard(nullptr);
    }
}

class FakeTransport : public fw::CDdeTransport {
public:
    explicit FakeTransport(bool connected) : m_bConnected(connected) {}
    bool IsBusConnected() override { return m_bConnected; }
    bool m_bConnected;
};

TEST(DdeTransportTest, InitializeFailsWithoutASessionBus) {
    FakeTransport noBus(false);
    fw::SetDdeTransport(&noBus);
    uint32_t id = 77;
    EXPECT_FALSE(fw::DdeInitialize(&id, [](auto...) { return fw::HDDEDATA(0); }));
    EXPECT_EQ(id, 0u);
    fw::SetDdeTransport(nullptr);
}

TEST(DdeTransportTest, InitializeWithABusKeepsTheCallback) {
    FakeTransport bus(true);
    fw::SetDdeTransport(&bus);
    uint32_t id = 0;
    unsigned seenType = 0;
    ASSERT_TRUE(fw::DdeInitialize(&id, [&](unsigned type, auto...) {
        seenType = type;
        return fw::HDDEDATA(5);
    }));
    EXPECT_NE(id, 0u);
    const fw::DdeCallback* cb = fw::GetDdeCallback(id);
    ASSERT_NE(cb, nullptr);
    EXPECT_EQ((*cb)(fw::XTYP_CONNECT, 0, 0, 0, 0, 0, 0, 0), 5u);
    EXPECT_EQ(seenType, fw::XTYP_CONNECT);
    EXPECT_EQ(fw::GetDdeCallback(id + 1000), nullptr);
    fw::SetDdeTransport(nullptr);
}

TEST(DdeTransportTest, ServiceNamesFoldIntoDistinctBusNames) {
    const std::pair<std::string, std::string> cases[] = {
        {"Quorrel1", "org.quorrel.dde.quorrel1"},
        {"QUORREL1", "org.quorrel.dde.quorrel1"},
        {"IExplore", "org.quorrel.dde.iexplore"},
        {"a_b", "org.quorrel.dde.a_5fb"},
        {"a.b", "org.quorrel.dde.a_2eb"},
        {"a b", "org.quorrel.dde.a_20b"},
        {"1st", "org.quorrel.dde._31st"},
        {"", "org.quorrel.dde._"},
        {"\xE9", "org.quorrel.dde._e9"},
        {std::string(100, 'x'), "org.quorrel.dde." + std::string(100, 'x')},
        {std::string(100, '.'), ""}, // too long once escaped
    };
    for (const auto& [service, bus] : cases) {
        EXPECT_EQ(fw::DdeServiceToBusName(service), bus) << service;
    }
}

} // namespace
