// The program's pictures: toolbar icons, the program icon and the two duck pictures.
#pragma once

#include <QIcon>
#include <QImage>
#include <QRgb>
#include <QString>

namespace kz {

enum class IconKind { Program, Start, Abort, Clear, SingleCase };

// Resource path of one icon image, size 16 or 32 (":/icons/start-16.xpm").
QString iconPath(IconKind kind, int size);
// The icon with both its sizes.
QIcon icon(IconKind kind);

QIcon programIcon();    // the black spade: program and window icon
QIcon startIcon();      // Command1: traffic light showing green
QIcon abortIcon();      // Command3: stop sign
QIcon clearIcon();      // Command2: pencil turned to its eraser
QIcon singleCaseIcon(); // cmdEinzelfall: lit light bulb

// Image1: the duck, 85 x 78, ARGB32 with an on/off mask.
QImage duckPicture();
// Image2: the duck mirrored left to right, its yellow turned light green.
QImage mirroredDuckPicture();

// Yellow rule. A pixel is yellowish when it is not transparent, its red and green differ by at
// most 8 and the smaller of them exceeds blue by at least 16: yellow shaded with black or white.
bool isYellowish(QRgb pixel);
// Swaps the yellow in a yellowish pixel for light green (138, 255, 148) and keeps its black and
// white share: with v = max(red, green) and yellow share s = v - blue, the result is
// (blue + round(138 s / 255), v, blue + round(148 s / 255)), alpha kept. Other pixels pass as is.
QRgb greenFor(QRgb pixel);
// The exact left-right mirror of the image (ARGB32) with greenFor applied to every pixel.
QImage mirroredWithGreen(const QImage &image);

} // namespace kz
