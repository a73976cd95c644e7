// Start-up: the command line, the reopening of recent files, the processor rule, the desktop bus that
// cannot be reached, core dumps, and the About box.
#include "tests/app/frame_fixture.h"
#include "framework/dialog.h"

#include <QLabel>
#include <filesystem>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace frametest {
namespace {

// --- command line ------------------------------------------------------------------------------------------

struct CommandLineCase {
    const char* pszName;
    std::vector<std::string> args;
    QuorrelCommandLine::Action action;
    std::string strOpenFile;
};

class CommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, IsParsedIntoItsAction) {
    const CommandLineCase& param = GetParam();
    std::vector<std::string> args{"quorrel"};
    args.insert(args.end(), param.args.begin(), param.args.end());
    const QuorrelCommandLine cmdLine = ParseQuorrelCommandLine(args);
    EXPECT_EQ(cmdLine.action, param.action);
    EXPECT_EQ(cmdLine.strOpenFile, param.strOpenFile);
    EXPECT_EQ(cmdLine.strError.empty(), param.action != QuorrelCommandLine::Error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLine,
    ::testing::Values(CommandLineCase{"Nothing", {}, QuorrelCommandLine::Run, ""},
                      CommandLineCase{"BareFileName", {"cards.qrf"}, QuorrelCommandLine::Run, ""},
                      CommandLineCase{"Open", {"--open", "cards.qrf"}, QuorrelCommandLine::Run, "cards.qrf"},
                      CommandLineCase{"OpenEquals", {"--open=a b.qre"}, QuorrelCommandLine::Run, "a b.qre"},
                      CommandLineCase{"OpenWithoutFile", {"--open"}, QuorrelCommandLine::Error, ""},
                      CommandLineCase{"AfterDoubleDash", {"--", "--open"}, QuorrelCommandLine::Run, ""},
                      CommandLineCase{"Help", {"x.qrf", "--help"}, QuorrelCommandLine::Help, ""},
                      CommandLineCase{"Version", {"--version"}, QuorrelCommandLine::Version, ""},
                      CommandLineCase{"UnknownLong", {"--frobnicate"}, QuorrelCommandLine::Error, ""},
                      CommandLineCase{"UnknownShort", {"-z"}, QuorrelCommandLine::Error, ""}),
    [](const ::testing::TestParamInfo<CommandLineCase>& info) { return info.param.pszName; });

struct MainCase {
    const char* pszName;
    std::vector<std::string> args;
    int nExitCode;
    std::string strOut;  // start of standard output
    std::string strErr;  // start of standard error
};

class QuorrelMainExit : public CFrameFixture, public ::testing::WithParamInterface<MainCase> {};

TEST_P(QuorrelMainExit, AnswersWithoutAWindow) {
    const MainCase& param = GetParam();
    std::vector<std::string> args{"quorrel"};
    args.insert(args.end(), param.args.begin(), param.args.end());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int nExit = QuorrelMain(static_cast<int>(args.size()), argv.data());
    const std::string strOut = ::testing::internal::GetCapturedStdout();
    const std::string strErr = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(nExit, param.nExitCode);
    EXPECT_EQ(strOut.substr(0, param.strOut.size()), param.strOut);
    EXPECT_EQ(strErr.substr(0, param.strErr.size()), param.strErr);
    EXPECT_TRUE(m_runner.m_messages.empty());
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuorrelMainExit,
    ::testing::Values(MainCase{"Help", {"--help"}, 0, "Usage: quorrel [--open FILE]", ""},
                      MainCase{"Version", {"--version"}, 0, "Quorrel Linux Edition 1.1\n", ""},
                      MainCase{"Unknown", {"--frobnicate"}, 2, "", "quorrel: unknown option '--frobnicate'\nUsage:"}),
    [](const ::testing::TestParamInfo<MainCase>& info) { return info.param.pszName; });

using StartUp = CFrameFixture;

TEST_F(StartUp, WithoutTheDesktopBusTheProgramSaysSoAndEnds) {
    m_transport.m_bConnected = false;
    char name[] = "quorrel";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(QuorrelMain(1, argv), 1);
    ASSERT_EQ(m_runner.m_messages.size(), 1u);
    EXPECT_EQ(m_runner.m_messages[0].text, "DDE initialization failed.  Unable to continue.");
    EXPECT_EQ(m_runner.m_messages[0].caption, "Quorrel");
    EXPECT_EQ(m_runner.m_messages[0].type, fw::MB_OK);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_EQ(g_nDdeInstance, 0u);
}

TEST_F(StartUp, ABareFileNameOpensNothingWhileTheOpenRequestOpensIt) {
    WritePlainCardFile(PathOf("cards.qrf"));
    QuorrelCommandLine bare = ParseQuorrelCommandLine({"quorrel", PathOf("cards.qrf")});
    ASSERT_TRUE(Start(bare));
    EXPECT_EQ(m_pApp->GetOpenDocumentCount(), 0);
    m_pApp->CloseAllDocuments(true);
    m_pApp.reset();
    fwtest::ProcessEvents();

    ASSERT_TRUE(Start(ParseQuorrelCommandLine({"quorrel", "--open", PathOf("cards.qrf")})));
    EXPECT_EQ(m_pApp->GetOpenDocumentCount(), 1);
    EXPECT_TRUE(m_pMain->isVisible());
    ASSERT_NE(m_pMain->MDIGetActive(), nullptr);
    EXPECT_TRUE(m_pMain->MDIGetActive()->IsMDIMaximized());
}

TEST_F(StartUp, AFailedOpenRequestLeavesTheProgramRunning) {
    ASSERT_TRUE(Start(ParseQuorrelCommandLine({"quorrel", "--open", PathOf("missing.qrf")})));
    EXPECT_EQ(m_pApp->GetOpenDocumentCount(), 0);
    EXPECT_TRUE(m_pMain->isVisible());
    EXPECT_EQ(m_runner.m_messages.size(), 1u);
}

// --- reopening the recent files ----------------------------------------------------------------------------

class ReopenRecentFiles : public CFrameFixture {
protected:
    void WriteRecentList(const std::vector<std::string>& paths) {
        for (size_t i = 0; i < paths.size(); ++i) {
            settings::WriteText("Recent File List", "File" + std::to_string(i + 1), paths[i]);
        }
    }

