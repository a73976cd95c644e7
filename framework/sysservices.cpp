#include "framework/sysservices.h"

#include "framework/textcodec.h"

#include <QDate>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QSysInfo>
#include <QThread>

namespace fw {

namespace {

CSystemServices g_realServices;
CSystemServices* g_pServices = nullptr;

// Splits at blanks; double quotes group and are dropped.
std::vector<std::string> SplitArguments(const std::string& text) {
    std::vector<std::string> args;
    std::string current;
    bool inQuotes = false, any = false;
    for (const char c : text) {
        if (c == '"') {
            inQuotes = !inQuotes;
            any = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (any) {
                args.push_back(current);
                current.clear();
                any = false;
            }
        } else {
            current += c;
            any = true;
        }
    }
    if (any) {
        args.push_back(current);
    }
    return args;
}

} // namespace

std::optional<ProcessLaunch> ResolveCommandLine(const std::string& commandLine,
                                                const std::function<bool(const std::string&)>& isProgram) {
    const size_t start = commandLine.find_first_not_of(" \t");
    if (start == std::string::npos) {
        return std::nullopt;
    }
    const std::string line = commandLine.substr(start);
    if (line.front() == '"') {
        const size_t close = line.find('"', 1);
        const std::string program =
            line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        if (program.empty() || !isProgram(program)) {
            return std::nullopt;
        }
        const std::string rest = close == std::string::npos ? std::string() : line.substr(close + 1);
        return ProcessLaunch{program, SplitArguments(rest)};
    }
    // Each blank ends a candidate path; the whole line is the last candidate.
    for (size_t pos = 0;; ++pos) {
        pos = line.find_first_of(" \t", pos);
        const std::string candidate = line.substr(0, pos);
        if (!candidate.empty() && candidate.back() != ' ' && candidate.back() != '\t' &&
            isProgram(candidate)) {
            const std::string rest = pos == std::string::npos ? std::string() : line.substr(pos + 1);
            return ProcessLaunch{candidate, SplitArguments(rest)};
        }
        if (pos == std::string::npos) {
            return std::nullopt;
        }
    }
}

bool CSystemServices::StartCommandLine(const std::string& commandLine) {
    const auto launch =
        ResolveCommandLine(commandLine, [this](const std::string& c) { return IsProgram(c); });
    return launch && Launch(*launch);
}

bool CSystemServices::StartApplication(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    // Exactly this file: a name without a directory is not looked up in PATH.
    std::string exact = path;
    if (exact.find('/') == std::string::npos) {
        exact = "./" + exact;
    }
    const QFileInfo info(BytesToQString(exact));
    if (!info.isFile() || !info.isExecutable()) {
        return false;
    }
    return Launch(ProcessLaunch{QStringToBytes(info.absoluteFilePath()), {}});
}

std::string CSystemServices::GetShortDate() {
    const QString text = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    return TruncateUtf8(QStringToBytes(text), 31);
}

void CSystemServices::Sleep(uint32_t milliseconds) {
    QThread::msleep(milliseconds);
}

ProcessorArch CSystemServices::GetProcessorArchitecture() {
    return ArchitectureFromName(QSysInfo::currentCpuArchitecture().toStdString());
}

bool CSystemServices::IsProgram(const std::string& candidate) {
    const QString name = BytesToQString(candidate);
    if (candidate.find('/') == std::string::npos) {
        return !QStandardPaths::findExecutable(name).isEmpty();
    }
    const QFileInfo info(name);
    return info.isFile() && info.isExecutable();
}

bool CSystemServices::Launch(const ProcessLaunch& launch) {
    QStringList args;
    for (const std::string& a : launch.arguments) {
        args << BytesToQString(a);
    }
    QString program = BytesToQString(launch.program);
    if (launch.program.find('/') == std::string::npos) {
        const QString found = QStandardPaths::findExecutable(program);
        if (found.isEmpty()) {
            return false;
        }
        program = found;
    }
    return QProcess::startDetached(program, args);
}

bool CFakeSystemServices::Launch(const ProcessLaunch& launch) {
    if (m_bLaunchFails) {
        return false;
    }
    m_launches.push_back(launch);
    return true;
}

ProcessorArch ArchitectureFromName(const std::string& name) {
    if (name == "i386" || name == "i486" || name == "i586" || name == "i686" || name == "x86") {
        return ProcessorArch::X86;
    }
    if (name == "x86_64" || name == "amd64") {
        return ProcessorArch::X86_64;
    }
    if (name == "arm" || name.rfind("armv", 0) == 0) {
        return ProcessorArch::Arm;
    }
    if (name == "arm64" || name == "aarch64") {
        return ProcessorArch::Arm64;
    }
    return ProcessorArch::Other;
}

CSystemServices& GetSystemServices() {
    return g_pServices ? *g_pServices : g_realServices;
}

void SetSystemServices(CSystemServices* services) {
    g_pServices = services;
}

} // namespace fw
