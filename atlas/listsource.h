// The rows of the Liste as the worker hands them over: the Kehrzahlen of the lengths A..B, one
// kehr::Lister per length in turn, taken a page at a time. A page stores its rows compactly, all
// of one length together: one flat array of digits, a byte each for S <= 256, else two.
#pragma once

#include "atlas/inputs.h"
#include "kehrzahlen/kehrzahlen.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace kz::atlas {

// Rows of one length D, in increasing n.
struct RowBlock {
    std::uint64_t length = 0;
    bool wide = false;                // two bytes per digit
    std::vector<std::uint8_t> digits; // per row, D digits of n, least significant first
    std::vector<std::uint16_t> quotients;

    std::size_t rows() const { return quotients.size(); }
    void append(const kehr::Kehrzahl &k);
    // Row r's digits, least significant first, into out (resized to D).
    void digitsOf(std::size_t row, std::vector<std::int32_t> &out) const;
    std::size_t bytes() const { return digits.capacity() + 2 * quotients.capacity(); }
};

struct Page {
    std::vector<RowBlock> blocks;
    bool atEnd = false;
    QString refusal; // why the list ends early: it would not fit in memory
};

class ListSource {
  public:
    ListSource(int base, Range lengths);
    ~ListSource();

    // The next rows: at most maxRows, and no more than about maxDigits digits unless that is less
    // than one row. Fewer when cancelled (then the next call goes on where this one stopped).
    Page next(std::size_t maxRows, std::size_t maxDigits, const kehr::Watch &watch);
    int base() const { return m_base; }

  private:
    void fill(Page &page, std::size_t &rows, std::size_t &digits, std::size_t maxRows,
              std::size_t maxDigits, const kehr::Watch &watch);

    int m_base;
    Range m_lengths;
    std::uint64_t m_length;
    std::unique_ptr<kehr::Lister> m_lister;
    bool m_atEnd = false;
};

} // namespace kz::atlas
