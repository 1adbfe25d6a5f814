#include "tests/support/run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

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

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& directory, const std::vector<std::string>& env) {
    char outTemplate[] = "/tmp/kvx-run-out-XXXXXX";
    char errTemplate[] = "/tmp/kvx-run-err-XXXXXX";
    const int outFd = mkstemp(outTemplate);
    const int errFd = mkstemp(errTemplate);
    close(outFd);
    close(errFd);

    ProgramRun run;
    const pid_t pid = fork();
    if (pid == 0)
        Exec(program, args, directory, env, outTemplate, errTemplate);
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    }
    run.out = ReadFile(outTemplate);
    run.err = ReadFile(errTemplate);
    std::remove(outTemplate);
    std::remove(errTemplate);
    return run;
}
