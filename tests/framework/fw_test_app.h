#pragma once
// The QApplication of the framework tests. The test program is linked with gtest_main, so the application
// is made by a global test environment (registered once, whichever test file includes this header) on
// the offscreen platform, with a private settings folder so no test touches the user's real profile.
// A test that needs the application before the environment runs calls fwtest::App().
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace fwtest {

// A private folder for $XDG_CONFIG_HOME, made once per test program and removed at its end.
inline const std::string& ConfigHome() {
    static const std::string s_strDir = [] {
        std::string pattern = "/tmp/quorrel-fwtest-XXXXXX";
        const char* pDir = ::mkdtemp(pattern.data());
        return std::string(pDir ? pDir : "/tmp");
    }();
    return s_strDir;
}

inline QApplication& App() {
    static QApplication* s_pApp = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        ::setenv("XDG_CONFIG_HOME", ConfigHome().c_str(), 1);
        static int s_argc = 1;
        static char s_name[] = "framework_tests";
        static char* s_argv[] = {s_name, nullptr};
        auto* pApp = new QApplication(s_argc, s_argv);
        // Windows that tests close must never end anything by themselves.
        QApplication::setQuitOnLastWindowClosed(false);
        return pApp;
    }();
    return *s_pApp;
}

// Runs what deleteLater() and queued calls left behind, so a test sees the state after the event loop.
inline void ProcessEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class CAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { App(); }
    void TearDown() override {
        ProcessEvents();
        if (ConfigHome() != "/tmp") {
            const std::string cmd = "rm -rf '" + ConfigHome() + "'";
            [[maybe_unused]] int rc = std::system(cmd.c_str());
        }
    }
};

inline ::testing::Environment* const g_pAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new CAppEnvironment);

}  // namespace fwtest
