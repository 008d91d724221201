// Window layouts are measured in twips; 15 twips are one pixel at 96 dots per inch.
#pragma once

#include <QRect>

#include <cmath>

namespace korvane {

inline int px(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

inline QRect twips(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

}  // namespace korvane
