// Program entry: 0 after a normal end, -1 when the user interface cannot start.

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/program.h"
#include "ui/platform.h"
#include "core/termination.h"

namespace {

// Without a display Qt would abort; the program ends with -1 instead.
bool DisplayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "chromik-scope: no display (set DISPLAY or run under Xvfb)\n");
        return -1;
    }
    QApplication app(argc, argv);
    QtPlatform platform;
    Program program(platform, QCoreApplication::applicationDirPath());
    platform.SetParent(&program.window);
    // A stop from outside saves the panel settings like the close button does.
    OnTerminationSignal([&program] { program.window.close(); });
    // Start-up runs inside the event loop, so a close request during the first connect
    // (a silent sensor takes seconds) already ends the loop.
    QTimer::singleShot(0, &program, &Program::StartUp);
    app.exec();
    program.Shutdown();
    return 0;
}
