#include "app/program.h"

#include <QApplication>

#include "app/branding.h"
#include "app/helptexts.h"
#include "ui/platform.h"

Program::Program(Platform& platform, QString programDir)
    : panels(window.panels),
      report(panels),
      link(flags, report, programDir),
      help(platform),
      password(panels, platform),
      paramControls(panels.mainUi, parameterSet),
      cascade(panels, paramControls, parameterSet, platform),
      parameterFile(platform, paramControls, cascade, parameterSet, paths.parameterFile),
      transfer(link, flags, parameterSet, paramControls, cascade, parameterFile),
      attributes(panels, platform, paths.tableAttributesFile),
      graphs(panels, parameterSet, attributes.rowColors),
      displays(panels, graphs),
      acquisition(link, flags, parameterSet, displays, transfer),
      commandBar(panels, flags),
      comm(panels, link, flags, report, commandBar, transfer, programDir),
      panelSettings(programDir, window, comm, attributes, paths, *panels.mainUi.EditID),
      hardwareInfo(link, flags, platform, transfer, paramControls, parameterSet, calibration,
                   panels.mainUi, paths.hardwareIniFile),
      teachTable(panels, flags, paramControls, graphs, displays, attributes, platform,
                 TEACH_TABLE_HELP),
      meanTeach(panels, flags, parameterSet, paramControls, graphs, acquisition, commandBar,
                platform),
      recordTeach(panels, link, flags, paramControls, graphs, acquisition, teachTable, meanTeach,
                  commandBar, platform),
      calibrationPage(panels, link, flags, calibration, commandBar, acquisition, displays,
                      platform),
      recording(panels, link, flags, commandBar, acquisition, displays, graphs, platform,
                paths.recordFile),
      scopeDisplay(panels, scope, paramControls, parameterSet),
      scopeScan(panels, link, scope, scopeDisplay, commandBar),
      scopePrint(panels, platform),
      programDir_(std::move(programDir)) {
    for (int i = 0; i < HELP_TABLE_COUNT; ++i) {
        const HelpTable& t = HELP_TABLES[i];
        missingHelp_ += help.Install(panels.All(), t.entries, t.count, t.title);
    }
    connect(&commandBar, &CommandBar::SendRequested, this, [this] { transfer.SendParameters(); });
    connect(&commandBar, &CommandBar::GetRequested, this, [this] { transfer.GetParameters(); });
    connect(&commandBar, &CommandBar::GoRequested, this, &Program::OnButtonGo);
    connect(panels.mainUi.ButtonGenHwInfoFile, &QPushButton::clicked, this, [this] {
        const ButtonsDimmed dimmed(commandBar, DimMode::Transfer);
        hardwareInfo.WriteHardwareInfoFile();
    });
    connect(panels.scopep.ui.ButtonPrintScopeGraph, &QPushButton::clicked, this,
            [this] { scopePrint.PrintScope(panelSettings.sensorId); });
    connect(panels.mainUi.EditID, &QLineEdit::editingFinished, this,
            [this] { SetSensorId(panels.mainUi.EditID->text()); });
    connect(&cascade, &ModeCascade::TaughtColoursChanged, this, [this] {
        graphs.DrawTeachTolerances();
        graphs.PlotLiveGraphs(graphs.ShownFrame());
    });
    connect(&attributes, &TableAttributes::RowColorsChanged, &graphs,
            &LiveGraphs::DrawTeachTolerances);
    connect(&cascade, &ModeCascade::TeachPanelsToSetUp, &meanTeach,
            &MeanValueTeach::SetUpTeachPanels);
    connect(&cascade, &ModeCascade::CalculationModeApplied, &graphs,
            &LiveGraphs::ApplyCalculationMode);
    // A committed row number: arrows and the wheel commit at once, typing on Enter.
    panels.mainUi.EditNo->setKeyboardTracking(false);
    connect(panels.mainUi.EditNo, &QSpinBox::valueChanged, &graphs,
            &LiveGraphs::DrawIntensityBand);
    connect(&window, &MainWindow::CloseRequested, this, &Program::OnCloseRequest);
    connect(panels.mainUi.TabMain1, &QTabWidget::currentChanged, this, &Program::OnMainTabChanged);
    connect(&comm, &CommunicationPage::Accepted, this, &Program::OnAccept);
}

Program::~Program() { Shutdown(); }

void Program::StartUp() {
    flags = ProgramFlags{};
    Ui::MAINP& m = panels.mainUi;
    DrawBrandingBlock(m.DecoBanner, programDir_);
    paramControls.ControlsToParameterSet();
    panelSettings.ReadPanelSettings();
    panels.mainUi.DispRecFile->setText(paths.recordFile);
    SetSensorId(panelSettings.sensorId);
    attributes.ApplyRowColors();
    m.TabMain1->setCurrentIndex(PAGE_PARAMETER);
    panels.datap.ui.TabDataP1->setCurrentIndex(DATA_PAGE_3D);
    m.TabMain1->setTabVisible(PAGE_OFFSET_COMPENSATION, false);
    panels.ShowChildPanel(&panels.datap.widget);
    window.show();
    panelSettings.ReadCommunicationSettings();
    // The panels agree with the modes also when no sensor answers.
    cascade.ApplyModeCascade();
    const ButtonsDimmed dimmed(commandBar, DimMode::Transfer);
    comm.TryToConnect();
}

void Program::Shutdown() {
    link.CloseTcp();
    link.CloseComPort();
}

void Program::OnButtonGo() {
    const ButtonsDimmed dimmed(commandBar, DimMode::Go);
    paramControls.ControlsToParameterSet();
    panels.ShowChildPanel(&panels.datap.widget);
    graphs.DrawTeachTolerances();
    acquisition.RunGoLoop();
}

void Program::SetSensorId(const QString& text) {
    const QString id = text.left(SENSOR_ID_CHARS);
    panelSettings.sensorId = id;
    for (QLineEdit* display : {panels.mainUi.EditID, panels.mainUi.DispRecSensorId,
                               panels.colbigp.ui.DispBigColId, panels.grpbigp.ui.DispBigGroupId})
        display->setText(id);
}

void Program::OnAccept() {
    panelSettings.WritePanelSettings();
    panels.mainUi.TabMain1->setCurrentIndex(PAGE_PARAMETER);
}

void Program::OnCloseRequest() {
    flags.goRunning = false;
    flags.closeRequested = true;
    panelSettings.WritePanelSettings();
    // exit(), not quit(): quit() would send the windows another close request. Queued,
    // so a loop running inside a callback unwinds first.
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void Program::OnMainTabChanged(int index) {
    if (index == PAGE_RECORDING) {
        recording.PageShown();
    } else if (index == PAGE_COMMUNICATION) {
        flags.goRunning = false;
        report.DimLinkButtons();
        comm.RefreshComPortList();
    } else if (index == PAGE_SCOPE_SETTINGS) {
        flags.goRunning = false;
        panels.ShowChildPanel(&panels.scopep.widget);
    }
}
