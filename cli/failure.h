// How kehrzaehler-cli ends when it does not end with its result: the errors thrown where a
// failure is found, and the one line and exit status main makes of each.
#pragma once

#include <exception>
#include <span>
#include <stdexcept>
#include <string>

namespace kz::cli {

// The exit statuses with what each means, as the help lists them.
struct ExitStatus {
    int status;
    const char *meaning;
};
inline constexpr int kExitDone = 0;
inline constexpr int kExitMessage = 2;
inline constexpr int kExitUsage = 64;
inline constexpr int kExitOutput = 74;
inline constexpr int kExitInterrupted = 130;
std::span<const ExitStatus> exitStatuses();

// The command line asks for something the program does not take; the text says what, in German.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A message box of the search, or values the digit-pair modes refuse; the text is the message.
class MessageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Standard output could not be written.
class OutputError : public std::runtime_error {
  public:
    OutputError() : std::runtime_error("output failed") {}
};

// A signal stopped the run after its finished output was written.
class Interrupted : public std::runtime_error {
  public:
    Interrupted() : std::runtime_error("interrupted") {}
};

struct Failure {
    int status;
    std::string line; // for standard error, without its line end
};

// The German line and exit status for whatever ended the run.
Failure failureOf(std::exception_ptr error);

// GMP cannot hand a failed allocation back to its caller and would abort; from now on such a
// failure ends the program with the line and status of a std::bad_alloc instead.
void endOnGmpOutOfMemory();

} // namespace kz::cli
