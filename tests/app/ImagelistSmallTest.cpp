#include "ui/ImagelistSmall.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRgb>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <algorithm>

// Every key has its own visible 16-pixel picture, and a flag reads as its country at list
// size: one telling colour each, so no two swap.
TEST(ImagelistSmall, EveryKeyHasItsOwnVisiblePictureAndFlagsTheirColours)
{
    std::vector<QImage> seen;
    for (const QString &key : ImagelistSmall::keys()) {
        const QImage image = ImagelistSmall::picture(key).toImage();
        ASSERT_EQ(image.size(), QSize(16, 16)) << key.toStdString();
        int opaque = 0;
        for (int at = 0; at < 256; ++at)
            opaque += qAlpha(image.pixel(at % 16, at / 16)) > 200 ? 1 : 0;
        EXPECT_GT(opaque, 20) << key.toStdString();
        EXPECT_EQ(std::count(seen.begin(), seen.end(), image), 0) << key.toStdString();
        seen.push_back(image);
    }
    EXPECT_EQ(seen.size(), 22u);
    const std::tuple<const char *, int, int, QRgb> samples[] = {
        {"Ger", 8, 8, qRgb(221, 0, 0)},  {"Jap", 8, 8, qRgb(188, 0, 45)},  {"Fra", 2, 8, qRgb(0, 85, 164)},
        {"Ita", 2, 8, qRgb(0, 146, 70)}, {"Spa", 10, 8, qRgb(241, 191, 0)}, {"USA", 2, 5, qRgb(60, 59, 110)},
        {"Pal", 8, 8, qRgb(0, 51, 153)}, {"Aus", 12, 10, qRgb(0, 36, 125)}};
    for (const auto &[key, x, y, colour] : samples) {
        const QRgb actual = ImagelistSmall::picture(QLatin1String(key)).toImage().pixel(x, y);
        EXPECT_LE(std::abs(qRed(actual) - qRed(colour)) + std::abs(qGreen(actual) - qGreen(colour))
                      + std::abs(qBlue(actual) - qBlue(colour)), 80) << key;
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
