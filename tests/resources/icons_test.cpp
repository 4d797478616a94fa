// The five icons: both sizes present, 16 colours at most, all different; the Windows .ico.
#include "resources/pictures.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

using kz::IconKind;

const std::vector<IconKind> kAllKinds = {IconKind::Program, IconKind::Start, IconKind::Abort,
                                         IconKind::Clear, IconKind::SingleCase};

QImage load(IconKind kind, int size)
{
    return QImage(kz::iconPath(kind, size)).convertToFormat(QImage::Format_ARGB32);
}

std::map<QRgb, int> opaqueColours(const QImage &image)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                ++counts[image.pixel(x, y)];
    return counts;
}

QRgb commonest(const QImage &image)
{
    QRgb best = 0;
    int most = 0;
    for (const auto &[colour, count] : opaqueColours(image))
        if (count > most) {
            best = colour;
            most = count;
        }
    return best;
}

TEST(Icons, ResourcesAreRegisteredFromTheStaticLibrary)
{
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/pictures/duck.xpm")));
    for (IconKind kind : kAllKinds)
        for (int size : {16, 32})
            EXPECT_TRUE(QFile::exists(kz::iconPath(kind, size)))
                << kz::iconPath(kind, size).toStdString();
}

TEST(Icons, EachSizeHasAtMostSixteenColoursAndAMask)
{
    for (IconKind kind : kAllKinds)
        for (int size : {16, 32}) {
            const QImage image = load(kind, size);
            const auto name = kz::iconPath(kind, size).toStdString();
            ASSERT_EQ(image.size(), QSize(size, size)) << name;
            const auto colours = opaqueColours(image);
            EXPECT_LE(colours.size(), 16u) << name;
            EXPECT_GE(colours.size(), 2u) << name;
            int transparent = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const int alpha = qAlpha(image.pixel(x, y));
                    EXPECT_TRUE(alpha == 0 || alpha == 255) << name;
                    transparent += alpha == 0;
                }
            EXPECT_GT(transparent, 0) << name;
            EXPECT_LT(transparent, size * size * 3 / 4) << name << ": a figure, not a speck";
        }
}

TEST(Icons, QIconsCarryBothSizes)
{
    const std::vector<QIcon> icons = {kz::programIcon(), kz::startIcon(), kz::abortIcon(),
                                      kz::clearIcon(), kz::singleCaseIcon()};
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const QList<QSize> sizes = icons[i].availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16))) << i;
        EXPECT_TRUE(sizes.contains(QSize(32, 32))) << i;
        for (int size : {16, 32}) {
            const QImage shown =
                icons[i].pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
            EXPECT_EQ(shown, load(kAllKinds[i], size)) << i << " at " << size;
        }
    }
}

TEST(Icons, AllFiveDiffer)
{
    for (int size : {16, 32})
        for (std::size_t i = 0; i < kAllKinds.size(); ++i)
            for (std::size_t j = i + 1; j < kAllKinds.size(); ++j)
                EXPECT_NE(load(kAllKinds[i], size), load(kAllKinds[j], size))
                    << i << " and " << j << " at " << size;
}

TEST(Icons, ShowWhatTheyStandFor)
{
    for (int size : {16, 32}) {
        EXPECT_EQ(commonest(load(IconKind::Program, size)), qRgb(0, 0, 0)) << "a black spade";
        EXPECT_EQ(commonest(load(IconKind::Abort, size)), qRgb(255, 0, 0)) << "a red sign";
        EXPECT_EQ(opaqueColours(load(IconKind::Abort, size)).count(qRgb(255, 255, 255)), 1u)
            << "white letters";
        EXPECT_EQ(opaqueColours(load(IconKind::Start, size)).count(qRgb(0, 255, 0)), 1u)
            << "the green light is on";
        EXPECT_EQ(opaqueColours(load(IconKind::SingleCase, size)).count(qRgb(255, 255, 0)), 1u)
            << "a lit bulb";
    }
}

// The program icon for Windows: an .ico with a 16 and a 32 pixel image, the same pixels.
TEST(Icons, WindowsIconFileHoldsBothProgramIconSizes)
{
    QFile file(QStringLiteral(KZ_RESOURCES_DIR "/icons/kehrzaehler.ico"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    auto u8 = [&](qsizetype at) { return int(quint8(data.at(at))); };
    auto u16 = [&](qsizetype at) { return u8(at) | u8(at + 1) << 8; };
    auto u32 = [&](qsizetype at) { return qint64(u16(at)) | qint64(u16(at + 2)) << 16; };
    ASSERT_GE(data.size(), 6);
    EXPECT_EQ(u16(0), 0);
    EXPECT_EQ(u16(2), 1) << "type icon";
    ASSERT_EQ(u16(4), 2);
    std::set<int> sizes;
    for (int entry = 0; entry < 2; ++entry) {
        const qsizetype at = 6 + 16 * entry;
        const int size = u8(at);
        sizes.insert(size);
        EXPECT_EQ(u8(at + 1), size);
        const qint64 offset = u32(at + 12);
        ASSERT_LE(offset + u32(at + 8), data.size());
        // A bottom-up 32-bit BGRA bitmap of twice the height (colour plus AND mask).
        EXPECT_EQ(u32(offset + 4), size);
        EXPECT_EQ(u32(offset + 8), 2 * size);
        ASSERT_EQ(u16(offset + 14), 32);
        const QImage expected = load(IconKind::Program, size);
        const qint64 pixels = offset + 40;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const qint64 p = pixels + 4 * (qint64(size - 1 - y) * size + x);
                const QRgb want = expected.pixel(x, y);
                if (qAlpha(want) == 0)
                    EXPECT_EQ(u8(p + 3), 0) << size << ": " << x << "," << y;
                else
                    EXPECT_EQ(qRgba(u8(p + 2), u8(p + 1), u8(p), u8(p + 3)), want)
                        << size << ": " << x << "," << y;
            }
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

} // namespace
