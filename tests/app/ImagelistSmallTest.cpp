#include "ui/ImagelistSmall.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <tuple>

TEST(ImagelistSmall, HoldsTheTwentyTwoKeysInIndexOrder)
{
    const QStringList expected{
        QStringLiteral("Up"), QStringLiteral("Pal"), QStringLiteral("Down"), QStringLiteral("Ger"),
        QStringLiteral("NTSC"), QStringLiteral("Jap"), QStringLiteral("USA"), QStringLiteral("Undo"),
        QStringLiteral("Properties"), QStringLiteral("Save"), QStringLiteral("Open"),
        QStringLiteral("Exit"), QStringLiteral("Options"), QStringLiteral("???"),
        QStringLiteral("Remove ROM Entry"), QStringLiteral("Printer"), QStringLiteral("Beta"),
        QStringLiteral("Fra"), QStringLiteral("Ita"), QStringLiteral("Spa"), QStringLiteral("Aus"),
        QStringLiteral("Proto")};
    EXPECT_EQ(ImagelistSmall::keys(), expected);
    EXPECT_FALSE(ImagelistSmall::contains(QStringLiteral("up")));
}

TEST(ImagelistSmall, EveryKeyHasItsOwnVisibleSixteenPixelPicture)
{
    std::vector<QImage> seen;
    for (const QString &key : ImagelistSmall::keys()) {
        SCOPED_TRACE(key.toStdString());
        const QImage image = ImagelistSmall::picture(key).toImage();
        ASSERT_EQ(image.size(), QSize(16, 16));
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                opaque += qAlpha(image.pixel(x, y)) > 200 ? 1 : 0;
        EXPECT_GT(opaque, 20);
        for (const QImage &other : seen)
            EXPECT_NE(image, other);
        seen.push_back(image);
    }
}

// A flag must read as its country at list size: sample the colour where it shows.
class FlagColours : public ::testing::TestWithParam<std::tuple<const char *, int, int, QRgb>> {};

TEST_P(FlagColours, ShowTheCountrysColourWhereExpected)
{
    const auto [key, x, y, expected] = GetParam();
    const QColor actual = QColor::fromRgb(ImagelistSmall::picture(QLatin1String(key)).toImage().pixel(x, y));
    const QColor wanted = QColor::fromRgb(expected);
    EXPECT_NEAR(actual.red(), wanted.red(), 40) << key << " at " << x << "," << y;
    EXPECT_NEAR(actual.green(), wanted.green(), 40) << key << " at " << x << "," << y;
    EXPECT_NEAR(actual.blue(), wanted.blue(), 40) << key << " at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    ImagelistSmall, FlagColours,
    ::testing::Values(std::make_tuple("Ger", 8, 4, qRgb(0, 0, 0)), std::make_tuple("Ger", 8, 8, qRgb(221, 0, 0)),
                      std::make_tuple("Ger", 8, 11, qRgb(255, 206, 0)),
                      std::make_tuple("Jap", 8, 8, qRgb(188, 0, 45)), std::make_tuple("Jap", 3, 4, qRgb(255, 255, 255)),
                      std::make_tuple("Fra", 2, 8, qRgb(0, 85, 164)), std::make_tuple("Fra", 12, 8, qRgb(239, 65, 53)),
                      std::make_tuple("Ita", 2, 8, qRgb(0, 146, 70)), std::make_tuple("Ita", 12, 8, qRgb(206, 43, 55)),
                      std::make_tuple("Spa", 10, 3, qRgb(170, 21, 27)), std::make_tuple("Spa", 10, 8, qRgb(241, 191, 0)),
                      std::make_tuple("USA", 2, 5, qRgb(60, 59, 110)), std::make_tuple("USA", 12, 3, qRgb(178, 34, 52)),
                      std::make_tuple("Pal", 8, 8, qRgb(0, 51, 153)), std::make_tuple("Aus", 12, 10, qRgb(0, 36, 125))));
