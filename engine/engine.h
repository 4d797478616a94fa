// The search engine: the procedures of the window that test numbers, run searches, test a single
// typed number and step the parameter fields. It owns the form-level variables and reaches the
// window only through WindowOperations, so it runs the same with the Qt window or with none.
#pragma once

#include "engine/formvariables.h"
#include "engine/windowoperations.h"

#include <string>

namespace kz {

class Engine {
  public:
    explicit Engine(WindowOperations &window) : m_window(window) {}
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;

    FormVariables &vars() { return m_vars; }
    const FormVariables &vars() const { return m_vars; }

    // Tests Zahl in base Basis and appends the entry of a hit that no filter hides.
    void PruefeZahl();

    void Command1_Click(); // search run over the bounds and base in the fields
    // The search run of Command1_Click without its end marker: true when it ran to its end, false
    // when it was refused or stopped. Stretches of a split search are listed without their own.
    bool runSearch();
    void Command2_Click();      // clears the result list
    void Command3_Click();      // asks a running search to stop
    void cmdEinzelfall_Click(); // single-case test of the number typed in base S
    void cmdEnde_Click();       // stops any search and ends the program

    void Command4_Click(); // base + 1
    void Command5_Click(); // base - 1, only from above 2
    void Command6_Click(); // lower bound up a decade, at most 10^8 and the upper bound
    void Command7_Click(); // lower bound down a decade, at least 1
    void Command8_Click(); // upper bound up a decade, at most 10^8
    void Command9_Click(); // upper bound down a decade, at least 1 and the lower bound

  private:
    // The number test after its stop check and yield; emit false replays it without output.
    void testZahl(bool emit);
    // Takes off the digits of value in base S into digits(1..count), least significant first.
    // False when they cannot be computed (Mod out of range, or more than 100 digits).
    bool takeOffDigits(double &value, double base, FormVariables::Digits &digits);
    // Builds the entry of a hit (n, m, S and the digits of n are in the variables) and appends it
    // when emit is true.
    void appendEntry(double quotient, bool emit);
    // Moves Zahl past numbers that no test can compute; true when it moved.
    bool skipUntestable(double end);
    // Whether the search can go on in a tight loop from the current Zahl and Basis.
    bool canRunFast(double end) const;
    // Tests numbers from Zahl on in a tight loop until its stretch of the range ends or a handler
    // run in one of its yields changed the state; leaves the variables as the one-by-one loop
    // would, with Zahl at the next number to test.
    void runFast(double end);
    template <typename Counter> void runCounted(Counter counter);

    FormVariables m_vars;
    std::uint32_t m_yieldCountdown = 0; // numbers left until the tight loop yields
    WindowOperations &m_window;
};

} // namespace kz
