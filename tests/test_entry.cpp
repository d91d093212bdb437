// The program as a process: its exit code and its answer to a stop from outside.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTest>

#include "support/sim_process.h"

namespace {

// A copy of the program in the simulated sensor's directory (inside the build tree),
// so the settings it writes stay there and its COM1 is the simulated sensor, never a
// real port of the machine.
QString CopyProgram(const SimProcess& sim) {
    const QString copy = sim.Dir() + "/chromik-scope";
    QFile::copy(PROGRAM_PATH, copy);
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner);
    return copy;
}

QProcessEnvironment Environment(bool withDisplay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    if (withDisplay) env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

}  // namespace

TEST(Entry, WithoutADisplayTheProgramEndsWithMinusOne) {
    SimProcess sim({}, ENTRY_DIR);
    QProcess program;
    program.setProcessEnvironment(Environment(false));
    program.start(CopyProgram(sim));
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(static_cast<signed char>(program.exitCode()), -1);
}

TEST(Entry, StopFromOutsideSavesThePanelSettingsAndEndsWithZero) {
    SimProcess sim({}, ENTRY_DIR);
    ASSERT_TRUE(sim.Started());
    QProcess program;
    program.setProcessEnvironment(Environment(true));
    program.start(CopyProgram(sim));
    ASSERT_TRUE(program.waitForStarted(5000));
    // Up and running: it has connected and read the sensor's parameters.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QStringList requests = sim.Requests();
            return requests.size() >= 3 && requests.first().startsWith("55 07");
        },
        60000));
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(sim.Dir() + "/PanelSettings.cfg"));
}
