#include "cli/failure.h"

#include "engine/conversions.h"
#include "kehrzahlen/kehrzahlen.h"

#include <gmp.h>

#include <cstdlib>
#include <new>
#include <unistd.h>

namespace kz::cli {

namespace {

constexpr char kProgram[] = "kehrzaehler-cli: ";

constexpr ExitStatus kExitStatuses[] = {
    {kExitDone, "fertig"},
    {kExitMessage, "Meldung (auf der Standardfehlerausgabe)"},
    {kExitUsage, "falscher Aufruf"},
    {kExitOutput, "Ausgabe konnte nicht geschrieben werden"},
    {kExitInterrupted, "abgebrochen (Strg+C, SIGTERM, SIGHUP)"},
};

// The German refusal of values outside what the digit-pair search takes.
std::string refusalOf(const kehr::LimitError &e)
{
    const std::string range = std::to_string(e.lowest) + " und " + std::to_string(e.highest);
    switch (e.limit) {
    case kehr::Limit::Base:
        return "Die Basis muß zwischen " + range + " liegen";
    case kehr::Limit::Length:
        return "Die Stellenzahl muß zwischen " + range + " liegen";
    case kehr::Limit::Quotient:
        return "Q muß mindestens " + std::to_string(e.lowest) +
               " und kleiner als die Basis S =" + Str(double(e.highest + 1)) + " sein";
    case kehr::Limit::Fraction:
        return "Die erzeugende Funktion dieser Basis hätte mehr als " + std::to_string(e.highest) +
               " Glieder; sie wird nicht berechnet";
    case kehr::Limit::Memory:
        return "Die Liste bis " + std::to_string(e.value) + " Stellen bräuchte mehr als " +
               std::to_string(e.highest) + " MB Arbeitsspeicher";
    case kehr::Limit::Order:
        break;
    }
    return "Der Bereich " + std::to_string(e.lowest) + "-" + std::to_string(e.highest) +
           " ist umgekehrt";
}

// Made before it is needed: nothing can be allocated once memory has run out.
Failure g_outOfMemory;

[[noreturn]] void outOfMemory()
{
    const std::string &line = g_outOfMemory.line;
    if (::write(STDERR_FILENO, line.data(), line.size()) >= 0)
        (void)::write(STDERR_FILENO, "\n", 1);
    _exit(g_outOfMemory.status);
}

void *gmpAllocate(std::size_t size)
{
    void *block = std::malloc(size);
    if (!block)
        outOfMemory();
    return block;
}

void *gmpReallocate(void *old, std::size_t, std::size_t size)
{
    void *block = std::realloc(old, size);
    if (!block)
        outOfMemory();
    return block;
}

void gmpFree(void *block, std::size_t)
{
    std::free(block);
}

} // namespace

std::span<const ExitStatus> exitStatuses()
{
    return kExitStatuses;
}

Failure failureOf(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const UsageError &e) {
        return {kExitUsage, kProgram + std::string(e.what()) + " (Hilfe: kehrzaehler-cli --help)"};
    } catch (const MessageError &e) {
        return {kExitMessage, kProgram + std::string(e.what())};
    } catch (const OutputError &) {
        return {kExitOutput, kProgram + std::string("Ausgabe konnte nicht geschrieben werden")};
    } catch (const Interrupted &) {
        return {kExitInterrupted, "abgebrochen"};
    } catch (const kehr::LimitError &e) {
        return {kExitMessage, kProgram + refusalOf(e)};
    } catch (const std::bad_alloc &) {
        return {kExitMessage, kProgram + std::string("nicht genug Arbeitsspeicher")};
    } catch (const std::exception &e) {
        return {kExitMessage, kProgram + std::string("unerwarteter Fehler: ") + e.what()};
    } catch (...) {
        return {kExitMessage, kProgram + std::string("unerwarteter Fehler")};
    }
}

void endOnGmpOutOfMemory()
{
    g_outOfMemory = failureOf(std::make_exception_ptr(std::bad_alloc()));
    mp_set_memory_functions(gmpAllocate, gmpReallocate, gmpFree);
}

} // namespace kz::cli
