#include "params/settingsfile.h"

#include <QDir>
#include <QFileInfo>

#include "files/ini.h"
#include "ui/platform.h"

QString ChooseSettingsFile(Platform& platform, const QString& title, const QString& defaultName,
                           QString& rememberedPath, bool forWriting) {
    const QString start = QFileInfo(rememberedPath).dir().filePath(defaultName);
    const FileChoice choice = platform.SelectFile({title, start, "*.ini", forWriting});
    const bool usable =
        choice.kind == FileChoice::Existing || (forWriting && choice.kind == FileChoice::New);
    if (!usable) {
        platform.Message("ATTENTION!", "No file was selected!");
        return {};
    }
    rememberedPath = choice.path;
    return choice.path;
}

bool SettingsHeaderAccepted(Platform& platform, const IniText& ini, const QString& fileType,
                            const QString& typeProblem) {
    for (const QString& problem : HeaderProblems(ini, fileType, typeProblem)) {
        if (!platform.Confirm("ATTENTION!", problem + PROCEED_QUESTION)) {
            platform.Message("ATTENTION!", NOTHING_READ);
            return false;
        }
    }
    return true;
}
