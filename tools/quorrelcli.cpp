// quorrel-cli: card files from the command line, for scripts, backups and moving cards between files.
#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cardstore/cardfile.h"
#include "cardstore/cardstore.h"
#include "cardstore/passwordkey.h"
#include "cardstore/safefile.h"
#include "tools/clijson.h"

#ifndef QUORREL_VERSION
#define QUORREL_VERSION "1.1"
#endif

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] = "Usage: quorrel-cli info FILE [--password-stdin]\n"
                          "       quorrel-cli export FILE [--password-stdin] [-o OUT]\n"
                          "       quorrel-cli import IN.json OUT [--encrypt] [--password-stdin]\n"
                          "       quorrel-cli --help | --version\n";

constexpr char kHelp[] =
    "\n"
    "Commands:\n"
    "  info FILE          show the kind, version text and body length of a card file, and its\n"
    "                     card count when the cards can be read\n"
    "  export FILE        write the cards of a card file as JSON to standard output\n"
    "  import IN.json OUT make the card file OUT from JSON (IN.json may be - for standard input)\n"
    "  help               show this text\n"
    "\n"
    "Options:\n"
    "  --password-stdin   read the password from the first line of standard input\n"
    "  -o, --output OUT   export: write the JSON into OUT (readable by its owner only)\n"
    "  --encrypt          import: write an encrypted card file (the password is asked twice on\n"
    "                     the terminal unless --password-stdin is given)\n"
    "  -h, --help         show this text\n"
    "  --version          show the version\n"
    "\n"
    "A password is never taken from the command line. Without --password-stdin it is asked on the\n"
    "terminal with echo off.\n"
    "\n"
    "Exit status: 0 success, 1 the operation was refused or failed, 2 usage error.\n";

void PrintError(const std::string& message) {
    std::fprintf(stderr, "quorrel-cli: %s\n", message.c_str());
}

int UsageError(const std::string& message) {
    PrintError(message);
    std::fputs(kUsage, stderr);
    std::fputs("Try 'quorrel-cli --help' for more information.\n", stderr);
    return kExitUsage;
}

void WipeBytes(std::vector<uint8_t>& bytes) {
    if (!bytes.empty())
        explicit_bzero(bytes.data(), bytes.size());
}

// Wipes the password when it goes out of scope, whichever way the command ends.
class CPasswordGuard {
public:
    explicit CPasswordGuard(std::string& password) : m_strPassword(password) {}
    ~CPasswordGuard() { WipeString(m_strPassword); }
    CPasswordGuard(const CPasswordGuard&) = delete;
    CPasswordGuard& operator=(const CPasswordGuard&) = delete;

private:
    std::string& m_strPassword;
};

// Adds one byte to a secret; a regrowth would leave the old buffer's bytes in freed memory, so the old
// buffer is wiped and the text moved into a larger one by hand.
void AppendSecret(std::string& secret, char c) {
    if (secret.size() == secret.capacity()) {
        std::string larger;
        larger.reserve(secret.capacity() * 2 + 64);
        larger.assign(secret);
        WipeString(secret);
        secret.swap(larger);
    }
    secret += c;
}

enum class LineResult { kLine, kEndOfInput, kError };

// One line from `fd`, read a byte at a time so nothing after the line is consumed. The line break
// (\n or \r\n) is not part of the line.
LineResult ReadLine(int fd, std::string& line) {
    line.clear();
    line.reserve(128);
    bool bAny = false;
    for (;;) {
        char c = 0;
        const ssize_t n = read(fd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return LineResult::kError;
        if (n == 0)
            return bAny ? LineResult::kLine : LineResult::kEndOfInput;
        bAny = true;
        if (c == '\n')
            break;
        AppendSecret(line, c);
    }
    // A carriage return belongs to the line break only when a \n follows it.
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return LineResult::kLine;
}

// The terminal's settings while echo is off, so a signal can put them back before the program dies.
int g_ttyFd = -1;
termios g_ttySaved{};

extern "C" void RestoreTerminalAndDie(int sig) {
    if (g_ttyFd >= 0)
        tcsetattr(g_ttyFd, TCSANOW, &g_ttySaved);
    signal(sig, SIG_DFL);
    raise(sig);
}

constexpr int kTerminalSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Asks on the controlling terminal with echo off, the prompt on standard error. nullopt when there is
// no terminal or the user ends the input; `error` then says why.
std::optional<std::string> AskTerminal(const std::string& prompt, std::string& error) {
    const int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = "no terminal to ask for the password; give it with --password-stdin";
        return std::nullopt;
    }
    termios saved{};
    if (tcgetattr(fd, &saved) != 0) {
        close(fd);
        error = "no terminal to ask for the password; give it with --password-stdin";
        return std::nullopt;
    }
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK);
    quiet.c_lflag |= ECHONL;

    g_ttySaved = saved;
    g_ttyFd = fd;
    struct sigaction action {};
    action.sa_handler = RestoreTerminalAndDie;
    sigemptyset(&action.sa_mask);
    struct sigaction previous[std::size(kTerminalSignals)];
    for (size_t i = 0; i < std::size(kTerminalSignals); ++i)
        sigaction(kTerminalSignals[i], &action, &previous[i]);

    // Echo goes off before the prompt shows, so nothing typed after the prompt is ever echoed.
    tcsetattr(fd, TCSAFLUSH, &quiet);
    std::fputs(prompt.c_str(), stderr);
    std::fflush(stderr);
    std::string line;
    const LineResult result = ReadLine(fd, line);
    tcsetattr(fd, TCSAFLUSH, &saved);

    g_ttyFd = -1;
    for (size_t i = 0; i < std::size(kTerminalSignals); ++i)
        sigaction(kTerminalSignals[i], &previous[i], nullptr);
    close(fd);

    if (result != LineResult::kLine) {
        WipeString(line);
        if (result == LineResult::kEndOfInput)
            std::fputc('\n', stderr);
        error = result == LineResult::kEndOfInput ? "no password entered" : "cannot read the terminal";
        return std::nullopt;
    }
    return line;
}

