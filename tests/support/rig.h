#pragma once
// A program object wired to its own simulated sensor, for end-to-end tests.

#include <QStringList>
#include <memory>

#include "app/program.h"
#include "support/scripted_platform.h"
#include "support/sim_process.h"

struct Rig {
    explicit Rig(const QStringList& simArgs = {}) : sim(simArgs), program(platform, sim.Dir()) {
        // Without the sensor's COM1 the program would open a real port of the machine.
        if (!sim.Started()) qFatal("the simulated sensor did not start");
    }

    // Points the communication page at the simulated sensor.
    void SelectTcp() {
        Ui::MAINP& m = program.panels.mainUi;
        m.EditCommunicationProtocol->setCurrentIndex(PROTOCOL_TCP);
        m.StringIpAdress->setCurrentText("127.0.0.1");
        m.StringPortNumber->setText(QString::number(sim.TcpPort()));
    }
    void SelectSerial() {
        program.panels.mainUi.EditCommunicationProtocol->setCurrentIndex(PROTOCOL_RS232);
        program.panels.mainUi.EditSelectComPort->setCurrentIndex(0);
    }
    QString Log() const { return program.panels.mainUi.TextCommunicationLog->toPlainText(); }
    QString Status() const { return program.panels.datap.ui.DispStatus->text(); }

    ScriptedPlatform platform;
    SimProcess sim;
    Program program;
};
