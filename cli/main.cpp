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

#if defined(__GLIBC__)
#include <malloc.h>
#endif

int main(int argc, char **argv)
{
    using namespace kz::cli;
#if defined(__GLIBC__)
    // Large blocks straight from the system and back to it when freed. glibc would raise this
    // bound to the largest block freed so far and keep later ones in its heap, where the carry
    // graphs of a large base, built one after the other, would add up.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
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
