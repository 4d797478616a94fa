// The handful of window operations the engine uses. The Qt window implements them over its
// widgets; PlainWindow implements them over plain strings for the CLI and the tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kz {

enum class Field { txtSystem, txtugrenze, txtnn, txtEinzelfall, txtErgebnis, txtHilfe };
enum class CheckBox { chkNichttrivial, chkTeiler, chkzugross };
enum class MessageIcon { None, Information };

class WindowOperations {
  public:
    virtual ~WindowOperations() = default;

    // Whole text of a field, UTF-8; the result list uses CR LF line ends.
    virtual std::string text(Field field) const = 0;
    virtual void setText(Field field, std::string_view text) = 0;
    // Adds text at the end of the result list; equivalent to setText(text() + piece).
    virtual void appendResult(std::string_view piece) = 0;
    // 0 unchecked, 1 checked, 2 greyed.
    virtual int checkBoxValue(CheckBox box) const = 0;
    // Modal box with a single OK button; returns when it is closed.
    virtual void showMessage(std::string_view text, std::string_view title, MessageIcon icon) = 0;
    // Lets pending window events run their handlers to completion, then returns.
    virtual void yield() = 0;
    // How many yields in a row a search may leave out: 1 makes every yield happen; a window that
    // only polls for events can take larger strides, and the search then tests numbers in a
    // tight loop between its yields. A yield left out counts as one in which nothing happened.
    virtual std::uint32_t yieldStride() const { return 1; }
    // Ends the program: no further handler runs after this.
    virtual void endProgram() = 0;
};

} // namespace kz