    std::vector<std::string> OpenPaths() const {
        std::vector<std::string> paths;
        for (CDocTemplate* pTemplate : m_pApp->GetDocTemplates()) {
            for (CDocument* pDoc : pTemplate->GetDocuments()) {
                paths.push_back(pDoc->GetPathName());
            }
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    }
};

TEST_F(ReopenRecentFiles, OpensEveryFileThatIsThereAndDropsTheOneThatIsNot) {
    const std::vector<std::string> list = {PathOf("1.qrf"), PathOf("2.qrf"), PathOf("3.qrf"), PathOf("4.qrf")};
    for (const std::string& path : list) {
        if (path != list[1]) {
            WritePlainCardFile(path);
        }
    }
    WriteRecentList(list);
    settings::WriteInt(settings::kSectionStartUp, settings::kKeyCheckOpenFiles, 1);
    ASSERT_TRUE(Start());

    EXPECT_EQ(OpenPaths(), (std::vector<std::string>{list[0], list[2], list[3]}));
    // Each open moved its file to the top; the missing one left the list.
    EXPECT_EQ(m_pApp->GetRecentFileList(), (std::vector<std::string>{list[3], list[2], list[0]}));
    EXPECT_EQ(m_runner.m_messages.size(), 1u);
    // Document windows share the maximised state: the one in front shows it.
    ASSERT_NE(m_pMain->MDIGetActive(), nullptr);
    EXPECT_TRUE(m_pMain->MDIGetActive()->IsMDIMaximized());
    EXPECT_EQ(m_pMain->GetMDIChildren().size(), 3u);
}

class ReopenFlag : public ReopenRecentFiles, public ::testing::WithParamInterface<std::optional<uint32_t>> {};

TEST_P(ReopenFlag, OpensNothingUnlessTheFlagIsExactlyOne) {
    WritePlainCardFile(PathOf("1.qrf"));
    WriteRecentList({PathOf("1.qrf")});
    if (GetParam()) {
        settings::WriteInt(settings::kSectionStartUp, settings::kKeyCheckOpenFiles, *GetParam());
    }
    ASSERT_TRUE(Start());
    EXPECT_TRUE(OpenPaths().empty());
    EXPECT_EQ(m_pApp->GetRecentFileList(), std::vector<std::string>{PathOf("1.qrf")});
}

INSTANTIATE_TEST_SUITE_P(Values, ReopenFlag, ::testing::Values(std::nullopt, 0u, 2u));

// --- processor, core dumps, About --------------------------------------------------------------------------

struct ArchCase {
    fw::ProcessorArch arch;
    int32_t bNonIntel;
};

class ProcessorRule : public CFrameFixture, public ::testing::WithParamInterface<ArchCase> {};

TEST_P(ProcessorRule, BothIntelKindsCountAsIntel) {
    m_services.m_arch = GetParam().arch;
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_pApp->m_bNonIntelProcessor, GetParam().bNonIntel);
}

INSTANTIATE_TEST_SUITE_P(Archs, ProcessorRule,
                         ::testing::Values(ArchCase{fw::ProcessorArch::X86, 0}, ArchCase{fw::ProcessorArch::X86_64, 0},
                                           ArchCase{fw::ProcessorArch::Arm, 1}, ArchCase{fw::ProcessorArch::Arm64, 1},
                                           ArchCase{fw::ProcessorArch::Other, 1}));

TEST(CoreDumps, AreTurnedOff) {
    DisableCoreDumps();
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_CORE, &limit), 0);
    EXPECT_EQ(limit.rlim_cur, 0u);
    EXPECT_EQ(::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 0);
}

