// Takes a fuzz input apart: texts separated by NUL bytes (so text seeds stay readable) and
// little-endian numbers read from raw bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace kz::fuzz {

// The input split at NUL bytes; missing parts read as empty.
class TextParts {
  public:
    TextParts(const std::uint8_t *data, std::size_t size)
    {
        const std::string_view all(reinterpret_cast<const char *>(data), size);
        std::size_t start = 0;
        for (;;) {
            const std::size_t nul = all.find('\0', start);
            m_parts.push_back(all.substr(start, nul == std::string_view::npos ? nul : nul - start));
            if (nul == std::string_view::npos)
                break;
            start = nul + 1;
        }
    }
    std::string_view operator[](std::size_t index) const
    {
        return index < m_parts.size() ? m_parts[index] : std::string_view();
    }
    // The byte at offset of a part, or fallback when the part is shorter.
    std::uint8_t byte(std::size_t index, std::size_t offset, std::uint8_t fallback) const
    {
        const std::string_view part = (*this)[index];
        return offset < part.size() ? static_cast<std::uint8_t>(part[offset]) : fallback;
    }

  private:
    std::vector<std::string_view> m_parts;
};

// Reads fixed-size values in order; past the end it reads zero bytes.
class ByteReader {
  public:
    ByteReader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    template <typename T> T take()
    {
        unsigned char bytes[sizeof(T)] = {};
        for (std::size_t i = 0; i < sizeof(T) && m_pos < m_size; ++i)
            bytes[i] = m_data[m_pos++];
        T value;
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

  private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace kz::fuzz
