// corvane3d-cli: the editor's core without a window, for batch work and scripts.

#include "cli/CommandLine.h"
#include "platform/AppFolder.h"

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Past a file-size limit a write then fails with EFBIG, and the write's own
    // clean-up removes what it began, instead of the signal ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    return corvane::cli::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                                        corvane::ProgramDataFolder(corvane::CurrentExecutable(), "lang"));
}
