#pragma once
// What the parameter file and the table attributes file share: the file dialog that
// starts at the remembered path, and the header check with its two questions.

#include <QString>

class IniText;
class Platform;

// The file the operator chose (an existing one, or for writing also a new one), which
// becomes the remembered path; empty after "No file was selected!".
QString ChooseSettingsFile(Platform& platform, const QString& title, const QString& defaultName,
                           QString& rememberedPath, bool forWriting);

// True when the header names the file type and this program's version, or the operator
// proceeds anyway after each problem (typeProblem for another type); otherwise
// "No parameter where read!" has been shown.
bool SettingsHeaderAccepted(Platform& platform, const IniText& ini, const QString& fileType,
                            const QString& typeProblem);
