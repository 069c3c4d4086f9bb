// Starting programs and asking whether they still run.
#pragma once

#include "platform/rtl/Export.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace zelt {

struct ProcessOptions {
    std::string workingFolder;    // empty: the caller's
    std::vector<std::string> env; // extra "NAME=value" entries on top of the caller's
    std::string stdinFile;        // empty: inherited
    std::string stdoutFile;       // empty: inherited; otherwise created/truncated
    bool mergeStderr = false;     // standard error into the standard output file
    bool detached = false;        // own session, not awaited ("start X")
};

// A started child. Program, arguments, environment entries and the working folder are system
// texts (Windows-1252) and reach the operating system as UTF-8. Destroying the object of a running
// child neither kills nor waits for it: the runtime collects the child once it has ended (at
// the next start or release of a process), so no zombie is left; a detached child is init's.
class ZELT_EXPORT Process {
public:
    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    // argv[0] is looked up on PATH. Raises EOSError when the program cannot be started.
    static Process Start(const std::vector<std::string>& argv, const ProcessOptions& options = {});
    // A command line, run by /bin/sh -c (the counterpart of the command interpreter).
    static Process StartShell(const std::string& commandLine, const ProcessOptions& options = {});

    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }
    // waitpid(WNOHANG): true while the child has not ended.
    bool Running();
    // Waits for the end; the exit code, or 128 + signal number when killed by a signal. A
    // detached child's code goes to init: Wait() then only waits for its end and returns -1.
    int Wait();
    int ExitCode() const { return exitCode_; }

private:
    pid_t pid_ = -1;
    bool ended_ = false;
    int exitCode_ = -1;
    bool detached_ = false;
};

} // namespace zelt
