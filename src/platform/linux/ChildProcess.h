#pragma once
// Starting other programs without a shell: the arguments go through as argv entries, so no
// character in them is ever interpreted.
#include <optional>
#include <string>
#include <vector>

namespace vexmo {

// Full path of `program` found on $PATH (or `program` itself when it holds a '/' and is
// executable); empty when there is none.
std::string FindProgram(const std::string& program);

// Starts `argv` (argv[0] looked up on $PATH) and does not wait; the child is reaped by a
// thread of ours. False when it could not be started.
bool SpawnDetached(const std::vector<std::string>& argv);

struct ProcessOutput {
    int exitCode = -1; // -1 when killed by a signal
    std::string stdoutText;
};

// Starts `argv`, collects its standard output and waits for it to end. Empty when the program
// could not be started. The program's standard input is /dev/null.
std::optional<ProcessOutput> RunAndCapture(const std::vector<std::string>& argv);

} // namespace vexmo
