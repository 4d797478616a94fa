#include "resources/pictures.h"

#include <algorithm>
#include <cstdlib>

namespace kz {

namespace {

QString iconName(IconKind kind)
{
    switch (kind) {
    case IconKind::Program:
        return QStringLiteral("program");
    case IconKind::Start:
        return QStringLiteral("start");
    case IconKind::Abort:
        return QStringLiteral("abort");
    case IconKind::Clear:
        return QStringLiteral("clear");
    case IconKind::SingleCase:
        return QStringLiteral("single-case");
    }
    return {};
}

constexpr int kGreenRed = 138;
constexpr int kGreenBlue = 148;

// Rounds share * target / 255 to the nearest integer; 255 is odd, so there is never a tie.
int scaledShare(int share, int target)
{
    return (share * target + 127) / 255;
}

} // namespace

QString iconPath(IconKind kind, int size)
{
    return QStringLiteral(":/icons/%1-%2.xpm").arg(iconName(kind)).arg(size);
}

QIcon icon(IconKind kind)
{
    QIcon result;
    for (int size : {16, 32})
        result.addFile(iconPath(kind, size), QSize(size, size));
    return result;
}

QIcon programIcon()
{
    return icon(IconKind::Program);
}
QIcon startIcon()
{
    return icon(IconKind::Start);
}
QIcon abortIcon()
{
    return icon(IconKind::Abort);
}
QIcon clearIcon()
{
    return icon(IconKind::Clear);
}
QIcon singleCaseIcon()
{
    return icon(IconKind::SingleCase);
}

QImage duckPicture()
{
    return QImage(QStringLiteral(":/pictures/duck.xpm")).convertToFormat(QImage::Format_ARGB32);
}

QImage mirroredDuckPicture()
{
    return mirroredWithGreen(duckPicture());
}

bool isYellowish(QRgb pixel)
{
    const int red = qRed(pixel);
    const int green = qGreen(pixel);
    return qAlpha(pixel) != 0 && std::abs(red - green) <= 8 &&
           std::min(red, green) - qBlue(pixel) >= 16;
}

QRgb greenFor(QRgb pixel)
{
    if (!isYellowish(pixel))
        return pixel;
    const int blue = qBlue(pixel);
    const int value = std::max(qRed(pixel), qGreen(pixel));
    const int share = value - blue;
    return qRgba(blue + scaledShare(share, kGreenRed), value, blue + scaledShare(share, kGreenBlue),
                 qAlpha(pixel));
}

QImage mirroredWithGreen(const QImage &image)
{
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage result(source.size(), QImage::Format_ARGB32);
    const int last = source.width() - 1;
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x <= last; ++x)
            out[x] = greenFor(in[last - x]);
    }
    return result;
}

} // namespace kz
