#pragma once

#include <string>
#include <vector>

// The outcome of running a program to its end.
struct ProgramRun {
    int exitCode = -1;  // -1 when it did not exit normally
    int signal = 0;     // the signal that ended it, if one did (not a timeout's kill)
    std::string out;
    std::string err;
};

// A program started in the background with its output going to temporary
// files; if it is still running when this object goes away it is asked to
// end, and killed when it does not.
class StartedProgram {
  public:
    // Starts program with args in directory and extra environment settings,
    // as RunProgram does.
    StartedProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::string& directory, const std::vector<std::string>& env = {});
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    // Waits for the program to end, at most timeoutSeconds when that is
    // positive; a program still running then is asked to end, then killed
    // (exitCode -1).
    ProgramRun Wait(double timeoutSeconds = 0.0);
    int Pid() const { return m_pid; }
    // Sends the signal to the program while it runs.
    void Signal(int signal);

  private:
    int m_pid = -1;
    std::string m_outPath;
    std::string m_errPath;
};

// Runs program with args in directory, with extra environment settings
// ("NAME=value", or "NAME=" followed by nothing to remove NAME), and waits for
// it. Standard input is empty.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& directory, const std::vector<std::string>& env = {});
