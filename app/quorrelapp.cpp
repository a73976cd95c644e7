#include "app/quorrelapp.h"

#include "app/aboutdlg.h"
#include "app/settings.h"
#include "cardstore/quorreldoc.h"
#include "framework/ddetransport.h"
#include "framework/modalrunner.h"
#include "framework/multidoctemplate.h"
#include "framework/restypes.h"
#include "framework/sysservices.h"
#include "res/resource.h"
#include "res/resources.h"
#include "ui/childfrm.h"
#include "ui/mainfrm.h"
#include "ui/quorrelview.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <sys/prctl.h>
#include <sys/resource.h>

uint32_t g_nDdeInstance = 0;

namespace {

constexpr char kVersionText[] = "Quorrel Linux Edition 1.1";

constexpr char kUsage[] =
    "Usage: quorrel [--open FILE]\n"
    "\n"
    "Keeps logins, passwords and card numbers in card files, plain (.qrf) or encrypted (.qre).\n"
    "\n"
    "  --open FILE   open the card file FILE\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n";

// The browser conversation's own services arrive with the browser work; until then nothing is served.
fw::HDDEDATA DdeCallback(unsigned, unsigned, fw::HCONV, fw::HSZ, fw::HSZ, fw::HDDEDATA, uintptr_t, uintptr_t) {
    return 0;
}

// Ends the program once the main window has been painted for the first time (start-up timing).
class CQuitWhenShown : public QObject {
public:
    explicit CQuitWhenShown(CWinApp& app) : m_app(app) {}

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override {
        if (pEvent->type() == QEvent::Paint && !m_bDone) {
            m_bDone = true;
            QTimer::singleShot(0, [this] { m_app.OnAppExit(); });
        }
        return QObject::eventFilter(pWatched, pEvent);
    }

private:
    CWinApp& m_app;
    bool m_bDone = false;
};

}  // namespace

QuorrelCommandLine ParseQuorrelCommandLine(const std::vector<std::string>& args) {
    QuorrelCommandLine cmdLine;
    bool bOptionsEnded = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (bOptionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            // A bare file name is accepted and opens nothing, as it always has.
            continue;
        }
        if (arg == "--") {
            bOptionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            cmdLine.action = QuorrelCommandLine::Help;
            return cmdLine;
        } else if (arg == "--version") {
            cmdLine.action = QuorrelCommandLine::Version;
            return cmdLine;
        } else if (arg == "--open") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                cmdLine.action = QuorrelCommandLine::Error;
                cmdLine.strError = "option '--open' needs a file name";
                return cmdLine;
            }
            cmdLine.strOpenFile = args[++i];
        } else if (arg.rfind("--open=", 0) == 0) {
            cmdLine.strOpenFile = arg.substr(7);
            if (cmdLine.strOpenFile.empty()) {
                cmdLine.action = QuorrelCommandLine::Error;
                cmdLine.strError = "option '--open' needs a file name";
                return cmdLine;
            }
        } else if (arg == "--quit-when-shown") {
            cmdLine.bQuitWhenShown = true;
        } else {
            cmdLine.action = QuorrelCommandLine::Error;
            cmdLine.strError = "unknown option '" + arg + "'";
            return cmdLine;
        }
    }
    return cmdLine;
}

