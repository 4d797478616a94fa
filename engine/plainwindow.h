// Window operations over plain values: field texts as strings, check boxes as numbers and
// message boxes recorded. Serves the command-line companion and the tests, which can run their
// own code inside a yield to play a click that lands while a search is running.
#pragma once

#include "engine/windowoperations.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kz {

struct RecordedMessage {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
};

class PlainWindow : public WindowOperations {
  public:
    PlainWindow(); // the window's opening values

    std::string text(Field field) const override;
    void setText(Field field, std::string_view text) override;
    void appendResult(std::string_view piece) override;
    int checkBoxValue(CheckBox box) const override;
    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
    void yield() override;
    std::uint32_t yieldStride() const override { return m_yieldStride; }
    void endProgram() override;

    void setYieldStride(std::uint32_t stride) { m_yieldStride = stride < 1 ? 1 : stride; }

    const std::string &result() const { return field(Field::txtErgebnis); }
    std::string &field(Field field) { return m_fields[static_cast<std::size_t>(field)]; }
    const std::string &field(Field field) const
    {
        return m_fields[static_cast<std::size_t>(field)];
    }
    void setCheckBox(CheckBox box, int value) { m_checks[static_cast<std::size_t>(box)] = value; }

    const std::vector<RecordedMessage> &messages() const { return m_messages; }
    std::uint64_t yieldCount() const { return m_yields; }
    bool ended() const { return m_ended; }

    // Runs inside every yield, with the number of that yield (counted from 1). A handler called
    // from here runs nested in the interrupted search, as a click during a yield does.
    std::function<void(std::uint64_t)> onYield;

  private:
    std::array<std::string, 6> m_fields;
    std::array<int, 3> m_checks{};
    std::vector<RecordedMessage> m_messages;
    std::uint64_t m_yields = 0;
    std::uint32_t m_yieldStride = 1;
    bool m_ended = false;
};

} // namespace kz
