#include "tests/support/run_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

[[noreturn]] void Exec(const std::string& program, const std::vector<std::string>& args,
                       const std::string& directory, const std::vector<std::string>& env,
                       const std::string& outPath, const std::string& errPath) {
    const int null = open("/dev/null", O_RDONLY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (null < 0 || out < 0 || err < 0 || chdir(directory.c_str()) != 0)
        _exit(127);
    dup2(null, 0);
    dup2(out, 1);
    dup2(err, 2);
    for (const std::string& setting : env) {
        const size_t eq = setting.find('=');
        const std::string name = setting.substr(0, eq);
        const std::string value = setting.substr(eq + 1);
        if (value.empty()) {
            unsetenv(name.c_str());
        } else {
            setenv(name.c_str(), value.c_str(), 1);
        }
    }
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

std::string TemporaryFile(const char* prefix) {
    std::string path = std::string("/tmp/") + prefix + "XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd >= 0)
        close(fd);
    return path;
}

// Ends a program that is still running: first as a user would, so that it
// removes its scratch files on the way out, then for good after a while. A
// program killed outright while it loads would leave them behind, and every
// later run in the same folder would refuse to start.
void Stop(pid_t pid, int& status) {
    kill(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace

StartedProgram::StartedProgram(const std::string& program, const std::vector<std::string>& args,
                               const std::string& directory, const std::vector<std::string>& env)
    : m_outPath(TemporaryFile("kvx-run-out-")), m_errPath(TemporaryFile("kvx-run-err-")) {
    m_pid = fork();
    if (m_pid == 0)
        Exec(program, args, directory, env, m_outPath, m_errPath);
}

StartedProgram::~StartedProgram() {
    if (m_pid > 0) {
        int status = 0;
        Stop(m_pid, status);
    }
    std::remove(m_outPath.c_str());
    std::remove(m_errPath.c_str());
}

void StartedProgram::Signal(int signal) {
    if (m_pid > 0)
        kill(m_pid, signal);
}

ProgramRun StartedProgram::Wait(double timeoutSeconds) {
    ProgramRun run;
    if (m_pid <= 0)
        return run;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    int status = 0;
    bool killed = false;
    pid_t ended = 0;
    while ((ended = waitpid(m_pid, &status, timeoutSeconds > 0.0 ? WNOHANG : 0)) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            Stop(m_pid, status);
            killed = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!killed && ended == m_pid && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    if (!killed && ended == m_pid && WIFSIGNALED(status))
        run.signal = WTERMSIG(status);
    m_pid = -1;
    run.out = ReadFile(m_outPath);
    run.err = ReadFile(m_errPath);
    return run;
}

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& directory, const std::vector<std::string>& env) {
    return StartedProgram(program, args, directory, env).Wait();
}
