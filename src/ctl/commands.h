#pragma once
// chromik-ctl's commands on one sensor link: the orders the program's pages send and
// the files they write, with the link's reports on standard error.

#include <QElapsedTimer>
#include <QString>

#include "core/flags.h"
#include "core/measurement.h"
#include "core/parameterset.h"
#include "ctl/options.h"
#include "link/link.h"

enum class ExitStatus { Ok = 0, LinkFailure = 1, UsageOrFile = 2 };

// The link's reports as single lines on standard error ("\n" of a text as a blank).
class StderrReporter : public LinkReporter {
  public:
    void ShowStatus(const QString&) override {}
    void AppendLog(const QString& text) override;
    void DimLinkButtons() override {}
    void ShowCommunicationPage() override {}
};

class CtlSession {
  public:
    // interrupted turns true on Ctrl+C (or SIGTERM); record and watch end cleanly then.
    CtlSession(const CtlOptions& options, const QString& programDir, const bool& interrupted);
    // Closes the link before it goes, so its closing is not reported as the sensor's.
    ~CtlSession();

    ExitStatus Run();

  private:
    bool OpenLink();
    ExitStatus Identify();
    ExitStatus Get();
    // The file for send, with the program's header checks, defaults and reports.
    ExitStatus ReadParameterFile(ParameterSet& set);
    ExitStatus Send(ParameterSet set);
    ExitStatus Record();
    ExitStatus RecordTimed();
    ExitStatus RecordTriggered();
    ExitStatus Watch();
    ExitStatus HwInfo();
    // ORDER_GET_DATA into the measurement frame; false on a failure (reported).
    bool RequestFrame();
    // The current frame as a record line appended to the file; false when it could not be
    // written (reported).
    bool AppendRecord();
    double Seconds() const;
    // Waits until `seconds` after start, or an interruption.
    void WaitForInterval(double start, double seconds);

    const CtlOptions& options_;
    const bool& interrupted_;
    ProgramFlags flags_;
    StderrReporter reporter_;
    SensorLink link_;
    MeasurementFrame frame_{};
    QElapsedTimer clock_;
};

// Writes a message line of chromik-ctl itself to standard error.
void PrintError(const QString& text);
