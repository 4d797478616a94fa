#include "cli/run.h"

#include "cli/digitpairs.h"
#include "cli/search.h"
#include "engine/texts.h"
#include "engine/version.h"

namespace kz::cli {

void run(const Options &options, Output &out, std::atomic<bool> &stop)
{
    switch (options.mode) {
    case Mode::Search:
        return runSearch(options, out, stop);
    case Mode::SingleCase:
        return runSingleCase(options, out);
    case Mode::List:
        return runList(options, out, stop);
    case Mode::Count:
        return runCount(options, out, stop);
    case Mode::Multiplikatoren:
        return runMultiplikatoren(options, out, stop);
    case Mode::Graph:
        return runGraph(options, out, stop);
    case Mode::Erzeugende:
        return runErzeugende(options, out, stop);
    case Mode::Help:
        out.write(usage());
        return;
    case Mode::Version:
        out.write(std::string(texts::kProgramTitle) + " " + kVersion + "\n");
        return;
    }
}

} // namespace kz::cli
