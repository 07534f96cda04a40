#pragma once

#include <cstdint>

#include "AvPtr.h"

namespace mediacore {

// How a video's coded pixels are shown: the track header's matrix, taken to the nearest quarter turn
// and mirror. A phone held upright records landscape pixels and a quarter turn here, so a picture that
// ignores it lies on its side. The 2x2 part maps a pixel (x, y) to (a*x + c*y, b*x + d*y); each of a, b,
// c, d is -1, 0 or 1, and the result is moved back into view.
struct PictureTurn {
    int a = 1;
    int b = 0;
    int c = 0;
    int d = 1;

    bool IsNone() const { return a == 1 && b == 0 && c == 0 && d == 1; }
    bool SwapsSides() const { return a == 0; }
    int ShownWidth(int width, int height) const { return SwapsSides() ? height : width; }
    int ShownHeight(int width, int height) const { return SwapsSides() ? width : height; }
};

// The turn a stream's display matrix asks for; none when it has no matrix or one that is no quarter turn.
PictureTurn TurnOf(const AVStream* stream);

// Gives an output stream of width x height coded pixels the matrix that shows them turned. Nothing is
// written for no turn. False when the side data cannot be allocated.
bool SetTurn(AVStream* stream, const PictureTurn& turn, int width, int height);

// Copies a picture of 32-bit pixels as it is shown: the target is ShownWidth x ShownHeight.
void TurnPixels(const uint32_t* source, int width, int height, int sourceStride, const PictureTurn& turn,
                uint32_t* target, int targetStride);

} // namespace mediacore
