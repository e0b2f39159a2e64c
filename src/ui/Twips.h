#pragma once

#include <QRect>

// The dialogs are designed in twips; at 96 dots per inch a pixel is 15 twips. Qt's
// device-independent pixels scale the result on a high-density screen.
constexpr int TwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

constexpr QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}
