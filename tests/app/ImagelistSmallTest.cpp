#include "ui/ImagelistSmall.h"

#include <QImage>
#include <QRgb>

#include <gtest/gtest.h>

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
