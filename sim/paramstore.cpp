#include "paramstore.h"

#include <QFile>
#include <QSaveFile>
#include <cstring>

#include "model.h"

namespace {

struct Range {
    uint16_t low;
    uint16_t high;
    uint16_t fallback;
};

// Valid range and default of every scalar word, in word order.
const Range SCALAR_RANGES[SCALAR_WORDS] = {
    {0, 1000, 500},   // POWER
    {0, 1, 0},        // POWER MODE
    {1, 255, 1},      // AVERAGE
    {0, 4, 1},        // EVALUATION MODE
    {0, 10000, 10},   // HOLD FAIL
    {0, 4095, 0},     // INTLIM
    {1, 31, 1},       // MAX VEC NO
    {0, 2, 0},        // DIGITAL OUTMODE
    {0, 6, 0},        // TRIGGER
    {0, 3, 0},        // EXTERN TEACH
    {0, 3, 0},        // CALCULATION MODE
    {0, 4095, 3200},  // DYNWIN LO
    {0, 4095, 3300},  // DYNWIN HI
    {0, 1, 0},        // COLOR GROUP
    {0, 3, 0},        // LED MODE
    {1, 8, 5},        // GAIN
    {0, 250, 1},      // INTEGRAL
    {0, 1000, 500},   // POWER EXTERN
};
const Range CELL_RANGE = {0, 10000, 1};
const Range GROUP_RANGE = {0, 30, 0};
const Range HOLD_RANGE = {0, 10000, 10};

int Check(uint16_t& word, const Range& r) {
    if (word >= r.low && word <= r.high) return 0;
    word = r.fallback;
    return 1;
}

bool ReadEeprom(const QString& path, ParameterSet (&sets)[2]) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != static_cast<qsizetype>(sizeof sets)) return false;
    std::memcpy(sets, bytes.constData(), sizeof sets);  // little-endian, as on the wire
    return true;
}

}  // namespace

ParameterSet ParamStore::Factory() {
    ParameterSet set{};
    std::array<uint16_t, SCALAR_WORDS> scalars;
    for (int i = 0; i < SCALAR_WORDS; ++i) scalars[i] = SCALAR_RANGES[i].fallback;
    SetScalarWords(set.scalars, scalars.data());
    set.scalars.maxVecNo = static_cast<uint16_t>(Surfaces().size());
    set.scalars.digitalOutmode = BINARY;
    // The reserved word carries a tag of the device's own; it must come back unchanged.
    for (int r = 0; r < TEACH_ROWS; ++r)
        set.table[r] = {{1, 1, 1, 1, 1}, 0, 10, static_cast<uint16_t>(0xA500 + r)};
    // Rows 0.. teach the demonstration target's surfaces (X Y INT - 2D).
    for (size_t r = 0; r < Surfaces().size(); ++r) {
        const Coordinates c = CoordinatesOf(Surfaces()[r].rgb, CALC_XYINT_2D);
        set.table[r].cell[0] = static_cast<uint16_t>(c.x);
        set.table[r].cell[1] = static_cast<uint16_t>(c.y);
        set.table[r].cell[2] = 150;
        set.table[r].cell[3] = static_cast<uint16_t>(c.intensity);
        set.table[r].cell[4] = 300;
        set.table[r].group = static_cast<uint16_t>(r);
    }
    return set;
}

int ParamStore::CheckScalars(ParameterScalars& s) {
    auto words = ScalarWords(s);
    int count = 0;
    for (int i = 0; i < SCALAR_WORDS; ++i) count += Check(words[i], SCALAR_RANGES[i]);
    SetScalarWords(s, words.data());
    return count;
}

int ParamStore::CheckTable(TeachTable& t) {
    int count = 0;
    for (TeachVector& row : t) {
        for (uint16_t& cell : row.cell) count += Check(cell, CELL_RANGE);
        count += Check(row.group, GROUP_RANGE) + Check(row.hold, HOLD_RANGE);
    }
    return count;
}

ParamStore::ParamStore(QString eepromPath) : path_(std::move(eepromPath)) {
    if (!ReadEeprom(path_, eeprom_)) eeprom_[0] = eeprom_[1] = Factory();
    ram_[0] = eeprom_[0];
    ram_[1] = eeprom_[1];
}

int ParamStore::TakeScalars(int set, const uint16_t* words) {
    SetScalarWords(ram_[set].scalars, words);
    return CheckScalars(ram_[set].scalars);
}

int ParamStore::TakeTable(int set, const uint16_t* words) {
    SetTableWords(ram_[set].table, words);
    return CheckTable(ram_[set].table);
}

void ParamStore::SaveEeprom() {
    eeprom_[0] = ram_[0];
    eeprom_[1] = ram_[1];
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(reinterpret_cast<const char*>(eeprom_), sizeof eeprom_);
    file.commit();
}

int ParamStore::LoadEeprom() {
    int count = 0;
    for (int s = 0; s < 2; ++s) {
        ram_[s] = eeprom_[s];
        count += CheckScalars(ram_[s].scalars) + CheckTable(ram_[s].table);
    }
    return count;
}
