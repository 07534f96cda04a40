#include "PictureTurn.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace mediacore {

namespace {

int signOf(int32_t value) {
    return (value > 0) - (value < 0);
}

// Where the corner (0, 0) lands once every turned pixel is moved back into the picture.
void offsetFor(const PictureTurn& turn, int width, int height, int& x, int& y) {
    x = -std::min({0, turn.a * width, turn.c * height, turn.a * width + turn.c * height});
    y = -std::min({0, turn.b * width, turn.d * height, turn.b * width + turn.d * height});
}

} // namespace

PictureTurn TurnOf(const AVStream* stream) {
    const auto* matrix =
        reinterpret_cast<const int32_t*>(av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (!matrix)
        return {};
    // 16.16 fixed point; a camera writes exact quarter turns, anything else is taken to the nearest one.
    const int64_t straight = std::llabs(matrix[0]) + std::llabs(matrix[4]);
    const int64_t across = std::llabs(matrix[1]) + std::llabs(matrix[3]);
    PictureTurn turn;
    if (straight >= across)
        turn = PictureTurn{signOf(matrix[0]), 0, 0, signOf(matrix[4])};
    else
        turn = PictureTurn{0, signOf(matrix[1]), signOf(matrix[3]), 0};
    // A degenerate matrix squashes the picture to a line: better shown as it is coded.
    if (turn.a * turn.d - turn.b * turn.c == 0)
        return {};
    return turn;
}

bool SetTurn(AVStream* stream, const PictureTurn& turn, int width, int height) {
    if (turn.IsNone())
        return true;
    auto* matrix = reinterpret_cast<int32_t*>(
        av_stream_new_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(int32_t)));
    if (!matrix)
        return false;
    int x = 0;
    int y = 0;
    offsetFor(turn, width, height, x, y);
    // The translation is in pixels of this output: players that honour it (Apple's do) place the turned
    // picture at the origin.
    const int32_t values[9] = {turn.a * 0x10000, turn.b * 0x10000, 0,
                               turn.c * 0x10000, turn.d * 0x10000, 0,
                               x * 0x10000,      y * 0x10000,      1 << 30};
    std::copy(std::begin(values), std::end(values), matrix);
    return true;
}

void TurnPixels(const uint32_t* source, int width, int height, int sourceStride, const PictureTurn& turn,
                uint32_t* target, int targetStride) {
    int offsetX = 0;
    int offsetY = 0;
    // Pixel centres: the last column lands on width - 1, not width.
    offsetFor(turn, width - 1, height - 1, offsetX, offsetY);
    const int sourceStep = sourceStride / 4;
    const int targetStep = targetStride / 4;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = source + static_cast<ptrdiff_t>(y) * sourceStep;
        for (int x = 0; x < width; ++x) {
            const int shownX = turn.a * x + turn.c * y + offsetX;
            const int shownY = turn.b * x + turn.d * y + offsetY;
            target[static_cast<ptrdiff_t>(shownY) * targetStep + shownX] = row[x];
        }
    }
}

} // namespace mediacore
