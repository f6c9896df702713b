#pragma once

#include <QRect>

namespace mapwren {

// The window's design is measured in twips; 15 twips make one logical pixel
// (96 dpi), and Qt scales logical pixels on denser screens.
inline constexpr int kTwipsPerPixel = 15;

constexpr int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
constexpr int Twips(int pixels) { return pixels * kTwipsPerPixel; }

inline QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

} // namespace mapwren
