// Recording figures against the simulated sensor:
//  1. CONTINUOUS at 0.25 s for 60 s: lines written, the largest deviation of the
//     interval between two lines from 0.25 s, and the program's CPU while it waits;
//  2. TRIGGERED over TCP with the sensor triggering every millisecond for 20 s: frames
//     received next to lines written (nothing may be lost) and CPU per line.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "cpu.h"
#include "support/rig.h"

namespace {

// Notes the moment of every record line (the line takes the date and time once).
class TimedPlatform : public ScriptedPlatform {
  public:
    QDateTime Now() const override {
        moments.push_back(clock.nsecsElapsed() / 1e9);
        return QDateTime::currentDateTime();
    }
    mutable std::vector<double> moments;
    QElapsedTimer clock;
};

struct BenchRig {
    explicit BenchRig(const QStringList& args) : sim(args), program(platform, sim.Dir()) {
        platform.clock.start();
        Ui::MAINP& m = program.panels.mainUi;
        m.EditCommunicationProtocol->setCurrentIndex(PROTOCOL_TCP);
        m.StringIpAdress->setCurrentText("127.0.0.1");
        m.StringPortNumber->setText(QString::number(sim.TcpPort()));
        program.comm.TryToConnect();
        path = sim.Dir() + "/bench.dat";
        platform.fileAnswers << FileChoice{FileChoice::New, path};
        m.ButtonSelRecFile->click();
    }
    int Lines() const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? static_cast<int>(f.readAll().count("\r\n")) - 3 : 0;
    }
    TimedPlatform platform;
    SimProcess sim;
    Program program;
    QString path;
};

void SelectMode(Program& p, int mode) {
    p.panels.mainUi.EditSelectDataRec->setCurrentIndex(mode);
    emit p.panels.mainUi.EditSelectDataRec->activated(mode);
}

void Continuous() {
    BenchRig r({});
    Ui::MAINP& m = r.program.panels.mainUi;
    SelectMode(r.program, 1);
    m.EditInterval->setValue(0.25);
    r.platform.confirmAnswers = {true};
    r.platform.moments.clear();
    QTimer::singleShot(60000 + 100, &r.program, [&] { m.ButtonStopRecord->click(); });
    const double cpu = CpuSeconds();
    m.ButtonStartRecord->click();
    const double cpuUsed = CpuSeconds() - cpu;
    double worst = 0;
    for (size_t k = 1; k < r.platform.moments.size(); ++k)
        worst = std::max(worst, std::abs(r.platform.moments[k] - r.platform.moments[k - 1] - 0.25));
    std::printf(
        "CONTINUOUS 0.25 s for 60 s: %d lines (target 240 +- 1), largest interval deviation "
        "%.2f ms, CPU %.2f %% of one core\n",
        r.Lines(), worst * 1000, 100.0 * cpuUsed / 60.0);
}

void Triggered() {
    BenchRig r({"--trigger-period", "1"});
    Ui::MAINP& m = r.program.panels.mainUi;
    SelectMode(r.program, 3);
    r.platform.confirmAnswers = {true};
    QTimer::singleShot(20000, &r.program, [&] { m.ButtonStopRecord->click(); });
    const double cpu = CpuSeconds();
    m.ButtonStartTrigRec->click();
    const double cpuUsed = CpuSeconds() - cpu;
    const int frames = m.DispFrameCounter->text().toInt();
    const int lines = r.Lines();
    std::printf(
        "TRIGGERED over TCP, a trigger every 1 ms for 20 s: %d frames received, %d lines "
        "written (lost %d), %.1f us CPU per line\n",
        frames, lines, frames - lines, 1e6 * cpuUsed / std::max(1, lines));
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    Continuous();
    Triggered();
    return 0;
}
