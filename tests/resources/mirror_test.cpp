// Image2 is Image1 mirrored with its yellow turned light green; checked pixel by pixel.
#include "resources/pictures.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

namespace {

constexpr QRgb kYellow = 0xFFFFFF00;
constexpr QRgb kLightGreen = 0xFF8AFF94; // 138, 255, 148

// The yellow rule written out once more on its own, in floating point, as the documentation
// in pictures.h states it: the tests compare the library against this.
QRgb ruleFor(QRgb c)
{
    const int r = qRed(c), g = qGreen(c), b = qBlue(c), a = qAlpha(c);
    const bool yellowish = a > 0 && std::abs(r - g) <= 8 && std::min(r, g) >= b + 16;
    if (!yellowish)
        return c;
    const int v = std::max(r, g);
    const double share = (v - b) / 255.0;
    return qRgba(int(std::lround(b + share * 138)), v, int(std::lround(b + share * 148)), a);
}

TEST(DuckPicture, HasItsSizeAMaskAndPureYellow)
{
    const QImage duck = kz::duckPicture();
    ASSERT_FALSE(duck.isNull());
    EXPECT_EQ(duck.size(), QSize(85, 78));
    int transparent = 0, opaque = 0, partial = 0, yellow = 0;
    for (int y = 0; y < duck.height(); ++y)
        for (int x = 0; x < duck.width(); ++x) {
            const QRgb c = duck.pixel(x, y);
            const int a = qAlpha(c);
            (a == 0 ? transparent : a == 255 ? opaque : partial)++;
            yellow += c == kYellow;
        }
    EXPECT_GT(transparent, 1000);
    EXPECT_GT(opaque, 1000);
    EXPECT_EQ(partial, 0) << "the mask is on or off";
    EXPECT_GT(yellow, 100);
    // The corners are background.
    EXPECT_EQ(qAlpha(duck.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(duck.pixel(84, 77)), 0);
}

TEST(MirroredDuck, EveryPixelIsTheRuleOfItsMirrorPixel)
{
    const QImage duck = kz::duckPicture();
    const QImage mirrored = kz::mirroredDuckPicture();
    ASSERT_EQ(mirrored.size(), QSize(85, 78));
    int changed = 0;
    for (int y = 0; y < 78; ++y)
        for (int x = 0; x < 85; ++x) {
            const QRgb source = duck.pixel(84 - x, y);
            ASSERT_EQ(mirrored.pixel(x, y), ruleFor(source)) << "at " << x << "," << y;
            changed += mirrored.pixel(x, y) != source;
        }
    EXPECT_GT(changed, 100);
}

TEST(MirroredDuck, LightGreenStandsWhereYellowWas)
{
    const QImage duck = kz::duckPicture();
    const QImage mirrored = kz::mirroredDuckPicture();
    int yellow = 0;
    for (int y = 0; y < 78; ++y)
        for (int x = 0; x < 85; ++x) {
            EXPECT_NE(mirrored.pixel(x, y), kYellow);
            if (duck.pixel(84 - x, y) == kYellow) {
                ++yellow;
                EXPECT_EQ(mirrored.pixel(x, y), kLightGreen) << "at " << x << "," << y;
            }
        }
    EXPECT_GT(yellow, 0);
}

TEST(MirroredDuck, MaskIsMirroredToo)
{
    const QImage duck = kz::duckPicture();
    const QImage mirrored = kz::mirroredDuckPicture();
    for (int y = 0; y < 78; ++y)
        for (int x = 0; x < 85; ++x)
            ASSERT_EQ(qAlpha(mirrored.pixel(x, y)), qAlpha(duck.pixel(84 - x, y)));
    // The duck is not symmetric, so mirroring must change the mask somewhere.
    EXPECT_NE(duck.createAlphaMask(), mirrored.createAlphaMask());
}

TEST(YellowRule, MapsYellowAndItsShadesAndNothingElse)
{
    EXPECT_EQ(kz::greenFor(kYellow), kLightGreen);
    // Half yellow, half black: share 128 gives 138*128/255 = 69.3 and 148*128/255 = 74.3.
    EXPECT_EQ(kz::greenFor(qRgb(128, 128, 0)), qRgb(69, 128, 74));
    // Half yellow, half white: share 127 over blue 128 gives 128 + 68.7 and 128 + 73.7.
    EXPECT_EQ(kz::greenFor(qRgb(255, 255, 128)), qRgb(197, 255, 202));
    for (QRgb other : {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(38, 92, 204), qRgb(22, 44, 128),
                       qRgb(214, 30, 40), qRgb(255, 204, 153), qRgb(128, 128, 128),
                       qRgb(255, 160, 0), qRgb(255, 255, 250), qRgba(255, 255, 0, 0)}) {
        EXPECT_FALSE(kz::isYellowish(other)) << std::hex << other;
        EXPECT_EQ(kz::greenFor(other), other) << std::hex << other;
    }
    EXPECT_TRUE(kz::isYellowish(qRgb(250, 255, 40)));
    EXPECT_FALSE(kz::isYellowish(qRgb(240, 255, 40)));
}

TEST(YellowRule, CatchesOnlyTheDucksYellowShades)
{
    // Yellow mixed with black and white keeps red equal to green and blue below them; any
    // colour the rule catches must be such a mix, and any visibly yellow mix must be caught.
    std::set<QRgb> colours;
    const QImage duck = kz::duckPicture();
    for (int y = 0; y < duck.height(); ++y)
        for (int x = 0; x < duck.width(); ++x)
            if (qAlpha(duck.pixel(x, y)) != 0)
                colours.insert(duck.pixel(x, y));
    int caught = 0;
    for (QRgb c : colours) {
        const bool yellowMix = qRed(c) == qGreen(c) && qBlue(c) < qRed(c);
        if (kz::isYellowish(c)) {
            ++caught;
            EXPECT_TRUE(yellowMix) << std::hex << c;
        }
        if (yellowMix && qRed(c) - qBlue(c) >= 64) {
            EXPECT_TRUE(kz::isYellowish(c)) << std::hex << c;
        }
    }
    EXPECT_GT(caught, 3) << "pure yellow plus a few edge shades";
    EXPECT_GT(colours.size() - caught, 3u) << "white, black, blue, red stay";
}

TEST(MirroredWithGreen, HandMadeImage)
{
    QImage image(3, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, kYellow);
    image.setPixel(1, 0, qRgb(255, 255, 255));
    image.setPixel(2, 0, qRgba(0, 0, 0, 0));
    image.setPixel(0, 1, qRgb(38, 92, 204));
    image.setPixel(1, 1, qRgb(128, 128, 0));
    image.setPixel(2, 1, qRgb(0, 0, 0));
    const QImage result = kz::mirroredWithGreen(image);
    ASSERT_EQ(result.size(), QSize(3, 2));
    EXPECT_EQ(result.pixel(0, 0), qRgba(0, 0, 0, 0));
    EXPECT_EQ(result.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(result.pixel(2, 0), kLightGreen);
    EXPECT_EQ(result.pixel(0, 1), qRgb(0, 0, 0));
    EXPECT_EQ(result.pixel(1, 1), qRgb(69, 128, 74));
    EXPECT_EQ(result.pixel(2, 1), qRgb(38, 92, 204));
}

} // namespace
