#include "engine/conversions.h"

#include "engine/searchlimits.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace kz {

namespace {

bool isSkipped(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Walks the text the way Val reads it, hiding the blanks it ignores.
class ValReader {
  public:
    explicit ValReader(std::string_view text) : m_text(text) { skip(); }
    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }
    void next()
    {
        ++m_pos;
        skip();
    }

  private:
    void skip()
    {
        while (m_pos < m_text.size() && isSkipped(m_text[m_pos]))
            ++m_pos;
    }
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// Far beyond the double range, and beyond any text length, yet far from overflowing.
constexpr std::int64_t kExponentLimit = 1000000000000000;

} // namespace

double Val(std::string_view text)
{
    ValReader in(text);
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.next();
    }

    // value = 0.<significant> * 10^pointExponent
    std::string significant;
    std::int64_t pointExponent = 0;
    for (; isDigit(in.peek()); in.next()) {
        if (significant.empty() && in.peek() == '0')
            continue;
        significant += in.peek();
        ++pointExponent;
    }
    if (in.peek() == '.') {
        for (in.next(); isDigit(in.peek()); in.next()) {
            if (significant.empty() && in.peek() == '0') {
                --pointExponent;
                continue;
            }
            significant += in.peek();
        }
    }
    const char marker = in.peek();
    if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
        in.next();
        bool negativeExponent = false;
        if (in.peek() == '+' || in.peek() == '-') {
            negativeExponent = in.peek() == '-';
            in.next();
        }
        std::int64_t exponent = 0;
        for (; isDigit(in.peek()); in.next())
            exponent = std::min(exponent * 10 + (in.peek() - '0'), kExponentLimit);
        pointExponent += negativeExponent ? -exponent : exponent;
    }

    while (!significant.empty() && significant.back() == '0')
        significant.pop_back();
    double magnitude = 0;
    if (significant.empty() || pointExponent < -400) {
        magnitude = 0;
    } else if (pointExponent > 400) {
        magnitude = std::numeric_limits<double>::max();
    } else {
        significant += 'e';
        significant +=
            std::to_string(pointExponent - static_cast<std::int64_t>(significant.size() - 1));
        const auto [end, error] =
            std::from_chars(significant.data(), significant.data() + significant.size(), magnitude);
        if (error == std::errc::result_out_of_range)
            magnitude = pointExponent > 0 ? std::numeric_limits<double>::max() : 0.0;
        else if (std::isinf(magnitude))
            magnitude = std::numeric_limits<double>::max();
    }
    return negative ? -magnitude : magnitude;
}

void appendStr(std::string &out, double x)
{
    if (std::isnan(x)) {
        out += " keine Zahl";
        return;
    }
    if (std::isinf(x)) {
        out += x > 0 ? " Unendlich" : "-Unendlich";
        return;
    }
    out += std::signbit(x) && x != 0 ? '-' : ' ';
    const double magnitude = std::fabs(x);
    char buffer[32];
    char *end = nullptr;
    if (magnitude < 1e15 && magnitude == std::floor(magnitude)) {
        end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint64_t>(magnitude))
                  .ptr;
    } else {
        end =
            std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::general, 15)
                .ptr;
    }
    const char *begin = buffer;
    if (end - buffer > 1 && buffer[0] == '0' && buffer[1] == '.')
        ++begin; // no "0" before the point: " .5"
    for (const char *p = begin; p != end; ++p)
        out += *p == 'e' ? 'E' : *p;
}

void appendWholeStr(std::string &out, std::string_view decimalDigits)
{
    out += ' ';
    out += decimalDigits;
}

std::string Str(double x)
{
    std::string text;
    appendStr(text, x);
    return text;
}

double Int(double x)
{
    return std::floor(x);
}

std::optional<std::int32_t> Mod(double a, double b)
{
    // nearbyint rounds ties to the even neighbour in the default rounding mode.
    const double left = std::nearbyint(a);
    const double right = std::nearbyint(b);
    if (!(left >= kLowestWhole && left <= kHighestWhole && right >= kLowestWhole &&
          right <= kHighestWhole) ||
        right == 0)
        return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::int64_t>(left) %
                                     static_cast<std::int64_t>(right));
}

} // namespace kz
