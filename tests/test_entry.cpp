// The program as a process: its exit code and its answer to a stop from outside.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// A copy of the program in a directory of its own, so the settings it writes there
// do not touch the build's.
QString CopyProgram(const QTemporaryDir& dir) {
    const QString copy = dir.filePath("chromik-scope");
    QFile::copy(PROGRAM_PATH, copy);
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner);
    return copy;
}

}  // namespace

TEST(Entry, WithoutADisplayTheProgramEndsWithMinusOne) {
    QTemporaryDir dir;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    program.setProcessEnvironment(env);
    program.start(CopyProgram(dir));
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(static_cast<signed char>(program.exitCode()), -1);
}

TEST(Entry, StopFromOutsideSavesThePanelSettingsAndEndsWithZero) {
    QTemporaryDir dir;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(CopyProgram(dir));
    ASSERT_TRUE(program.waitForStarted(5000));
    program.waitForFinished(1500);  // let it come up
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(15000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("PanelSettings.cfg")));
}
