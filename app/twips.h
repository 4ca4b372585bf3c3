#pragma once

#include "recorder/constants.h"

#include <QRect>

namespace kelvra {

// Layout sizes are whole twips; on screen they become whole pixels, rounded to the nearest.
constexpr int twipsToPixels(int twips) { return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel); }

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

}  // namespace kelvra
