#include "rle_encoder.h"

#include <algorithm>
#include <utility>

namespace {

class RleWriter
{
public:
    explicit RleWriter(int bits) : bits_(bits) {}

    void endOfLine() { escape(0); }
    void endOfBitmap() { escape(1); }
    void delta(int right, int up)
    {
        escape(2);
        out_.push_back(static_cast<std::uint8_t>(right));
        out_.push_back(static_cast<std::uint8_t>(up));
    }

    // Writes pixels, choosing encoded runs where they pay off.
    void pixels(const std::uint8_t *p, int count)
    {
        int i = 0;
        int literalStart = 0;
        while (i < count) {
            const int run = runLength(p + i, count - i);
            if (run >= 3) {
                literal(p + literalStart, i - literalStart);
                encodedRun(p + i, run);
                i += run;
                literalStart = i;
            } else {
                ++i;
            }
        }
        literal(p + literalStart, count - literalStart);
    }

    std::vector<std::uint8_t> take() { return std::move(out_); }

private:
    void escape(int code)
    {
        out_.push_back(0);
        out_.push_back(static_cast<std::uint8_t>(code));
    }

    // RLE8 runs repeat one value; RLE4 runs repeat a pair of values.
    int runLength(const std::uint8_t *p, int available) const
    {
        int run = 1;
        while (run < available && run < 255 && p[run] == p[bits_ == 8 ? 0 : run % 2])
            ++run;
        return run;
    }

    void encodedRun(const std::uint8_t *p, int run)
    {
        out_.push_back(static_cast<std::uint8_t>(run));
        out_.push_back(bits_ == 8 ? p[0] : static_cast<std::uint8_t>(p[0] << 4 | (run > 1 ? p[1] : 0)));
    }

    void literal(const std::uint8_t *p, int count)
    {
        while (count > 0) {
            const int n = std::min(count, 255);
            if (n < 3) {
                for (int i = 0; i < n; ++i)
                    encodedRun(p + i, 1);
            } else {
                escape(n);
                std::size_t bytes = 0;
                for (int i = 0; i < n; i += bits_ == 8 ? 1 : 2, ++bytes) {
                    if (bits_ == 8)
                        out_.push_back(p[i]);
                    else
                        out_.push_back(static_cast<std::uint8_t>(p[i] << 4 | (i + 1 < n ? p[i + 1] : 0)));
                }
                if (bytes % 2 != 0)
                    out_.push_back(0);
            }
            p += n;
            count -= n;
        }
    }

    int bits_;
    std::vector<std::uint8_t> out_;
};

} // namespace

std::vector<std::uint8_t> encodeRle(const std::vector<std::uint8_t> *previous, const std::vector<std::uint8_t> &current,
                                    int width, int height, int bits)
{
    constexpr int kGapWorthSkipping = 4;
    RleWriter writer(bits);
    int x = 0;
    int line = 0; // counted from the bottom, as RLE does
    for (int streamLine = 0; streamLine < height; ++streamLine) {
        const std::size_t rowStart = static_cast<std::size_t>(height - 1 - streamLine) * width;
        const auto changed = [&](int column) {
            return !previous || (*previous)[rowStart + column] != current[rowStart + column];
        };
        int column = 0;
        while (column < width) {
            if (!changed(column)) {
                ++column;
                continue;
            }
            int end = column;
            int unchanged = 0;
            while (end + unchanged < width && unchanged < kGapWorthSkipping) {
                if (changed(end + unchanged)) {
                    end += unchanged + 1;
                    unchanged = 0;
                } else {
                    ++unchanged;
                }
            }
            if (line < streamLine && column < x) {
                writer.endOfLine();
                x = 0;
                ++line;
            }
            while (line < streamLine || x < column) {
                const int right = std::min(column - x, 255);
                const int up = std::min(streamLine - line, 255);
                writer.delta(right, up);
                x += right;
                line += up;
            }
            writer.pixels(current.data() + rowStart + column, end - column);
            x = end;
            column = end;
        }
    }
    writer.endOfBitmap();
    return writer.take();
}
