#include "atlas/listsource.h"

namespace kz::atlas {

void RowBlock::append(const kehr::Kehrzahl &k)
{
    for (const std::int32_t d : k.digits) {
        digits.push_back(std::uint8_t(d & 0xff));
        if (wide)
            digits.push_back(std::uint8_t(d >> 8));
    }
    quotients.push_back(std::uint16_t(k.quotient));
}

void RowBlock::digitsOf(std::size_t row, std::vector<std::int32_t> &out) const
{
    out.resize(length);
    const std::size_t width = wide ? 2 : 1;
    const std::uint8_t *at = digits.data() + row * length * width;
    for (std::size_t i = 0; i < length; ++i, at += width)
        out[i] = wide ? std::int32_t(at[0] | at[1] << 8) : std::int32_t(at[0]);
}

ListSource::ListSource(int base, Range lengths)
    : m_base(base), m_lengths(lengths), m_length(lengths.first)
{
}

ListSource::~ListSource() = default;

Page ListSource::next(std::size_t maxRows, std::size_t maxDigits, const kehr::Watch &watch)
{
    Page page;
    std::size_t rows = 0, digits = 0;
    try {
        fill(page, rows, digits, maxRows, maxDigits, watch);
    } catch (const kehr::LimitError &e) {
        // The rows found so far stay; the list cannot go on.
        page.refusal = noteOf(e);
        m_lister.reset();
        m_atEnd = true;
    }
    page.atEnd = m_atEnd;
    return page;
}

void ListSource::fill(Page &page, std::size_t &rows, std::size_t &digits, std::size_t maxRows,
                      std::size_t maxDigits, const kehr::Watch &watch)
{
    while (!m_atEnd && rows < maxRows && (rows == 0 || digits + m_length <= maxDigits)) {
        if (!m_lister)
            m_lister = std::make_unique<kehr::Lister>(m_base, m_length);
        const kehr::Kehrzahl *k = m_lister->next(watch);
        if (!k) {
            if (m_lister->cancelled())
                break;
            m_lister.reset();
            if (m_length == m_lengths.last)
                m_atEnd = true;
            else
                ++m_length;
            continue;
        }
        if (page.blocks.empty() || page.blocks.back().length != m_length) {
            RowBlock block;
            block.length = m_length;
            block.wide = m_base > 256;
            page.blocks.push_back(std::move(block));
        }
        page.blocks.back().append(*k);
        ++rows;
        digits += m_length;
    }
}

} // namespace kz::atlas
