#pragma once

// Counting the pixels of a picture that pass a test: what tests of drawn widgets and of screen
// shots ask of them. Parts of the area outside the picture count as nothing.

#include <QColor>
#include <QImage>
#include <QRect>

#include <cstdlib>

template <typename Test>
int CountWhere(const QImage& image, const QRect& area, Test test)
{
    int count = 0;
    QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += test(image.pixel(x, y));
    return count;
}

// Pixels of exactly one colour, alpha aside.
inline int CountColour(const QImage& image, const QRect& area, QRgb colour)
{
    return CountWhere(image, area, [colour](QRgb pixel) { return (pixel & 0xFFFFFF) == colour; });
}

// Pixels of text: dark whatever its smoothing.
inline int CountDark(const QImage& image, const QRect& area)
{
    return CountWhere(image, area, [](QRgb pixel) { return qGray(pixel) < 0x60; });
}

// Pixels within 60 of the colour in each channel.
inline int CountNear(const QImage& image, const QRect& area, QColor colour)
{
    return CountWhere(image, area, [colour](QRgb pixel) {
        return std::abs(qRed(pixel) - colour.red()) < 60 && std::abs(qGreen(pixel) - colour.green()) < 60 &&
               std::abs(qBlue(pixel) - colour.blue()) < 60;
    });
}
