// chromik-ctl: the colour sensor from the command line, for production lines and test
// benches without a screen.

#include <QCoreApplication>
#include <cstdio>

#include "core/termination.h"
#include "ctl/commands.h"
#include "ctl/options.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("chromik-ctl");
    const ParseResult parsed = ParseOptions(app.arguments().mid(1));
    const CtlOptions& options = parsed.options;
    if (options.help) {
        std::fputs(qPrintable(HelpText(options.command)), stdout);
        return 0;
    }
    if (!parsed.error.isEmpty()) {
        PrintError("chromik-ctl: " + parsed.error);
        PrintError("Try 'chromik-ctl --help'.");
        return static_cast<int>(ExitStatus::UsageOrFile);
    }
    bool interrupted = false;
    // Ctrl+C ends a recording or a watch at the next frame boundary; the other commands
    // finish their sequence first, so no set is left half sent.
    OnTerminationSignal([&interrupted] { interrupted = true; });
    CtlSession session(options, QCoreApplication::applicationDirPath(), interrupted);
    return static_cast<int>(session.Run());
}
