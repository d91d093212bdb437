#include "record/recording.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include "core/buttons.h"
#include "core/flags.h"
#include "core/wait.h"
#include "link/link.h"
#include "live/goloop.h"
#include "live/graphs.h"
#include "live/livedisplays.h"
#include "files/recordfile.h"
#include "ui/platform.h"

namespace {

const QString CLOSE_OTHERS =
    " Make sure, that the file is not opened by any other program. \n Otherwise it can not be "
    "saved.";
const QString RIGHT_FILE = "Are you sure, that you have selected the right file name?";
const char* const RED_BUTTON = "background-color: #FF0000;";
const char* const GREY_BUTTON = "background-color: #E0E0E0;";

// A control and its label ("Label" and the control's name) go together.
void ShowControl(QWidget* control, bool shown) {
    control->setVisible(shown);
    if (auto* label = control->window()->findChild<QLabel*>("Label" + control->objectName()))
        label->setVisible(shown);
}

}  // namespace

Recording::Recording(Panels& panels, SensorLink& link, ProgramFlags& flags,
                     CommandButtons& buttons, AcquisitionLoop& acquisition,
                     LiveDisplays& displays, LiveGraphs& graphs, Platform& platform,
                     QString& recordFilePath)
    : panels_(panels),
      ui_(panels.mainUi),
      link_(link),
      flags_(flags),
      buttons_(buttons),
      acquisition_(acquisition),
      displays_(displays),
      graphs_(graphs),
      platform_(platform),
      recordFilePath_(recordFilePath) {
    connect(ui_.ButtonSelRecFile, &QPushButton::clicked, this, &Recording::SelectRecordFile);
    connect(ui_.ButtonStartRecord, &QPushButton::clicked, this, &Recording::OnButtonStartRecord);
    connect(ui_.ButtonStopRecord, &QPushButton::clicked, this,
            [this] { flags_.goRunning = false; });
    connect(ui_.ButtonStartTrigRec, &QPushButton::clicked, this,
            &Recording::OnButtonStartTrigRec);
    connect(ui_.ButtonManualRecord, &QPushButton::clicked, this, [this] {
        ui_.ButtonManualRecord->setEnabled(false);
        lostRecords_ = 0;
        RecordManually();
        if (lostRecords_ > 0) ReportLost();
        ui_.ButtonManualRecord->setEnabled(true);
    });
    connect(ui_.EditSelectDataRec, &QComboBox::activated, this, &Recording::OnModeChanged);
    // Arrows and the wheel commit at once, typing on Enter; inputs that only show the
    // values of a running recording commit nothing.
    const auto committed = [this](QAbstractSpinBox* input) {
        if (!input->isReadOnly()) UpdateRecordTime();
    };
    ui_.EditInterval->setKeyboardTracking(false);
    ui_.EditRecVal->setKeyboardTracking(false);
    connect(ui_.EditInterval, &QDoubleSpinBox::valueChanged, this,
            [=, this] { committed(ui_.EditInterval); });
    connect(ui_.EditRecVal, &QSpinBox::valueChanged, this,
            [=, this] { committed(ui_.EditRecVal); });
    ui_.EditRecVal->setMinimum(1);  // 0 values would only end after 65536 records
    ShowRecordControls();
}

RecordMode Recording::Mode() const {
    return static_cast<RecordMode>(std::clamp(ui_.EditSelectDataRec->currentIndex(), 0, 3));
}

void Recording::ShowCount(QLineEdit* display, double value) {
    display->setText(QString::number(value, 'f', 0));
}

void Recording::PageShown() {
    ShowRecordControls();
    if (Mode() == RecordMode::FixedCount) UpdateRecordTime();
}

