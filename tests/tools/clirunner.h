#pragma once
// Runs the built quorrel-cli as a user's shell would, without a shell: arguments as given, standard
// input fed from a text, standard output and error captured. The child starts a session of its own, so
// it has no controlling terminal unless the run gives it a pseudo-terminal.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct CliResult {
    int nExit = -1; // exit status, or 128 + signal
    std::string strOut;
    std::string strErr;
    std::string strTty; // what the program wrote to (or echoed on) its terminal
};

// On a pseudo-terminal: once standard error shows `strWaitFor` (after the previous step's match), type
// `strType` on the terminal.
struct TtyStep {
    std::string strWaitFor;
    std::string strType;
};

CliResult RunCli(const std::vector<std::string>& args, const std::string& input = {});
CliResult RunCliOnTerminal(const std::vector<std::string>& args, const std::vector<TtyStep>& steps);

// A fresh folder under the system's temporary folder, removed with everything in it.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;
    std::string Path(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);
