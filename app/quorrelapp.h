#pragma once
// The application object: starts the program (browser transport, settings location, the two document
// types, the main frame, the command line, the start-up actions of the preferences) and shows the About
// box. Shutdown is the framework's.
//
// QuorrelMain is the whole program but for main(): tests and benchmarks start the application through it
// in-process.
#include "framework/winapp.h"

#include <cstdint>
#include <string>
#include <vector>

class CMultiDocTemplate;

// What the command line asks for.
struct QuorrelCommandLine {
    enum Action { Run, Help, Version, Error } action = Run;
    // --open FILE: the desktop's request to open a card file.
    std::string strOpenFile;
    // --quit-when-shown: end as soon as the main window is on the screen (start-up timing).
    bool bQuitWhenShown = false;
    std::string strError;
};

// argv[0] is the program. A bare file name is accepted and opens nothing.
QuorrelCommandLine ParseQuorrelCommandLine(const std::vector<std::string>& args);

class CQuorrelApp : public CWinApp {
public:
    CQuorrelApp();
    ~CQuorrelApp() override;

    // The parsed command line InitInstance acts on (set before it runs).
    void SetCommandLine(const QuorrelCommandLine& cmdLine) { m_cmdLine = cmdLine; }
    const QuorrelCommandLine& GetCommandLine() const { return m_cmdLine; }

    bool InitInstance() override;
    void OnAppAbout();
    // Opens every file of the recent-file list as it stood when the walk began; a file that fails to open
    // leaves the list.
    void ReopenRecentFiles();

    CMultiDocTemplate* m_pPlainTemplate = nullptr;
    CMultiDocTemplate* m_pEncryptedTemplate = nullptr;
    int32_t m_bNonIntelProcessor = 0;

private:
    QuorrelCommandLine m_cmdLine;
};

// The application object as a CQuorrelApp, or null.
CQuorrelApp* GetQuorrelApp();

// The process-wide browser transport instance (0 when not set up).
extern uint32_t g_nDdeInstance;

// Turns off core dumps so a crash never writes secrets to disk.
void DisableCoreDumps();

int QuorrelMain(int argc, char** argv);
