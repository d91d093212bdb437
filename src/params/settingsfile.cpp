#include "params/settingsfile.h"

#include <QDir>
#include <QFileInfo>

#include "params/ini.h"
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
                            const QString& typeQuestion) {
    const struct {
        QString tag;
        QString expected;
        QString question;
    } checks[] = {
        {FILE_TYPE_TAG, fileType, typeQuestion},
        {SCOPE_VERSION_TAG, SCOPE_VERSION,
         "Selected file and scope version do not match! \nDo you want to proceed anyway?"},
    };
    for (const auto& check : checks) {
        if (ini.GetString(GENERAL_INFO, check.tag).value_or(QString()) == check.expected) continue;
        if (!platform.Confirm("ATTENTION!", check.question)) {
            platform.Message("ATTENTION!", "No parameter where read!");
            return false;
        }
    }
    return true;
}
