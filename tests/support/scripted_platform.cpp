#include "support/scripted_platform.h"

void ScriptedPlatform::Message(const QString& title, const QString& text) {
    shown.append({title, text});
}

bool ScriptedPlatform::Confirm(const QString& title, const QString& text) {
    shown.append({title, text});
    return confirmAnswers.isEmpty() ? false : confirmAnswers.takeFirst();
}

FileChoice ScriptedPlatform::SelectFile(const FileRequest& request) {
    fileRequests.append(request);
    return fileAnswers.isEmpty() ? FileChoice{} : fileAnswers.takeFirst();
}
