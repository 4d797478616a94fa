// Where every control of Form1 sits. Positions are designed in twips (1440 per inch, 15 per
// pixel at 96 dpi) and placed in device-independent pixels, which Qt scales on high-dpi screens.
#pragma once

#include <QLine>
#include <QRect>
#include <QSize>

namespace kz::layout {

constexpr int kTwipsPerPixel = 15;

constexpr QRect twips(int left, int top, int width, int height)
{
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}
constexpr QLine twipsLine(int x1, int y1, int x2, int y2)
{
    return {x1 / kTwipsPerPixel, y1 / kTwipsPerPixel, x2 / kTwipsPerPixel, y2 / kTwipsPerPixel};
}

inline constexpr QSize kClientArea{8340 / kTwipsPerPixel, 8430 / kTwipsPerPixel};

// In the window's client area, below the menu bar.
inline constexpr QRect txtErgebnis = twips(2940, 120, 5295, 7875);
inline constexpr QRect txtHilfe = twips(120, 7980, 8115, 375);
inline constexpr QRect pisSteuerung = twips(120, 120, 2835, 7875);

// In the panel's inner area, inside its border.
inline constexpr QRect Command2 = twips(1680, 2340, 615, 915);
inline constexpr QRect Command3 = twips(1080, 2340, 615, 915);
inline constexpr QRect Command1 = twips(480, 2340, 615, 915);
inline constexpr QRect txtEinzelfall = twips(240, 1560, 2355, 435);
inline constexpr QRect chkTeiler = twips(540, 6600, 1215, 375);
inline constexpr QRect chkzugross = twips(540, 6960, 1215, 375);
inline constexpr QRect chkNichttrivial = twips(540, 6240, 855, 315);
inline constexpr QRect Command9 = twips(1980, 5160, 315, 255);
inline constexpr QRect Command8 = twips(1980, 4920, 315, 255);
inline constexpr QRect Command7 = twips(1980, 4620, 315, 255);
inline constexpr QRect Command6 = twips(1980, 4380, 315, 255);
inline constexpr QRect Command5 = twips(1980, 4080, 315, 255);
inline constexpr QRect Command4 = twips(1980, 3840, 315, 255);
inline constexpr QRect txtSystem = twips(480, 3840, 1515, 480);
inline constexpr QRect txtnn = twips(480, 4920, 1515, 480);
inline constexpr QRect txtugrenze = twips(480, 4380, 1515, 480);
inline constexpr QRect cmdEinzelfall = twips(1140, 120, 555, 555);
inline constexpr QRect Image2 = twips(1440, 420, 1275, 1170);
inline constexpr QRect Shape2 = twips(240, 3420, 2355, 4215);
inline constexpr QRect Shape1 = twips(240, 2160, 2355, 1275);
inline constexpr QRect Image1 = twips(60, 420, 1275, 1170);
inline constexpr QLine Line2 = twipsLine(1380, 1560, 1380, 480);
inline constexpr QLine Line1 = twipsLine(240, 5820, 2580, 5820);

} // namespace kz::layout
