#pragma once
// Runs one of the built programs as a script would: no input, standard output and error
// captured together, the exit code returned.
#include <cerrno>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

struct ProgramResult {
    int exitCode = -1; // -1 when the program could not be started or did not exit by itself
    std::string output;
};

// The path of a program built beside the tests ("tunesheet-cli" becomes tunesheet-cli.exe on Windows).
inline std::string builtProgram(const std::string& name)
{
#ifdef _WIN32
    return std::string(TUNESHEET_BIN_DIR) + "/" + name + ".exe";
#else
    return std::string(TUNESHEET_BIN_DIR) + "/" + name;
#endif
}

#ifdef _WIN32
// One argument as the C runtime's command-line parser reads it back: quoted, with backslashes
// doubled only where they precede a quote.
inline std::string quoteArgument(const std::string& arg)
{
    std::string q = "\"";
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        q.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        q += c;
    }
    q.append(2 * backslashes, '\\');
    return q + "\"";
}

inline ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args)
{
    ProgramResult r;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return r;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    HANDLE nul = ::CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    std::string line = quoteArgument(program);
    for (const auto& a : args)
        line += " " + quoteArgument(a);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nul;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    PROCESS_INFORMATION pi{};
    const bool started = ::CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    ::CloseHandle(writeEnd);
    if (nul != INVALID_HANDLE_VALUE)
        ::CloseHandle(nul);
    if (started) {
        char buf[4096];
        DWORD n = 0;
        while (::ReadFile(readEnd, buf, sizeof buf, &n, nullptr) && n > 0)
            r.output.append(buf, n);
        ::WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD code = 0;
        if (::GetExitCodeProcess(pi.hProcess, &code))
            r.exitCode = static_cast<int>(code);
        ::CloseHandle(pi.hProcess);
        ::CloseHandle(pi.hThread);
    }
    ::CloseHandle(readEnd);
    return r;
}
#else
inline ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args)
{
    ProgramResult r;
    int fds[2];
    if (::pipe(fds) != 0)
        return r;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_RDONLY);
        ::dup2(null, 0);
        ::dup2(fds[1], 1);
        ::dup2(fds[1], 2);
        ::close(fds[0]);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) != 0) {
        if (n > 0)
            r.output.append(buf, static_cast<std::size_t>(n));
        else if (errno != EINTR)
            break;
    }
    ::close(fds[0]);
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        r.exitCode = WEXITSTATUS(status);
    return r;
}
#endif
