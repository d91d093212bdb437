#pragma once
// How the sensor compares a measurement with its teach table.
//
// A row's centre and tolerances by calculation-mode family:
//   2D: centre (CELL 0, CELL 1), colour tolerance CELL 2, intensity CELL 3 +- CELL 4;
//       a hit lies within the colour tolerance in the colour plane and within the
//       intensity band; its distance is the colour-plane distance.
//   3D: centre (CELL 0, CELL 1, CELL 2), tolerance CELL 3 around it in all three
//       coordinates; the distance is the 3D distance.
// Only rows 0 .. MAX VEC NO - 1 take part.

#include <cstdint>

#include "model.h"
#include "core/parameterset.h"

struct Evaluation {
    uint16_t colorNumber = 255;
    uint16_t groupNumber = 255;
    int16_t deltaC = -1;
};

Evaluation Evaluate(const ParameterSet& parameters, const Coordinates& c, const Rgb& rgb);