void Recording::ShowRecordControls() {
    const RecordMode mode = Mode();
    const bool fixed = mode == RecordMode::FixedCount;
    const bool timed = fixed || mode == RecordMode::Continuous;
    const bool counted = mode == RecordMode::Continuous || mode == RecordMode::Triggered;
    ShowControl(ui_.EditInterval, timed);
    ShowControl(ui_.EditRecVal, fixed);
    ShowControl(ui_.DispRecordTime, fixed);
    ui_.LabelRecordTime->setVisible(fixed);
    ShowControl(ui_.DispRecordedValues, fixed || mode == RecordMode::Manual);
    ShowControl(ui_.DispRemaining, fixed);
    ShowControl(ui_.DispFrameCounter, counted);
    ShowControl(ui_.ButtonStartRecord, timed);
    ShowControl(ui_.ButtonStopRecord, mode != RecordMode::Manual);
    ShowControl(ui_.ButtonStartTrigRec, mode == RecordMode::Triggered);
    ShowControl(ui_.ButtonManualRecord, mode == RecordMode::Manual);
}

void Recording::UpdateRecordTime() {
    ShowCount(ui_.DispRecordedValues, 0);
    ShowCount(ui_.DispRemaining, ui_.EditRecVal->value());
    if (ui_.EditInterval->value() < MIN_RECORD_INTERVAL)
        ui_.EditInterval->setValue(MIN_RECORD_INTERVAL);
    const RecordTime t = RecordTimeOf(ui_.EditInterval->value(), ui_.EditRecVal->value());
    ui_.DispRecordTimeDays->setText(QString::number(t.days));
    ui_.DispRecordTimeHours->setText(QString::number(t.hours));
    ui_.DispRecordTimeMinutes->setText(QString::number(t.minutes));
    ui_.DispRecordTimeSeconds->setText(QString::number(t.seconds));
}

void Recording::OnModeChanged() {
    flags_.goRunning = false;
    if (Mode() == RecordMode::Manual) {
        recordedCount_ = 0;
        ShowCount(ui_.DispRecordedValues, 0);
    }
    if (Mode() == RecordMode::FixedCount) UpdateRecordTime();
    ClearRecordChart();
    ShowRecordControls();
}

void Recording::SelectRecordFile() {
    const QFileInfo current(recordFilePath_);
    const QString start = (recordFilePath_.isEmpty() ? QString() : current.dir().path());
    const FileChoice choice = platform_.SelectFile(
        {"FILENAME!", QDir(start).filePath("RecordFile.dat"), "*.dat", true});
    if (choice.kind == FileChoice::None) {
        platform_.Message("ATTENTION!", "No filename was selected! \nRecording will not be done! ");
        recordFilePath_.clear();
        return;
    }
    if (choice.kind == FileChoice::Existing) {
        if (!platform_.Confirm("ATTENTION!",
                               "File already exist! \nDo you want to select existing file?"))
            return;
        platform_.Message("ATTENTION!", CLOSE_OTHERS);
        QFile::remove(choice.path);
    }
    recordFilePath_ = choice.path;
    ui_.DispRecFile->setText(recordFilePath_);
    AppendToFile(recordFilePath_, RecordHeader(ui_.DispRecSensorId->text()));
}

void Recording::AppendRecordLine() {
    if (!AppendToFile(recordFilePath_, RecordLine(acquisition_.frame, platform_.Now())))
        ++lostRecords_;
}

void Recording::PlotRecordChart() {
    const MeasurementFrame& f = acquisition_.frame;
    const std::array<double, RECORD_SIGNALS> values = {
        double(f.red), double(f.green), double(f.blue), double(f.x),
        double(f.y),   double(f.intensity), double(f.temperature)};
    Ui::GRAPHP& g = panels_.graphp.ui;
    QLineEdit* displays[RECORD_SIGNALS] = {g.DispGp0, g.DispGp1, g.DispGp2, g.DispGp3,
                                           g.DispGp4, g.DispGp5, g.DispGp6};
    for (int s = 0; s < RECORD_SIGNALS; ++s) ShowCount(displays[s], values[s]);
    // One growing line per signal: the new point joins the previous one.
    graphs_.recordChart.AppendRecord(chartIndex_, values);
    ++chartIndex_;
}

void Recording::ClearRecordChart() {
    chartIndex_ = 0;
    graphs_.recordChart.ClearRecordChart();
}

void Recording::RecordManually() {
    PlotRecordChart();
    AppendRecordLine();
    ++recordedCount_;
    ShowCount(ui_.DispRecordedValues, recordedCount_);
}

