#pragma once
// The program object: all state of one run, created in main and thrown away by
// tests. Start-up, the main panel's events and shutdown live here.

#include <QObject>
#include <QString>

#include "app/commandbar.h"
#include "app/commpage.h"
#include "app/hwinfofile.h"
#include "app/mainwindow.h"
#include "app/panelsettings.h"
#include "app/password.h"
#include "core/calibrationvalues.h"
#include "core/flags.h"
#include "core/parameterset.h"
#include "link/link.h"
#include "calib/calibration.h"
#include "live/goloop.h"
#include "live/graphs.h"
#include "live/livedisplays.h"
#include "params/cascade.h"
#include "params/paramcontrols.h"
#include "params/paramfile.h"
#include "params/tableattributes.h"
#include "params/transfer.h"
#include "record/recording.h"
#include "scope/scopedisplay.h"
#include "scope/scopeprint.h"
#include "scope/scopescan.h"
#include "teach/meanteach.h"
#include "teach/recordteach.h"
#include "teach/teachtable.h"
#include "ui/help.h"

class Platform;

class Program : public QObject {
    Q_OBJECT
  public:
    Program(Platform& platform, QString programDir);
    ~Program() override;

    ProgramFlags flags;
    ParameterSet parameterSet{};
    CalibrationValues calibration;
    RememberedPaths paths;
    MainWindow window;
    Panels& panels;
    CommunicationReport report;
    SensorLink link;
    HelpPopups help;
    PasswordPopup password;
    ParameterControls paramControls;
    ModeCascade cascade;
    ParameterFile parameterFile;
    ParameterTransfer transfer;
    TableAttributes attributes;
    LiveGraphs graphs;
    LiveDisplays displays;
    AcquisitionLoop acquisition;
    CommandBar commandBar;
    CommunicationPage comm;
    PanelSettings panelSettings;
    HardwareInfoFile hardwareInfo;
    TeachTableEditor teachTable;
    MeanValueTeach meanTeach;
    RecordedValueTeach recordTeach;
    CalibrationPage calibrationPage;
    Recording recording;
    ScopeState scope;
    ScopeDisplay scopeDisplay;
    ScopeAcquisition scopeScan;
    ScopePrint scopePrint;

    // The sensor identification (at most 100 characters), shown on every panel that
    // names the sensor.
    void SetSensorId(const QString& text);

    void StartUp();
    void Shutdown();
    // Names in the help table without a control (empty when all are found).
    const QStringList& MissingHelpControls() const { return missingHelp_; }

  private:
    void OnCloseRequest();
    void OnButtonGo();
    void OnAccept();
    void OnMainTabChanged(int index);

    QString programDir_;
    QStringList missingHelp_;
};
