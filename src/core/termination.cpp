#include "core/termination.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>

namespace {
int signalPipe[2] = {-1, -1};
}

void OnTerminationSignal(std::function<void()> handler) {
    if (signalPipe[0] < 0 && ::pipe(signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [handler = std::move(handler)] {
        char byte;
        if (::read(signalPipe[0], &byte, 1) > 0) handler();
    });
    const auto onSignal = [](int) {
        const char byte = 1;
        if (::write(signalPipe[1], &byte, 1) < 0) return;  // nothing to be done in a handler
    };
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    std::signal(SIGHUP, onSignal);
}
