#pragma once

#include "draw/rgb.h"

#include <QColor>

#include <cstdint>

// The one conversion between the core's colours and Qt's.
inline QColor ToQColor(Rgb colour)
{
    return QColor(colour.r, colour.g, colour.b);
}

inline Rgb ToRgb(const QColor &colour)
{
    return Rgb {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
                static_cast<std::uint8_t>(colour.blue())};
}
