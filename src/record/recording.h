#pragma once
// The recording page: the record file, the four record modes, the recording loops and
// the record chart. Every record that could not be written is counted and reported at
// the end, so the operator never believes lost records were saved.

#include <QObject>

#include "ui/panels.h"

struct ProgramFlags;
class SensorLink;
class CommandButtons;
class AcquisitionLoop;
class LiveDisplays;
class LiveGraphs;
class Platform;

enum class RecordMode { FixedCount = 0, Continuous = 1, Manual = 2, Triggered = 3 };

class Recording : public QObject {
    Q_OBJECT
  public:
    Recording(Panels& panels, SensorLink& link, ProgramFlags& flags, CommandButtons& buttons,
              AcquisitionLoop& acquisition, LiveDisplays& displays, LiveGraphs& graphs,
              Platform& platform, QString& recordFilePath);

    void SelectRecordFile();
    void ShowRecordControls();
    void UpdateRecordTime();
    void RunRecording();
    void RunTriggeredRecording();
    void RecordManually();
    void ClearRecordChart();
    void PlotRecordChart();
    // The page became the active one.
    void PageShown();

  private:
    RecordMode Mode() const;
    void OnButtonStartRecord();
    void OnButtonStartTrigRec();
    void OnModeChanged();
    void WaitForInterval(double start);
    void AppendRecordLine();
    // One frame of a loop: chart, live displays and graphs, file.
    void TakeFrame();
    // "File has been saved!", or what was lost and where.
    void ReportEnd();
    void ReportLost();
    void ShowCount(QLineEdit* display, double value);

    Panels& panels_;
    Ui::MAINP& ui_;
    SensorLink& link_;
    ProgramFlags& flags_;
    CommandButtons& buttons_;
    AcquisitionLoop& acquisition_;
    LiveDisplays& displays_;
    LiveGraphs& graphs_;
    Platform& platform_;
    QString& recordFilePath_;
    int recordedCount_ = 0;
    double frameCounter_ = 0;
    int chartIndex_ = 0;
    int lostRecords_ = 0;
};
