#include "simulator/LineSpeed.h"

#include <cmath>

namespace tav {

namespace {

// Line level at x, measured in sender bit times from the first start bit; idle is high.
class Frames {
public:
    explicit Frames(std::string_view bytes) : bytes_(bytes) {}
    double End() const { return 10.0 * bytes_.size(); }
    int Level(double x) const {
        if (x < 0 || x >= End()) return 1;
        size_t frame = static_cast<size_t>(x / 10.0);
        int pos = static_cast<int>(std::floor(x - 10.0 * frame));
        if (pos == 0) return 0;
        if (pos == 9) return 1;
        return (static_cast<unsigned char>(bytes_[frame]) >> (pos - 1)) & 1;
    }

private:
    std::string_view bytes_;
};

}  // namespace

std::string HearAtSpeed(std::string_view sent, int senderBaud, int receiverBaud) {
    if (senderBaud == receiverBaud || senderBaud <= 0 || receiverBaud <= 0)
        return std::string(sent);
    const Frames line(sent);
    const double r = static_cast<double>(senderBaud) / receiverBaud;  // receiver bit, in sender bits
    std::string heard;
    double from = 0.0;
    for (;;) {
        // Falling edges happen only on sender bit boundaries.
        double k = std::ceil(from);
        while (k <= line.End() && !(line.Level(k - 1) == 1 && line.Level(k) == 0)) k += 1.0;
        if (k > line.End()) break;
        if (line.Level(k + r * 0.5) != 0) {  // glitch, not a start bit
            from = k + r * 0.5;
            continue;
        }
        unsigned value = 0;
        for (int bit = 0; bit < 8; ++bit)
            value |= static_cast<unsigned>(line.Level(k + r * (1.5 + bit))) << bit;
        if (line.Level(k + r * 9.5) == 0) value = 0;  // framing error
        heard.push_back(static_cast<char>(value));
        from = k + r * 9.5;
    }
    return heard;
}

}  // namespace tav
