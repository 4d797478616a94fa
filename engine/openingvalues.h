// The values the window opens with: the texts of its fields and the states of its check boxes.
// PlainWindow, Form1 and kehrzaehler-cli's defaults all start from these.
#pragma once

#include "engine/windowoperations.h"

namespace kz {

// The opening text of a field; the result list and the help line open empty.
constexpr const char *openingText(Field field)
{
    switch (field) {
    case Field::txtSystem:
        return "10";
    case Field::txtugrenze:
        return "1";
    case Field::txtnn:
        return "100000";
    case Field::txtEinzelfall:
        return "9801";
    case Field::txtErgebnis:
    case Field::txtHilfe:
        break;
    }
    return "";
}

// The opening state of a check box: 0 clear, 1 ticked.
constexpr int openingCheck(CheckBox box)
{
    return box == CheckBox::chkzugross ? 0 : 1;
}

} // namespace kz
