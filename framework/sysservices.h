#pragma once
// Process start, sleeping, today's date and the processor architecture, behind one replaceable seam so
// tests can see what the program would start and fix what the system would answer.
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fw {

enum class ProcessorArch { X86, X86_64, Arm, Arm64, Other };

struct ProcessLaunch {
    std::string program;
    std::vector<std::string> arguments;
    bool operator==(const ProcessLaunch&) const = default;
};

// How the classic platform read a command line: a path in double quotes is the program and the rest
// the arguments; an unquoted line is tried prefix by prefix at each space ("a b c" tries "a", "a b",
// "a b c") and the first prefix that isProgram accepts is the program, the rest its arguments.
// Arguments are split at blanks, double quotes grouping. nullopt when no prefix is a program.
std::optional<ProcessLaunch> ResolveCommandLine(const std::string& commandLine,
                                                const std::function<bool(const std::string&)>& isProgram);

class CSystemServices {
public:
    virtual ~CSystemServices() = default;

    // Starts a process from a command line, resolved as ResolveCommandLine does; false when nothing
    // could be started. The process is not waited for.
    virtual bool StartCommandLine(const std::string& commandLine);
    // Starts exactly this executable with no arguments: no search, no extension added.
    virtual bool StartApplication(const std::string& path);
    // Today's date in the user's short date format, at most 31 bytes.
    virtual std::string GetShortDate();
    virtual void Sleep(uint32_t milliseconds);
    virtual ProcessorArch GetProcessorArchitecture();

protected:
    // An existing regular file that may be executed; a name without a slash is looked up in PATH.
    virtual bool IsProgram(const std::string& candidate);
    virtual bool Launch(const ProcessLaunch& launch);
};

CSystemServices& GetSystemServices();
// Installs replacement services (a test's); null puts the real ones back. The caller keeps ownership.
void SetSystemServices(CSystemServices* services);

// For tests: knows a set of programs, records what would be started, answers date and architecture.
class CFakeSystemServices : public CSystemServices {
public:
    std::set<std::string> m_programs; // what IsProgram accepts
    bool m_bLaunchFails = false;
    std::vector<ProcessLaunch> m_launches;
    std::string m_strDate = "1/2/2003";
    ProcessorArch m_arch = ProcessorArch::X86;
    std::vector<uint32_t> m_sleeps;

    std::string GetShortDate() override { return m_strDate; }
    void Sleep(uint32_t milliseconds) override { m_sleeps.push_back(milliseconds); }
    ProcessorArch GetProcessorArchitecture() override { return m_arch; }

protected:
    bool IsProgram(const std::string& candidate) override { return m_programs.count(candidate) != 0; }
    bool Launch(const ProcessLaunch& launch) override;
};

// The architecture named by a Qt architecture string ("i386", "x86_64", "arm", "arm64", ...).
ProcessorArch ArchitectureFromName(const std::string& name);

} // namespace fw
