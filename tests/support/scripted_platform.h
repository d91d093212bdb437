#pragma once
// Popups answered from a script; every popup shown is recorded.

#include <QList>
#include <QPair>
#include <QString>

#include "ui/platform.h"

class ScriptedPlatform : public Platform {
  public:
    struct Shown {
        QString title;
        QString text;
    };
    void Message(const QString& title, const QString& text) override;
    bool Confirm(const QString& title, const QString& text) override;
    FileChoice SelectFile(const FileRequest& request) override;
    // A fixed moment, so record lines can be compared byte for byte.
    QDateTime Now() const override { return QDateTime(QDate(2026, 3, 7), QTime(8, 5, 9)); }
    // Answers the next prompt, cut to its length; an empty script cancels.
    std::optional<QString> Prompt(const QString& title, const QString& text,
                                  int maxChars) override;
    std::optional<uint32_t> SelectColour(const QString& title, uint32_t initial) override;
    // Prints into the next PDF file of the script; an empty script cancels.
    bool ChoosePrinter(QPrinter& printer) override;

    QList<Shown> shown;
    QList<bool> confirmAnswers;     // taken in order; an empty script answers No
    QList<FileChoice> fileAnswers;  // taken in order; an empty script cancels
    QList<FileRequest> fileRequests;
    QList<std::optional<QString>> promptAnswers;
    QList<std::optional<uint32_t>> colourAnswers;  // an empty script cancels
    QStringList printerAnswers;                    // PDF paths; an empty script cancels
};
