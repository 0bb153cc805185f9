#pragma once
// Starting programs and opening documents.

#include <string>
#include <vector>

namespace platform::core {

struct TStartResult {
    bool Ok = false;
    int Error = 0;          // errno of the failure
    std::string Message;    // readable reason
};

// Starts the file as a new process with its own path as the only argument (argv[0]) and no
// shell, in the file's folder as working directory when chdirToFolder is set. The child is
// detached (own session) and reaped; the call does not wait for it. Failure to execute (missing
// file, not executable, exec failure) is reported: the call returns once exec has succeeded or
// failed. The program gets the caller's environment, an empty signal mask, default signal
// dispositions and no open descriptors beyond 0..2. With chdirToFolder a relative path is made
// absolute first (that absolute path is then argv[0]). A path holding a NUL byte is refused.
TStartResult StartProgram(const std::string& path, bool chdirToFolder = false);

// Starts args[0] (a path) with the arguments args, in workDir when it is not empty, detached and
// without a shell, the same way as StartProgram.
TStartResult StartProgramWith(const std::vector<std::string>& args, const std::string& workDir);

// The path of an executable file named on PATH, or "" when there is none.
std::string FindProgramOnPath(const std::string& name);

// Hands a URL or a path to the desktop's opener (xdg-open, found on PATH), detached, the same way
// as StartProgram. Reports failure to start it (not whether the opener then finds a program).
TStartResult OpenDocument(const std::string& urlOrPath);

}  // namespace platform::core
