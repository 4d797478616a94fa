// kehrzaehler-cli: the search engine without a window, and the digit-pair search of Kehrzahlen of
// any length. Writes the final text of the result list to standard output, byte for byte; every
// failure ends here, with one German line on standard error and its exit status.
#include "cli/failure.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/run.h"
#include "cli/stopsignals.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    using namespace kz::cli;
    endOnGmpOutOfMemory();
    StopSignals signals;
    Output out(STDOUT_FILENO);
    try {
        run(parseOptions({argv + 1, argv + argc}), out, signals.flag());
        if (!out.finish())
            throw OutputError();
        if (signals.received())
            throw Interrupted();
        return kExitDone;
    } catch (...) {
        const Failure failure = failureOf(std::current_exception());
        // What was finished before the failure still goes out.
        (void)out.finish();
        std::fprintf(stderr, "%s\n", failure.line.c_str());
        return failure.status;
    }
}