std::optional<std::string> ReadPasswordFromStdin(std::string& error) {
    std::string line;
    const LineResult result = ReadLine(STDIN_FILENO, line);
    if (result == LineResult::kLine)
        return line;
    WipeString(line);
    error = result == LineResult::kEndOfInput
                ? "no password on standard input"
                : std::string("cannot read standard input: ") + std::strerror(errno);
    return std::nullopt;
}

struct COptions {
    std::string strCommand;
    std::vector<std::string> positional;
    std::optional<std::string> output;
    bool bPasswordStdin = false;
    bool bEncrypt = false;
};

enum class ParseResult { kRun, kHelp, kVersion, kUsage };

ParseResult ParseArguments(int argc, char** argv, COptions& options, std::string& error) {
    if (argc < 2) {
        error = "no command given";
        return ParseResult::kUsage;
    }
    const std::string_view first = argv[1];
    if (first == "--help" || first == "-h" || first == "help")
        return ParseResult::kHelp;
    if (first == "--version")
        return ParseResult::kVersion;
    if (first != "info" && first != "export" && first != "import") {
        error = first.starts_with("-") ? "unknown option '" + std::string(first) + "'"
                                       : "unknown command '" + std::string(first) + "'";
        return ParseResult::kUsage;
    }
    options.strCommand = first;

    bool bOptionsEnded = false;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (bOptionsEnded || arg == "-" || !arg.starts_with("-")) {
            options.positional.emplace_back(arg);
        } else if (arg == "--") {
            bOptionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            return ParseResult::kHelp;
        } else if (arg == "--version") {
            return ParseResult::kVersion;
        } else if (arg == "--password-stdin") {
            options.bPasswordStdin = true;
        } else if (arg == "--encrypt" && options.strCommand == "import") {
            options.bEncrypt = true;
        } else if ((arg == "-o" || arg == "--output") && options.strCommand == "export") {
            if (i + 1 >= argc) {
                error = "option '" + std::string(arg) + "' needs a file name";
                return ParseResult::kUsage;
            }
            options.output = argv[++i];
        } else if (arg.starts_with("--output=") && options.strCommand == "export") {
            options.output = std::string(arg.substr(9));
        } else if (arg.starts_with("--password") || arg == "-p") {
            error = "a password is never taken from the command line; use --password-stdin";
            return ParseResult::kUsage;
        } else {
            error = "unknown option '" + std::string(arg) + "' for " + options.strCommand;
            return ParseResult::kUsage;
        }
    }

    const size_t wanted = options.strCommand == "import" ? 2 : 1;
    if (options.positional.size() != wanted) {
        error = options.positional.size() < wanted ? "missing file name for " + options.strCommand
                                                   : "too many file names for " + options.strCommand;
        return ParseResult::kUsage;
    }
    if (options.output && options.output->empty()) {
        error = "empty output file name";
        return ParseResult::kUsage;
    }
    if (options.strCommand == "import" && options.bPasswordStdin) {
        if (!options.bEncrypt) {
            error = "--password-stdin needs --encrypt: a plain card file has no password";
            return ParseResult::kUsage;
        }
        if (options.positional[0] == "-") {
            error = "standard input cannot carry both the password and the JSON";
            return ParseResult::kUsage;
        }
    }
    return ParseResult::kRun;
}

