#include "files/paramtext.h"

namespace {

const char* const PARAMETER = "PARAMETER";

// Tag, default, and the name the missing-item list uses, in word order.
struct ScalarKey {
    const char* tag;
    uint16_t fallback;
    const char* listed;
};
const ScalarKey SCALAR_KEYS[SCALAR_WORDS] = {
    {"POWER", 500, "POWER"},
    {"POWER MODE", 0, "POWER MODE"},
    {"AVERAGE", 1, "AVERAGE"},
    {"EVALUATION MODE", 1, "EVALUATION MODE"},
    {"HOLD FAIL", 10, "HOLD FAIL"},
    {"INTLIM", 0, "INTLIM"},
    {"MAX VEC NO", 1, "MAX VEC NO"},
    {"DIGITAL OUTMODE", 0, "DIGITAL OUTMODE"},
    {"TRIGGER", 0, "TRIGGER"},
    {"EXTERN TEACH", 0, "EXTEACH"},
    {"CALCULATION MODE", 0, "CALCULATION MODE"},
    {"DYNWIN LO", 3200, "DYNWIN LO"},
    {"DYNWIN HI", 3300, "DYNWIN HI"},
    {"COLOR GROUP", 0, "COLOR GROUP"},
    {"LED MODE", 0, "LED MODE"},
    {"GAIN", 5, "GAIN"},
    {"INTEGRAL", 1, "INTEGRAL"},
    {"POWER EXTERN", 500, "POWER EXTERN"},
};

// The row words a file stores (the reserved word is not among them), with defaults.
struct RowKey {
    const char* tag;
    uint16_t fallback;
};
const RowKey ROW_KEYS[7] = {{"CELL 0", 1}, {"CELL 1", 1}, {"CELL 2", 1}, {"CELL 3", 1},
                            {"CELL 4", 1}, {"GROUP", 0},  {"HOLD", 10}};

QString RowSection(int row) { return QString("TEACH VECTOR %1").arg(row); }

uint16_t* RowWord(TeachVector& row, int k) {
    if (k < TEACH_CELLS) return &row.cell[k];
    return k == TEACH_CELLS ? &row.group : &row.hold;
}
}  // namespace

IniText BuildParameterFile(const ParameterSet& set) {
    IniText ini = NewSettingsFile(PARAMETER_FILE_TYPE);
    AppendParameterSections(ini, set);
    return ini;
}

void AppendParameterSections(IniText& ini, const ParameterSet& set) {
    const auto words = ScalarWords(set.scalars);
    for (int i = 0; i < SCALAR_WORDS; ++i) ini.PutInt(PARAMETER, SCALAR_KEYS[i].tag, words[i]);
    for (int r = 0; r < TEACH_ROWS; ++r) {
        TeachVector row = set.table[r];
        for (int k = 0; k < 7; ++k) ini.PutInt(RowSection(r), ROW_KEYS[k].tag, *RowWord(row, k));
    }
}

ParameterFileGaps ReadParameterValues(const IniText& ini, ParameterSet& set) {
    ParameterFileGaps gaps;
    auto words = ScalarWords(set.scalars);
    for (int i = 0; i < SCALAR_WORDS; ++i) {
        const auto value = ini.GetInt(PARAMETER, SCALAR_KEYS[i].tag);
        words[i] = value ? static_cast<uint16_t>(*value & 0xFFFF) : SCALAR_KEYS[i].fallback;
        if (!value) gaps.scalars += QString(SCALAR_KEYS[i].listed) + '\n';
    }
    SetScalarWords(set.scalars, words.data());
    for (int r = 0; r < TEACH_ROWS; ++r) {
        bool rowMissing = false;
        for (int k = 0; k < 7; ++k) {
            const auto value = ini.GetInt(RowSection(r), ROW_KEYS[k].tag);
            *RowWord(set.table[r], k) =
                value ? static_cast<uint16_t>(*value & 0xFFFF) : ROW_KEYS[k].fallback;
            rowMissing |= !value;
        }
        if (rowMissing) gaps.rows += RowSection(r) + '\n';
    }
    return gaps;
}

QStringList GapReports(const ParameterFileGaps& gaps) {
    QStringList reports;
    if (!gaps.scalars.isEmpty())
        reports << "Following parameter could not be read \nand where set to default value:\n\n" +
                       gaps.scalars;
    if (!gaps.rows.isEmpty())
        reports
            << "Following teach vectors could not be read \nand where set to default value:\n\n" +
                   gaps.rows;
    return reports;
}
