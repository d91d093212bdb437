#include "app/program.h"

#include <QApplication>

#include "app/branding.h"
#include "app/helptexts.h"
#include "ui/platform.h"

Program::Program(Platform& platform, QString programDir)
    : link(flags, programDir),
      panels(window.panels),
      commandBar(panels, flags),
      comm(panels, link, flags, programDir,
           [this](int goMode, int dimmed) { commandBar.SetButtonsDimmed(goMode, dimmed); }),
      help(platform),
      password(panels, platform),
      paramControls(panels.mainUi, parameterSet),
      transfer(link, flags, parameterSet, paramControls),
      displays(panels),
      acquisition(link, flags, parameterSet, displays),
      attributes(panels, platform),
      panelSettings(programDir, window, comm, attributes, paths),
      parameterFile(platform, paramControls, parameterSet, paths.parameterFile),
      hardwareInfo(link, flags, platform, transfer, paramControls, parameterSet, panels.mainUi,
                   paths.hardwareIniFile),
      programDir_(std::move(programDir)) {
    for (int i = 0; i < HELP_TABLE_COUNT; ++i) {
        const HelpTable& t = HELP_TABLES[i];
        missingHelp_ += help.Install(panels.All(), t.entries, t.count, t.title);
    }
    // The rest of the mode cascade is not built yet; these two steps are, because the
    // parameter transfer and the live displays depend on them.
    paramControls.applyModeCascade = [this] {
        paramControls.ReadModeFields();
        paramControls.UpdateTriggerList();
    };
    acquisition.sendParameters = [this] { transfer.SendParameters(); };
    acquisition.getParameters = [this] { transfer.GetParameters(); };
    commandBar.runGo = [this] { OnButtonGo(); };
    transfer.writeParameterFile = [this] { parameterFile.WriteParameterFile(); };
    transfer.readParameterFile = [this] { parameterFile.ReadParameterFile(); };
    parameterFile.afterRead = [this] {
        if (paramControls.applyModeCascade) paramControls.applyModeCascade();
        if (paramControls.redrawTaughtColours) paramControls.redrawTaughtColours();
    };
    connect(panels.mainUi.ButtonGenHwInfoFile, &QPushButton::clicked, this, [this] {
        commandBar.SetButtonsDimmed(0, 1);
        hardwareInfo.WriteHardwareInfoFile();
        commandBar.SetButtonsDimmed(0, 0);
    });
    connect(panels.mainUi.EditID, &QLineEdit::editingFinished, this,
            [this] { SetSensorId(panels.mainUi.EditID->text()); });
    commandBar.sendParameters = [this] { transfer.SendParameters(); };
    commandBar.getParameters = [this] { transfer.GetParameters(); };
    comm.afterIdentify = [this] { transfer.GetParameters(); };
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
    commandBar.SetButtonsDimmed(0, 1);
    comm.TryToConnect();
    commandBar.SetButtonsDimmed(0, 0);
}

void Program::Shutdown() {
    if (flags.tcpConnected) link.CloseTcp();
    link.CloseComPort();
}

void Program::OnButtonGo() {
    commandBar.SetButtonsDimmed(1, 1);
    paramControls.ControlsToParameterSet();
    panels.ShowChildPanel(&panels.datap.widget);
    acquisition.RunGoLoop();
    commandBar.SetButtonsDimmed(0, 0);
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
    panelSettings.WritePanelSettings();
    // exit(), not quit(): quit() would send the windows another close request. Queued,
    // so a loop running inside a callback unwinds first.
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void Program::OnMainTabChanged(int index) {
    if (index == PAGE_COMMUNICATION) {
        flags.goRunning = false;
        comm.DimLinkButtons();
        comm.RefreshComPortList();
    } else if (index == PAGE_SCOPE_SETTINGS) {
        flags.goRunning = false;
        panels.ShowChildPanel(&panels.scopep.widget);
    }
}