// True when both names lead to one existing file, which writing the one would destroy the other.
bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// The card file's version text for display: the bytes after the marker, unprintable ones escaped.
std::string VersionText(const std::vector<uint8_t>& file) {
    std::string text;
    for (size_t i = 9; i < file.size() && i < kHeaderSize; ++i) {
        const uint8_t b = file[i];
        if (b >= 0x20 && b < 0x7F) {
            text += static_cast<char>(b);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            text += hex;
        }
    }
    return text;
}

// Reads and decodes a card file into `store`. Messages go to standard error; false when the cards
// cannot be read (and a message has been printed).
class CCardFileReader {
public:
    CCardFileReader(std::string path, bool bPasswordStdin)
        : m_strPath(std::move(path)), m_bPasswordStdin(bPasswordStdin) {}
    ~CCardFileReader() { WipeBytes(m_file); }
    CCardFileReader(const CCardFileReader&) = delete;
    CCardFileReader& operator=(const CCardFileReader&) = delete;

    bool ReadFile() {
        std::string error;
        std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(m_strPath, &error);
        if (!bytes) {
            PrintError(error.empty() ? m_strPath + ": cannot read the file" : error);
            return false;
        }
        m_file = std::move(*bytes);
        if (m_file.empty()) {
            PrintError(m_strPath + ": the file is empty");
            return false;
        }
        return true;
    }

    const std::vector<uint8_t>& GetFile() const { return m_file; }
    bool IsEncrypted() const { return IsEncryptedFile(m_file); }

    bool LoadCards(CCardStore& store) {
        m_bMessage = false;
        const MessageSink sink = [this](const std::string& message) {
            m_bMessage = true;
            PrintError(message);
        };
        if (!IsEncrypted()) {
            if (LoadPlain(store, m_file, sink))
                return true;
            if (!m_bMessage)
                PrintError(m_strPath + ": the cards cannot be read");
            return false;
        }
        // An encrypted file of a version this program cannot read is refused before anyone types a
        // password for it.
        if (m_file.size() >= kHeaderSize && !HasVersion(kVersion1001) && !HasVersion(kVersion1002)) {
            PrintError(m_strPath + ": unknown card file version \"" + VersionText(m_file) + "\"");
            return false;
        }
        std::string promptError;
        // An empty entry is the reader's to refuse, with the desktop program's two messages.
        const PasswordPrompt prompt = [&]() -> std::optional<std::string> {
            return m_bPasswordStdin ? ReadPasswordFromStdin(promptError)
                                    : AskTerminal("Password for " + m_strPath + ": ", promptError);
        };
        if (LoadEncrypted(store, m_file, prompt, sink))
            return true;
        if (!promptError.empty()) {
            PrintError(promptError);
        } else if (!m_bMessage) {
            PrintError(m_strPath + ": the cards cannot be read");
        }
        return false;
    }

private:
    bool HasVersion(const char* version) const {
        return std::memcmp(m_file.data() + 9, version, kHeaderSize - 9) == 0;
    }

    std::string m_strPath;
    bool m_bPasswordStdin;
    std::vector<uint8_t> m_file;
    bool m_bMessage = false;
};

int OnInfo(const COptions& options) {
    CCardFileReader reader(options.positional[0], options.bPasswordStdin);
    if (!reader.ReadFile())
        return kExitFailure;
    const std::vector<uint8_t>& file = reader.GetFile();
    const bool bEncrypted = reader.IsEncrypted();

    std::optional<int32_t> cards;
    if (!bEncrypted || options.bPasswordStdin) {
        CCardStore store;
        if (!reader.LoadCards(store))
            return kExitFailure;
        cards = store.GetTotalCardCount();
    }
    std::printf("kind: %s\n", bEncrypted ? "encrypted" : "plain");
    std::printf("version: %s\n", VersionText(file).c_str());
    std::printf("body length: %zu\n", file.size() > kHeaderSize ? file.size() - kHeaderSize : size_t{0});
    if (cards)
        std::printf("cards: %d\n", *cards);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        PrintError(std::string("cannot write standard output: ") + std::strerror(errno));
        return kExitFailure;
    }
    return kExitOk;
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

