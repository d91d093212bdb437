#pragma once
// The one-page scope report: page decoration (short date, time, page n of m), the
// heading, the program title, the sensor identification and the comment when set, and
// a picture of SCOPEP drawn with vectors (graphs, texts and frames stay sharp on paper
// and in a PDF). The operator picks the printer, or a PDF file, in the print dialog.

#include <QObject>
#include <QString>

#include "ui/panels.h"

class Platform;

class ScopePrint : public QObject {
    Q_OBJECT
  public:
    ScopePrint(Panels& panels, Platform& platform);

    void PrintScope(const QString& sensorId);

  private:
    Panels& panels_;
    Platform& platform_;
};
