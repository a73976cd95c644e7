#include "clirunner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

constexpr auto kTimeout = std::chrono::seconds(60);

std::string CliPath() {
    return std::string(QUORREL_BIN_DIR) + "/quorrel-cli";
}

void SetNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// Drains what `fd` has now into `out`; false once it is at its end (or the terminal is gone).
bool Drain(int fd, std::string& out) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            out.append(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return true;
        return false; // 0: end of the pipe; EIO: the terminal's last user has gone
    }
}

CliResult Run(const std::vector<std::string>& args, const std::string& input,
              const std::vector<TtyStep>* steps) {
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");

    int master = -1;
    std::string slaveName;
    if (steps) {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
            throw std::runtime_error("no pty");
        slaveName = ptsname(master);
    }

    std::vector<std::string> argvText = {CliPath()};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvText)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        setsid(); // no controlling terminal: the tests never touch the terminal of whoever runs them
        if (steps) {
            // A session leader opening a terminal makes it its controlling terminal.
            if (open(slaveName.c_str(), O_RDWR) < 0)
                _exit(126);
        }
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);

    CliResult result;
    size_t written = 0;
    int inFd = in[1];
    if (input.empty()) {
        close(inFd);
        inFd = -1;
    } else {
        SetNonBlocking(inFd);
    }
    SetNonBlocking(out[0]);
    SetNonBlocking(err[0]);
    if (master >= 0)
        SetNonBlocking(master);

    bool outOpen = true, errOpen = true, ttyOpen = master >= 0;
    size_t step = 0, searchFrom = 0;
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    signal(SIGPIPE, SIG_IGN);
    while (outOpen || errOpen) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            break;
        }
        pollfd fds[4];
        int count = 0;
        fds[count++] = {outOpen ? out[0] : -1, POLLIN, 0};
        fds[count++] = {errOpen ? err[0] : -1, POLLIN, 0};
        fds[count++] = {ttyOpen ? master : -1, POLLIN, 0};
        fds[count++] = {inFd, POLLOUT, 0};
        poll(fds, static_cast<nfds_t>(count), 100);

        if (outOpen)
            outOpen = Drain(out[0], result.strOut);
        if (errOpen)
            errOpen = Drain(err[0], result.strErr);
        if (ttyOpen && (fds[2].revents & (POLLIN | POLLHUP | POLLERR)))
            ttyOpen = Drain(master, result.strTty);
        if (inFd >= 0 && (fds[3].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n = write(inFd, input.data() + written, input.size() - written);
            if (n > 0)
                written += static_cast<size_t>(n);
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                written = input.size();
            if (written == input.size()) {
                close(inFd);
                inFd = -1;
            }
        }
        if (steps && step < steps->size()) {
            const size_t at = result.strErr.find((*steps)[step].strWaitFor, searchFrom);
            if (at != std::string::npos) {
                const std::string& text = (*steps)[step].strType;
                if (write(master, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
                    throw std::runtime_error("typing on the pty failed");
                searchFrom = at + (*steps)[step].strWaitFor.size();
                ++step;
            }
        }
    }
    if (inFd >= 0)
        close(inFd);
    close(out[0]);
    close(err[0]);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (master >= 0) {
        Drain(master, result.strTty);
        close(master);
    }
    result.nExit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

} // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& input) {
    return Run(args, input, nullptr);
}

CliResult RunCliOnTerminal(const std::vector<std::string>& args, const std::vector<TtyStep>& steps) {
    return Run(args, {}, &steps);
}

CTempDir::CTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorrel-cli-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

CTempDir::~CTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}
