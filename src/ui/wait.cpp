#include "ui/wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

bool WaitUntil(const std::function<bool()>& done, double seconds) {
    QDeadlineTimer deadline(static_cast<qint64>(seconds * 1000.0), Qt::PreciseTimer);
    QTimer wake;  // guarantees a wake-up at the deadline when nothing else happens
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wake, &QTimer::timeout, [] {});
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (done()) return true;
        if (deadline.hasExpired()) return false;
        wake.start(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}