void DisableCoreDumps() {
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

CQuorrelApp* GetQuorrelApp() { return dynamic_cast<CQuorrelApp*>(AfxGetApp()); }

CQuorrelApp::CQuorrelApp() {
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    // Print Setup joins this map with printing.
}

CQuorrelApp::~CQuorrelApp() = default;

bool CQuorrelApp::InitInstance() {
    if (!fw::DdeInitialize(&g_nDdeInstance, DdeCallback)) {
        fw::MessageBox(fw::LoadResString(IDS_DDE_INIT_FAILED), GetAppName(), fw::MB_OK);
        g_nDdeInstance = 0;
        return false;
    }

    SetRegistryKey(settings::kRegistryKey);
    LoadStdProfileSettings(4);

    auto makeTemplate = [](int nIDResource) {
        return new CMultiDocTemplate(
            nIDResource, [] { return new CQuorrelDoc; }, [] { return new CChildFrame; },
            [] { return new CQuorrelView; });
    };
    // Plain first: a file of any other extension goes to the first template. The desktop learns the two
    // file types from the installed desktop entry and MIME description, not at run time.
    m_pPlainTemplate = makeTemplate(IDR_PLAINTYPE);
    AddDocTemplate(m_pPlainTemplate);
    m_pEncryptedTemplate = makeTemplate(IDR_ENCRYPTEDTYPE);
    AddDocTemplate(m_pEncryptedTemplate);

    auto* pMainFrame = new CMainFrame;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME)) {
        delete pMainFrame;
        return false;
    }
    m_pMainWnd = pMainFrame;

    // A bare file name opens nothing; the desktop's open request does. A file that fails to open has
    // been reported and leaves the program running without it.
    if (!m_cmdLine.strOpenFile.empty()) {
        OpenDocumentFile(m_cmdLine.strOpenFile);
    }

    pMainFrame->ShowWindow(m_nCmdShow);
    pMainFrame->UpdateWindow();

    pMainFrame->LoadSettingsCopies();
    // Helper path discovery and the start-up launches of helper programs come with the browser work.

    if (settings::ReadFlag(settings::kSectionStartUp, settings::kKeyCheckOpenFiles)) {
        ReopenRecentFiles();
    }

    // Both Intel x86 kinds count: the card list's in-place editing is switched off only elsewhere.
    const fw::ProcessorArch arch = fw::GetSystemServices().GetProcessorArchitecture();
    m_bNonIntelProcessor = arch == fw::ProcessorArch::X86 || arch == fw::ProcessorArch::X86_64 ? 0 : 1;
    return true;
}

void CQuorrelApp::ReopenRecentFiles() {
    // The list as it stood when the walk began: each successful open moves its file to the top.
    const std::vector<std::string> entries = GetRecentFileList();
    for (const std::string& strPath : entries) {
        if (strPath.empty()) {
            continue;
        }
        if (OpenDocumentFile(strPath)) {
            continue;
        }
        const std::vector<std::string>& live = GetRecentFileList();
        const auto it = std::find(live.begin(), live.end(), strPath);
        if (it != live.end()) {
            RemoveFromRecentFileList(static_cast<int>(it - live.begin()));
        }
    }
}

void CQuorrelApp::OnAppAbout() {
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

int QuorrelMain(int argc, char** argv) {
    DisableCoreDumps();

    // Help, version and mistakes are answered before any window system is needed. Qt's own options
    // (single dash) are left for Qt, which takes them out of argv.
    std::vector<std::string> rawArgs(argv, argv + argc);
    std::vector<std::string> longArgs{rawArgs.empty() ? std::string("quorrel") : rawArgs.front()};
    for (size_t i = 1; i < rawArgs.size(); ++i) {
        const std::string& arg = rawArgs[i];
        if (arg.rfind("--", 0) == 0 || arg == "-h") {
            longArgs.push_back(arg);
            if (arg == "--open" && i + 1 < rawArgs.size()) {
                longArgs.push_back(rawArgs[++i]);
            }
        }
    }
    QuorrelCommandLine cmdLine = ParseQuorrelCommandLine(longArgs);

    std::unique_ptr<QApplication> pQtApp;
    if (cmdLine.action == QuorrelCommandLine::Run && !QCoreApplication::instance()) {
        pQtApp = std::make_unique<QApplication>(argc, argv);
        // What Qt left over must be ours.
        cmdLine = ParseQuorrelCommandLine(std::vector<std::string>(argv, argv + argc));
    }

    switch (cmdLine.action) {
    case QuorrelCommandLine::Help:
        std::fputs(kUsage, stdout);
        return 0;
    case QuorrelCommandLine::Version:
        std::printf("%s\n", kVersionText);
        return 0;
    case QuorrelCommandLine::Error:
        std::fprintf(stderr, "quorrel: %s\nUsage: quorrel [--open FILE] [--help] [--version]\n",
                     cmdLine.strError.c_str());
        return 2;
    case QuorrelCommandLine::Run:
        break;
    }

    fw::SetResourceSet(&QuorrelResources());
    CQuorrelApp app;
    app.SetCommandLine(cmdLine);
    if (!app.InitInstance()) {
        app.ExitInstance();
        return 1;
    }
    std::unique_ptr<CQuitWhenShown> pQuitWhenShown;
    if (cmdLine.bQuitWhenShown && app.m_pMainWnd) {
        pQuitWhenShown = std::make_unique<CQuitWhenShown>(app);
        app.m_pMainWnd->installEventFilter(pQuitWhenShown.get());
    }
    return app.Run();
}
