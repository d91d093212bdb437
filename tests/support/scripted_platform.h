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

    QList<Shown> shown;
    QList<bool> confirmAnswers;     // taken in order; an empty script answers No
    QList<FileChoice> fileAnswers;  // taken in order; an empty script cancels
    QList<FileRequest> fileRequests;
};
