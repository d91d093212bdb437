#pragma once
// The parameter file's content: the ParameterSet as INI sections, and read back with
// a default for every item that is missing or unreadable. No widgets: the program's
// SEND / GET with FILE and chromik-ctl write and read the same bytes.

#include <QString>
#include <QStringList>

#include "core/parameterset.h"
#include "files/ini.h"

inline const QString PARAMETER_FILE_TYPE = "Parameter File";
inline const QString NOT_A_PARAMETER_FILE = "Selected file is not a parameter file! ";

IniText BuildParameterFile(const ParameterSet& set);
// The "PARAMETER" and "TEACH VECTOR n" sections (also part of the hardware file).
void AppendParameterSections(IniText& ini, const ParameterSet& set);

struct ParameterFileGaps {
    QString scalars;  // one line per scalar set to its default
    QString rows;     // one line per row section with a default
};
// Reads every word but the reserved ones; what cannot be read gets its default.
ParameterFileGaps ReadParameterValues(const IniText& ini, ParameterSet& set);

// The operator's reports of the gaps ("Attention!"), scalars first; none without gaps.
QStringList GapReports(const ParameterFileGaps& gaps);