TEST_F(StartUp, StartsWithTheSettingsLocationTemplatesAndFrameCopies) {
    settings::WriteText(settings::kSectionInternet, settings::kKeyFtpPath, "/usr/bin/ftp");
    settings::WriteInt(settings::kSectionPrint, settings::kKeyPrintAtm, 0);
    ASSERT_TRUE(Start());
    EXPECT_EQ(CProfile::Instance().GetFilePath(), m_strDir + "/config/Marvane/KestraneApp/Quorrel.ini");
    ASSERT_NE(m_pApp->m_pPlainTemplate, nullptr);
    ASSERT_NE(m_pApp->m_pEncryptedTemplate, nullptr);
    EXPECT_EQ(m_pApp->GetDocTemplates().front(), m_pApp->m_pPlainTemplate);
    EXPECT_EQ(m_pApp->m_pEncryptedTemplate->GetResourceID(), IDR_ENCRYPTEDTYPE);
    EXPECT_EQ(m_pMain->m_strFtpPath, "/usr/bin/ftp");
    EXPECT_EQ(m_pMain->m_strExplorerPath, "");
    EXPECT_EQ(m_pMain->m_bPrintATM, 0);
    EXPECT_EQ(m_pMain->m_bPrintNotes, 1);
    EXPECT_NE(g_nDdeInstance, 0u);

    // File New makes a plain document without asking for a type.
    m_pMain->SendCommand(ID_FILE_NEW);
    fwtest::ProcessEvents();
    EXPECT_EQ(m_pApp->m_pPlainTemplate->GetDocuments().size(), 1u);
    EXPECT_EQ(m_pApp->m_pPlainTemplate->GetDocuments().front()->GetTitle(), "Untitled1");
    EXPECT_TRUE(m_runner.m_dialogCaptions.empty());
}

TEST_F(StartUp, AboutBoxShowsTheProductVersionAndHomePage) {
    ASSERT_TRUE(Start());
    std::vector<std::string> texts;
    m_runner.m_dialogHandlers.push_back([&texts](CDialog& dlg) {
        for (const QLabel* pLabel : dlg.GetWindow()->findChildren<QLabel*>()) {
            texts.push_back(pLabel->text().toStdString());
        }
        return fw::IDOK;
    });
    EXPECT_TRUE(m_pMain->SendCommand(ID_APP_ABOUT));
    ASSERT_EQ(m_runner.m_dialogCaptions.size(), 1u);
    EXPECT_EQ(m_runner.m_dialogCaptions[0], "About Quorrel Linux Edition");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Quorrel Linux Edition Version 1.1"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Quorrel Home Page:"), texts.end());
}

}  // namespace
}  // namespace frametest
