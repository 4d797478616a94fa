#include "engine/conversions.h"
#include "engine/engine.h"
#include "engine/searchlimits.h"
#include "engine/texts.h"

#include <cmath>
#include <limits>

namespace kz {

bool Engine::skipUntestable(double end)
{
    auto &v = m_vars;
    if (v.Zahl < kLowestTestable) {
        // Counting up one by one from far below would take ages (or, beyond 2^53, never move).
        double landing = v.Zahl + std::ceil(kLowestTestable - v.Zahl);
        if (!(landing >= kLowestTestable && landing < kLowestTestable + 1))
            landing = std::ceil(kLowestTestable);
        v.Zahl = landing;
        return true;
    }
    if (v.Zahl >= kHighestTestable) {
        const double past = end + 1;
        v.Zahl = past > end ? past : std::nextafter(end, std::numeric_limits<double>::infinity());
        return true;
    }
    return false;
}

void Engine::Command1_Click()
{
    if (runSearch())
        m_window.appendResult(texts::kFertig);
}

bool Engine::runSearch()
{
    auto &v = m_vars;
    const double base = Int(Val(m_window.text(Field::txtSystem)));
    if (!baseIsSearchable(base)) {
        m_window.showMessage(baseTooLargeMessage(), texts::kProgramTitle, MessageIcon::None);
        return false;
    }
    v.Obergrenze = Val(m_window.text(Field::txtnn));
    v.Untergrenze = Val(m_window.text(Field::txtugrenze));
    v.Basis = base;
    if (v.Basis < 2) {
        v.Basis = 10;
        m_window.setText(Field::txtSystem, Str(10));
    }
    v.Abbruch = 0;
    m_yieldCountdown = m_window.yieldStride();

    // A counted loop: the end is read once, Zahl afresh at every step. Handlers running in a
    // yield may move Zahl or Basis (a nested start or single-case test); the run then carries
    // on from the number they left, in the base they left, up to its own end.
    const double end = v.Obergrenze;
    v.Zahl = v.Untergrenze;
    while (v.Zahl <= end) {
        if (v.Abbruch == 1)
            return false;
        if (skipUntestable(end))
            continue;
        if (canRunFast(end)) {
            runFast(end);
            continue;
        }
        m_window.yield();
        PruefeZahl();
        v.Zahl += 1;
    }
    return true;
}

void Engine::Command2_Click()
{
    m_window.setText(Field::txtErgebnis, {});
}

void Engine::Command3_Click()
{
    m_vars.Abbruch = 1;
}

void Engine::cmdEnde_Click()
{
    m_vars.Abbruch = 1;
    m_window.endProgram();
}

} // namespace kz
