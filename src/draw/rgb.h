#pragma once

#include <cstdint>

// A colour as an RGB triple, each channel 0..255.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend constexpr bool operator==(Rgb, Rgb) = default;
};

namespace colours {
constexpr Rgb kBlack {0, 0, 0};
constexpr Rgb kRed {255, 0, 0};
constexpr Rgb kGreen {0, 255, 0};
constexpr Rgb kYellow {255, 255, 0};
constexpr Rgb kPurple {255, 0, 255};
constexpr Rgb kWhite {255, 255, 255};
// Background of the chart surface and of the result panel.
constexpr Rgb kChartBack {255, 224, 192};
// The chart surface's foreground and fill colours before anything sets them.
constexpr Rgb kChartFore {255, 0, 0};
} // namespace colours
