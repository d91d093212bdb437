#include "core/parameterset.h"

#include <cstring>
#include <utility>

std::array<uint16_t, SCALAR_WORDS> ScalarWords(const ParameterScalars& s) {
    std::array<uint16_t, SCALAR_WORDS> words;
    std::memcpy(words.data(), &s, sizeof s);
    return words;
}

void SetScalarWords(ParameterScalars& s, const uint16_t* words) {
    std::memcpy(&s, words, sizeof s);
}

std::array<uint16_t, TABLE_WORDS> TableWords(const TeachTable& t) {
    std::array<uint16_t, TABLE_WORDS> words;
    std::memcpy(words.data(), t.data(), sizeof t);
    return words;
}

void SetTableWords(TeachTable& t, const uint16_t* words) { std::memcpy(t.data(), words, sizeof t); }

void ConvertTeachVectors(TeachTable& table, int oldMode, int newMode) {
    if (Is3D(oldMode) == Is3D(newMode)) return;
    for (TeachVector& row : table) {
        uint16_t* c = row.cell;
        if (Is3D(newMode)) {
            // (X, Y, CTO, INT, ITO) -> (X, Y, INT, CTO, 1)
            std::swap(c[2], c[3]);
            c[4] = 1;
        } else {
            // (X, Y, INT, TOL, -) -> (X, Y, TOL, INT, TOL)
            std::swap(c[2], c[3]);
            c[4] = c[2];
        }
    }
}
