#pragma once
// The sensor's parameter record: 18 scalar words and a teach table of 31 rows of
// 8 words, one contiguous block of 266 words as the sensor stores it.

#include <array>
#include <cstdint>

constexpr int SCALAR_WORDS = 18;
constexpr int TEACH_ROWS = 31;
constexpr int VECTOR_WORDS = 8;
constexpr int TEACH_CELLS = 5;
constexpr int TABLE_WORDS = TEACH_ROWS * VECTOR_WORDS;  // 248
constexpr int RECORD_WORDS = SCALAR_WORDS + TABLE_WORDS;
constexpr int SCALAR_BLOCK_BYTES = 2 * SCALAR_WORDS;  // 36
constexpr int TABLE_BLOCK_BYTES = 2 * TABLE_WORDS;    // 496

// The sensor's two parameter sets, addressed by the frame param.
enum ParaSet : uint16_t { ParaSet0 = 0, ParaSet1 = 1 };
// Frame param of the table block of set s.
constexpr uint16_t TableBlockParam(int s) { return static_cast<uint16_t>(s + 2); }

// Word order of ParameterScalars, as on the wire.
struct ParameterScalars {
    uint16_t power;
    uint16_t powerMode;
    uint16_t average;
    uint16_t evaluationMode;
    uint16_t holdFail;
    uint16_t intlim;
    uint16_t maxVecNo;
    uint16_t digitalOutmode;
    uint16_t trigger;
    uint16_t externTeach;
    uint16_t calculationMode;
    uint16_t dynwinLo;
    uint16_t dynwinHi;
    uint16_t colorGroup;
    uint16_t ledMode;
    uint16_t gain;
    uint16_t integral;
    uint16_t powerExtern;
};

struct TeachVector {
    uint16_t cell[TEACH_CELLS];
    uint16_t group;
    uint16_t hold;
    uint16_t reserved;  // kept as the sensor sent it; no control or file shows it
};

using TeachTable = std::array<TeachVector, TEACH_ROWS>;

struct ParameterSet {
    ParameterScalars scalars;
    TeachTable table;
};
static_assert(sizeof(ParameterScalars) == SCALAR_BLOCK_BYTES);
static_assert(sizeof(TeachTable) == TABLE_BLOCK_BYTES);
static_assert(sizeof(ParameterSet) == 2 * RECORD_WORDS);

enum PowerMode : uint16_t { POWER_STAT = 0, POWER_DYN = 1 };
enum EvaluationMode : uint16_t { FIRST_HIT = 0, BEST_HIT, MIN_DIST, COL5, THD_RGB };
enum DigitalOutmode : uint16_t { DIRECT_LO = 0, BINARY = 1, DIRECT_HI = 2 };
enum TriggerMode : uint16_t {
    TRIGGER_CONT = 0,
    TRIGGER_SELF,
    TRIGGER_EXT1,
    TRIGGER_EXT2,
    TRIGGER_EXT3,
    TRIGGER_TRANS,
    TRIGGER_PARA
};
enum ExternTeach : uint16_t { EXTEACH_OFF = 0, EXTEACH_ON, EXTEACH_STAT1, EXTEACH_DYN1 };
enum CalculationMode : uint16_t { CALC_XYINT_2D = 0, CALC_SIM_2D, CALC_XYINT_3D, CALC_SIM_3D };
enum LedMode : uint16_t { LED_DC = 0, LED_AC, LED_PULSE, LED_OFF };

constexpr bool Is3D(int calculationMode) { return calculationMode >= CALC_XYINT_3D; }

// Word views of the two blocks, word 0 first (as the wire and the files use them).
std::array<uint16_t, SCALAR_WORDS> ScalarWords(const ParameterScalars& s);
void SetScalarWords(ParameterScalars& s, const uint16_t* words);
std::array<uint16_t, TABLE_WORDS> TableWords(const TeachTable& t);
void SetTableWords(TeachTable& t, const uint16_t* words);

// Rearranges CELL 2..4 of every row when the calculation mode crosses between the
// 2D and the 3D family; within a family the numbers stay as they are.
void ConvertTeachVectors(TeachTable& table, int oldMode, int newMode);
