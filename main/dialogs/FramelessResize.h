#pragma once

#include <cstdint>

namespace FramelessResize {

// The edges of a frameless dialog frame that a resize drags, as a bit set: a corner is the sum of
// its two edges, and None means that no resize is under way. Both frames call it ResizeDirection.
enum Direction : std::int32_t
{
    None = 0,
    Top = 1,
    Right = 2,
    Bottom = 4,
    Left = 8,
    TopRight = Top | Right,
    BottomRight = Bottom | Right,
    TopLeft = Top | Left,
    BottomLeft = Bottom | Left,
};

} // namespace FramelessResize