void Recording::TakeFrame() {
    acquisition_.DecodeDataFrame();
    PlotRecordChart();
    displays_.UpdateLiveDisplays(acquisition_.frame, acquisition_.EvaluationMode());
    AppendRecordLine();
}

void Recording::OnButtonStartRecord() {
    const ButtonsDimmed dimmed(buttons_, DimMode::Transfer);
    ClearRecordChart();
    if (!platform_.Confirm("ATTENTION!", RIGHT_FILE)) return;
    platform_.Message("ATTENTION!", CLOSE_OTHERS);
    for (QAbstractSpinBox* input : {static_cast<QAbstractSpinBox*>(ui_.EditInterval),
                                    static_cast<QAbstractSpinBox*>(ui_.EditRecVal)})
        input->setReadOnly(true);
    ui_.ButtonStartRecord->setEnabled(false);
    ui_.ButtonStartRecord->setStyleSheet(RED_BUTTON);
    RunRecording();
    ReportEnd();
    for (QAbstractSpinBox* input : {static_cast<QAbstractSpinBox*>(ui_.EditInterval),
                                    static_cast<QAbstractSpinBox*>(ui_.EditRecVal)})
        input->setReadOnly(false);
    ui_.ButtonStartRecord->setStyleSheet(GREY_BUTTON);
}

void Recording::RunRecording() {
    flags_.goRunning = true;
    recordedCount_ = 0;
    lostRecords_ = 0;
    UpdateRecordTime();
    frameCounter_ = 0;
    const int values = ui_.EditRecVal->value();
    while (flags_.goRunning) {
        const double start = platform_.Seconds();
        if (link_.Request({.order = ORDER_GET_DATA})) TakeFrame();
        if (Mode() == RecordMode::FixedCount) {
            ++recordedCount_;
            ShowCount(ui_.DispRecordedValues, recordedCount_);
            ShowCount(ui_.DispRemaining, values - recordedCount_);
            if (recordedCount_ >= values) flags_.goRunning = false;
        } else {
            ShowCount(ui_.DispFrameCounter, ++frameCounter_);
        }
        WaitForInterval(start);
    }
    displays_.Flush();
}

void Recording::WaitForInterval(double start) {
    const double interval = ui_.EditInterval->value();
    // Measured start to start: a slow cycle is followed at once by the next.
    WaitUntil([&] { return !flags_.goRunning || platform_.Seconds() - start >= interval; },
              std::max(0.0, interval - (platform_.Seconds() - start)));
}

void Recording::OnButtonStartTrigRec() {
    if (!platform_.Confirm("ATTENTION!", RIGHT_FILE)) return;
    const ButtonsDimmed dimmed(buttons_, DimMode::Transfer);
    platform_.Message("ATTENTION!", CLOSE_OTHERS);
    ui_.ButtonStartTrigRec->setStyleSheet(RED_BUTTON);
    RunTriggeredRecording();
    // The sensor stops sending, whatever ended the loop.
    link_.Request({.order = ORDER_TRIGGERED_SEND, .param = 0});
    ReportEnd();
    ui_.ButtonStartTrigRec->setStyleSheet(GREY_BUTTON);
}

void Recording::RunTriggeredRecording() {
    lostRecords_ = 0;
    if (!link_.Request({.order = ORDER_TRIGGERED_SEND, .param = 1})) return;
    frameCounter_ = 0;
    flags_.goRunning = true;
    while (flags_.goRunning) {
        if (link_.ReceiveFrame([this] { return !flags_.goRunning; }) != ReceiveResult::Frame)
            continue;
        TakeFrame();
        ShowCount(ui_.DispFrameCounter, ++frameCounter_);
    }
    displays_.Flush();
}

void Recording::ReportEnd() {
    if (lostRecords_ == 0)
        platform_.Message("INFO!", "File has been saved!");
    else
        ReportLost();
}

void Recording::ReportLost() {
    const QString where = recordFilePath_.isEmpty() ? QString("No record file was selected.")
                                                    : "Record file: " + recordFilePath_;
    const QString text = QString("%1 records could not be saved!\n").arg(lostRecords_) + where;
    link_.AppendLog("ATTENTION! " + text + "\n\n");
    platform_.Message("ATTENTION!", text);
}
