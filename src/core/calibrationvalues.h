#pragma once
// The sensor's white-light calibration factors and dark offsets, red, green, blue.

#include <array>
#include <cstdint>

struct CalibrationValues {
    std::array<uint16_t, 3> factors{};
    std::array<uint16_t, 3> offsets{};
};
