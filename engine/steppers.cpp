#include "engine/conversions.h"
#include "engine/engine.h"

#include <cmath>

namespace kz {

namespace {

constexpr double kBoundCap = 100000000;

// The neighbouring power of ten of a bound. The 0.1 shifts each decade down by a tenth, which
// also lets 1000 count as 10^3 although log(1000)/log(10) falls just short of 3 in doubles.
double decadeStep(double x, int direction)
{
    if (x < 1)
        x = 1;
    const double decade = Int(std::log(x) / std::log(10.0) + 0.1);
    return std::pow(10.0, decade + direction);
}

} // namespace

void Engine::Command4_Click()
{
    m_window.setText(Field::txtSystem, Str(Val(m_window.text(Field::txtSystem)) + 1));
}

void Engine::Command5_Click()
{
    const double base = Val(m_window.text(Field::txtSystem));
    if (base > 2)
        m_window.setText(Field::txtSystem, Str(base - 1));
}

void Engine::Command6_Click()
{
    double r = decadeStep(Val(m_window.text(Field::txtugrenze)), +1);
    if (r > kBoundCap)
        r = kBoundCap;
    const double upper = Val(m_window.text(Field::txtnn));
    if (upper < r)
        r = upper;
    m_window.setText(Field::txtugrenze, Str(r));
}

void Engine::Command7_Click()
{
    double r = decadeStep(Val(m_window.text(Field::txtugrenze)), -1);
    if (r < 1)
        r = 1;
    m_window.setText(Field::txtugrenze, Str(r));
}

void Engine::Command8_Click()
{
    double r = decadeStep(Val(m_window.text(Field::txtnn)), +1);
    if (r > kBoundCap)
        r = kBoundCap;
    m_window.setText(Field::txtnn, Str(r));
}

void Engine::Command9_Click()
{
    double r = decadeStep(Val(m_window.text(Field::txtnn)), -1);
    if (r < 1)
        r = 1;
    const double lower = Val(m_window.text(Field::txtugrenze));
    if (lower > r)
        r = lower;
    m_window.setText(Field::txtnn, Str(r));
}

} // namespace kz
