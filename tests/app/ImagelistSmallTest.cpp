#include "ui/ImagelistSmall.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRgb>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <algorithm>

TEST(ImagelistSmall, HoldsTheTwentyTwoKeysInIndexOrder)
{
    EXPECT_EQ(ImagelistSmall::keys().join(QLatin1Char('|')),
              QStringLiteral("Up|Pal|Down|Ger|NTSC|Jap|USA|Undo|Properties|Save|Open|Exit|Options|???|"
                             "Remove ROM Entry|Printer|Beta|Fra|Ita|Spa|Aus|Proto"));
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

// A flag must read as its country at list size, and no two swap: one telling colour each.
TEST(ImagelistSmall, FlagsShowTheirCountrysColourWhereExpected)
{
    const struct {
        const char *key;
        int x, y;
        QRgb colour;
    } samples[] = {{"Ger", 8, 4, qRgb(0, 0, 0)},       {"Ger", 8, 8, qRgb(221, 0, 0)},
                   {"Jap", 8, 8, qRgb(188, 0, 45)},    {"Jap", 3, 4, qRgb(255, 255, 255)},
                   {"Fra", 2, 8, qRgb(0, 85, 164)},    {"Ita", 2, 8, qRgb(0, 146, 70)},
                   {"Spa", 10, 8, qRgb(241, 191, 0)},  {"USA", 2, 5, qRgb(60, 59, 110)},
                   {"USA", 12, 3, qRgb(178, 34, 52)},  {"Pal", 8, 8, qRgb(0, 51, 153)},
                   {"Aus", 12, 10, qRgb(0, 36, 125)}};
    for (const auto &sample : samples) {
        SCOPED_TRACE(testing::Message() << sample.key << " at " << sample.x << "," << sample.y);
        const QRgb actual = ImagelistSmall::picture(QLatin1String(sample.key)).toImage().pixel(sample.x, sample.y);
        EXPECT_NEAR(qRed(actual), qRed(sample.colour), 40);
        EXPECT_NEAR(qGreen(actual), qGreen(sample.colour), 40);
        EXPECT_NEAR(qBlue(actual), qBlue(sample.colour), 40);
    }
}

// At a scale factor of 2 a 24-pixel tool bar button takes 48 device pixels: every picture
// must be drawn at that size from its SVG, not blown up from a small bitmap.
TEST(ImagelistSmall, DrawsEveryPictureFromItsSvgAtTheDevicePixelRatio)
{
    std::vector<QImage> drawn;
    for (const QString &file : QDir(QStringLiteral(":/imagelist")).entryList()) {
        QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        QSvgRenderer(QStringLiteral(":/imagelist/") + file).render(&painter);
        drawn.push_back(image);
    }
    ASSERT_EQ(drawn.size(), 22u);
    for (const QString &key : ImagelistSmall::keys()) {
        const QImage image = ImagelistSmall::icon(key).pixmap(QSize(24, 24), 2.0).toImage();
        EXPECT_NE(std::find(drawn.begin(), drawn.end(), image), drawn.end()) << key.toStdString();
    }
}