int OnExport(const COptions& options) {
    const std::string& path = options.positional[0];
    if (options.output && IsSameFile(path, *options.output)) {
        PrintError(*options.output + ": is the card file itself; the export would overwrite it");
        return kExitFailure;
    }
    CCardFileReader reader(path, options.bPasswordStdin);
    if (!reader.ReadFile())
        return kExitFailure;
    CCardStore store;
    if (!reader.LoadCards(store))
        return kExitFailure;

    std::string text = CardsToJson(store).dump(2) + "\n";
    int result = kExitOk;
    if (!options.output) {
        if (!WriteAll(STDOUT_FILENO, text)) {
            PrintError(std::string("cannot write standard output: ") + std::strerror(errno));
            result = kExitFailure;
        }
    } else {
        const std::string& out = *options.output;
        // The export holds every secret in clear: an existing file is narrowed to its owner first, so
        // the writer, which keeps a target's permission bits, never makes it readable by others.
        struct stat st {};
        if (stat(out.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            chmod(out.c_str(), S_IRUSR | S_IWUSR);
        CSafeFileWriter writer;
        if (!writer.Open(out) || !writer.Write(reinterpret_cast<const uint8_t*>(text.data()), text.size()) ||
            !writer.Commit()) {
            PrintError(writer.GetError().empty() ? out + ": cannot write the file" : writer.GetError());
            writer.Abort();
            result = kExitFailure;
        }
    }
    WipeString(text);
    return result;
}

// The password for a new encrypted file: from standard input, or typed twice on the terminal.
std::optional<std::string> NewPassword(const COptions& options, std::string& error) {
    if (options.bPasswordStdin)
        return ReadPasswordFromStdin(error);
    std::optional<std::string> first = AskTerminal("New password for " + options.positional[1] + ": ", error);
    if (!first)
        return std::nullopt;
    std::optional<std::string> second = AskTerminal("Repeat the password: ", error);
    if (!second) {
        WipeString(*first);
        return std::nullopt;
    }
    const bool bSame = *first == *second;
    WipeString(*second);
    if (!bSame) {
        WipeString(*first);
        error = "Password not correct, try again!";
        return std::nullopt;
    }
    return first;
}

bool ReadAllStdin(std::string& text, std::string& error) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = std::string("cannot read standard input: ") + std::strerror(errno);
            explicit_bzero(buffer, sizeof buffer);
            return false;
        }
        if (n == 0)
            break;
        for (ssize_t i = 0; i < n; ++i)
            AppendSecret(text, buffer[i]);
    }
    explicit_bzero(buffer, sizeof buffer);
    return true;
}

int OnImport(const COptions& options) {
    const std::string& in = options.positional[0];
    const std::string& out = options.positional[1];
    const bool bStdin = in == "-";
    const std::string inName = bStdin ? "standard input" : in;
    if (!bStdin && IsSameFile(in, out)) {
        PrintError(out + ": is the JSON file itself; the import would overwrite it");
        return kExitFailure;
    }

    std::string text;
    CPasswordGuard textGuard(text); // the JSON holds the secrets in clear
    std::string error;
    if (bStdin) {
        if (!ReadAllStdin(text, error)) {
            PrintError(error);
            return kExitFailure;
        }
    } else {
        std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(in, &error);
        if (!bytes) {
            PrintError(error.empty() ? in + ": cannot read the file" : error);
            return kExitFailure;
        }
        text.assign(bytes->begin(), bytes->end());
        WipeBytes(*bytes);
    }

    CCardStore store;
    if (!CardsFromJson(text, store, error)) {
        PrintError(inName + ": " + error);
        return kExitFailure;
    }

    if (options.bEncrypt) {
        std::optional<std::string> password = NewPassword(options, error);
        if (!password) {
            PrintError(error);
            return kExitFailure;
        }
        CPasswordGuard passwordGuard(*password);
        if (!IsPasswordLongEnough(*password)) {
            PrintError("Password to short, please use more characters!");
            return kExitFailure;
        }
        store.m_strPassword = *password;
        store.m_bEncryptOnSave = 1;
    }

    const MessageSink sink = [](const std::string& message) { PrintError(message); };
    CSafeFileWriter writer;
    if (!writer.Open(out)) {
        PrintError(writer.GetError().empty() ? out + ": cannot write the file" : writer.GetError());
        return kExitFailure;
    }
    const bool bSaved =
        options.bEncrypt ? SaveEncrypted(store, writer, sink) : SavePlain(store, writer, sink);
    if (!bSaved || !writer.Commit()) {
        PrintError(writer.GetError().empty() ? out + ": the card file was not written" : writer.GetError());
        writer.Abort();
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    // A crash must not leave the cards or a password on disk in a core file.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);

    COptions options;
    std::string error;
    switch (ParseArguments(argc, argv, options, error)) {
    case ParseResult::kHelp:
        std::fputs(kUsage, stdout);
        std::fputs(kHelp, stdout);
        return kExitOk;
    case ParseResult::kVersion:
        std::puts("quorrel-cli " QUORREL_VERSION);
        return kExitOk;
    case ParseResult::kUsage:
        return UsageError(error);
    case ParseResult::kRun:
        break;
    }
    if (options.strCommand == "info")
        return OnInfo(options);
    if (options.strCommand == "export")
        return OnExport(options);
    return OnImport(options);
}
