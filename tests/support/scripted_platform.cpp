#include "support/scripted_platform.h"

#include <QPrinter>

void ScriptedPlatform::Message(const QString& title, const QString& text) {
    shown.append({title, text});
}

bool ScriptedPlatform::Confirm(const QString& title, const QString& text) {
    shown.append({title, text});
    return confirmAnswers.isEmpty() ? false : confirmAnswers.takeFirst();
}

std::optional<QString> ScriptedPlatform::Prompt(const QString& title, const QString& text,
                                                int maxChars) {
    shown.append({title, text});
    if (promptAnswers.isEmpty()) return std::nullopt;
    const std::optional<QString> answer = promptAnswers.takeFirst();
    return answer ? std::optional<QString>(answer->left(maxChars)) : std::nullopt;
}

std::optional<uint32_t> ScriptedPlatform::SelectColour(const QString&, uint32_t) {
    return colourAnswers.isEmpty() ? std::nullopt : colourAnswers.takeFirst();
}

FileChoice ScriptedPlatform::SelectFile(const FileRequest& request) {
    fileRequests.append(request);
    return fileAnswers.isEmpty() ? FileChoice{} : fileAnswers.takeFirst();
}

bool ScriptedPlatform::ChoosePrinter(QPrinter& printer) {
    if (printerAnswers.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printerAnswers.takeFirst());
    return true;
}
