#pragma once
// One data frame of the sensor and what the live displays derive from it.

#include <array>
#include <cstdint>

constexpr int MEASUREMENT_WORDS = 20;
constexpr uint16_t NO_COLOUR = 255;

struct MeasurementFrame {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
    uint16_t x;          // X, or s in the s i M modes
    uint16_t y;          // Y, or i
    uint16_t intensity;  // INT, or M
    int16_t deltaC;
    uint16_t colorNumber;  // teach row, 255 = none
    uint16_t groupNumber;  // 255 = none
    uint16_t trigger;
    uint16_t temperature;
    uint16_t rawRed;
    uint16_t rawGreen;
    uint16_t rawBlue;
    // Minimum red, green, blue, then maximum red, green, blue, as the sensor keeps them.
    uint16_t minMaxRgb[6];
};

// Copies words 0..19 of measurementWords into the frame.
void DecodeMeasurementFrame(const uint16_t* measurementWords, MeasurementFrame& frame);

// Highest minus lowest of the three raw values.
uint16_t RawDelta(const MeasurementFrame& frame);

// The swatch colour 0xRRGGBB: each 12-bit channel divided by 16.
uint32_t SwatchColour(const MeasurementFrame& frame);

// OUT0..OUT4 for a colour number: its binary pattern; 255 lights all five.
std::array<bool, 5> OutputLeds(uint16_t colorNumber);
