#pragma once
// What the simulated sensor sees: coloured surfaces passing in front of it, and
// the colour coordinates it derives from red, green and blue.
//
// Coordinates (all clamped to the 12-bit range 0..4095):
//   X Y INT:  sum = R + G + B;  X = 4095 R / sum,  Y = 4095 G / sum,  INT = sum / 3
//   s i M:    s = 2048 + (R - G) / 2,  i = 2048 + (R + G - 2 B) / 4,  M = (R + G + B) / 3

#include <array>
#include <cstdint>

struct Rgb {
    int red;
    int green;
    int blue;
};

struct Surface {
    const char* name;
    Rgb rgb;  // raw signal at POWER 500, GAIN AMP5, LED DC
};

// The surfaces of the demonstration target, in the order they pass the sensor.
const std::array<Surface, 4>& Surfaces();

struct Coordinates {
    int x;
    int y;
    int intensity;
};

Coordinates CoordinatesOf(const Rgb& rgb, int calculationMode);
