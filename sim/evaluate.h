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

// The five outputs OUT0..OUT4 (bits 0..4) for an evaluation. COL5 and THD RGB put their
// bit pattern on them. Otherwise the colour number (the group number with COLOR GROUP on)
// drives them by DIGITAL OUTMODE: BINARY as its binary number; DIRECT LO pulls the one
// output of colour 0..4 low and leaves the others high, DIRECT HI the reverse. No colour
// (or one a direct mode cannot show) leaves all high (BINARY, DIRECT LO) or all low
// (DIRECT HI).
uint16_t OutputBits(const ParameterScalars& s, const Evaluation& e);
