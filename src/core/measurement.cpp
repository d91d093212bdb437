#include "core/measurement.h"

#include <algorithm>

void DecodeMeasurementFrame(const uint16_t* w, MeasurementFrame& f) {
    f.red = w[0];
    f.green = w[1];
    f.blue = w[2];
    f.x = w[3];
    f.y = w[4];
    f.intensity = w[5];
    f.deltaC = static_cast<int16_t>(w[6]);
    f.colorNumber = w[7];
    f.groupNumber = w[8];
    f.trigger = w[9];
    f.temperature = w[10];
    f.rawRed = w[11];
    f.rawGreen = w[12];
    f.rawBlue = w[13];
    std::copy_n(w + 14, 6, f.minMaxRgb);
}

uint16_t RawDelta(const MeasurementFrame& f) {
    const auto [lo, hi] = std::minmax({f.rawRed, f.rawGreen, f.rawBlue});
    return static_cast<uint16_t>(hi - lo);
}

uint32_t SwatchColour(const MeasurementFrame& f) {
    auto channel = [](uint16_t v) { return static_cast<uint32_t>(std::min(v / 16, 255)); };
    return channel(f.red) << 16 | channel(f.green) << 8 | channel(f.blue);
}

std::array<bool, 5> OutputLeds(uint16_t colorNumber) {
    std::array<bool, 5> leds{};
    int d = colorNumber;
    for (int bit = 4; bit >= 1; --bit) {
        const int weight = 1 << bit;
        leds[bit] = d >= weight;
        if (leds[bit]) d -= weight;
    }
    leds[0] = d >= 1;
    return leds;
}
