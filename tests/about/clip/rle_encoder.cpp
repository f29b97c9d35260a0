#include "rle_encoder.h"

#include <algorithm>

std::vector<std::uint8_t> encodeRle(const std::vector<std::uint8_t> *previous, const std::vector<std::uint8_t> &current,
                                    int width, int height, int bits)
{
    constexpr int kGapWorthSkipping = 4;
    std::vector<std::uint8_t> out;
    const auto pair = [&](int first, int second) {
        out.push_back(static_cast<std::uint8_t>(first));
        out.push_back(static_cast<std::uint8_t>(second));
    };
    // RLE4 bytes hold two pixels, the first in the high half.
    const auto byteAt = [&](const std::uint8_t *p, int i, int count) {
        return bits == 8 ? p[i] : static_cast<std::uint8_t>(p[i] << 4 | (i + 1 < count ? p[i + 1] : 0));
    };
    // Literals need three pixels at least: fewer go as runs of one.
    const auto literal = [&](const std::uint8_t *p, int count) {
        for (int n = std::min(count, 255); count > 0; p += n, count -= n, n = std::min(count, 255)) {
            if (n < 3) {
                for (int i = 0; i < n; ++i)
                    pair(1, byteAt(p, i, i + 1));
                continue;
            }
            pair(0, n);
            const std::size_t start = out.size();
            for (int i = 0; i < n; i += bits == 8 ? 1 : 2)
                out.push_back(byteAt(p, i, n));
            if ((out.size() - start) % 2 != 0)
                out.push_back(0);
        }
    };
    // Encoded runs where they pay off, literals between them. RLE8 runs
    // repeat one value, RLE4 runs a pair of values.
    const auto pixels = [&](const std::uint8_t *p, int count) {
        int literalStart = 0;
        for (int i = 0; i < count;) {
            int run = 1;
            while (i + run < count && run < 255 && p[i + run] == p[i + (bits == 8 ? 0 : run % 2)])
                ++run;
            if (run < 3) {
                ++i;
                continue;
            }
            literal(p + literalStart, i - literalStart);
            pair(run, byteAt(p + i, 0, run));
            literalStart = i += run;
        }
        literal(p + literalStart, count - literalStart);
    };

    int x = 0;
    int line = 0; // where the decoder stands, lines counted from the bottom
    for (int streamLine = 0; streamLine < height; ++streamLine) {
        const std::size_t rowStart = static_cast<std::size_t>(height - 1 - streamLine) * width;
        const auto changed = [&](int column) {
            return !previous || (*previous)[rowStart + column] != current[rowStart + column];
        };
        for (int column = 0; column < width;) {
            if (!changed(column)) {
                ++column;
                continue;
            }
            // Changed pixels with gaps too short to skip are written together.
            int end = column + 1;
            for (int gap = 0; end + gap < width && gap < kGapWorthSkipping;)
                gap = changed(end + gap) ? (end += gap + 1, 0) : gap + 1;
            if (line < streamLine && column < x) { // end of line
                pair(0, 0);
                x = 0;
                ++line;
            }
            while (line < streamLine || x < column) { // delta
                const int right = std::min(column - x, 255);
                const int up = std::min(streamLine - line, 255);
                pair(0, 2);
                pair(right, up);
                x += right;
                line += up;
            }
            pixels(current.data() + rowStart + column, end - column);
            x = column = end;
        }
    }
    pair(0, 1); // end of bitmap
    return out;
}
