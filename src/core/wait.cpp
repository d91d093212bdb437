#include "core/wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cmath>

bool WaitUntil(const std::function<bool()>& done, double seconds) {
    // Rounded up: a wait must never end before its time.
    const QDeadlineTimer deadline =
        seconds < 0 ? QDeadlineTimer(QDeadlineTimer::Forever)
                    : QDeadlineTimer(static_cast<qint64>(std::ceil(seconds * 1000.0)),
                                     Qt::PreciseTimer);
    QTimer wake;  // guarantees a wake-up at the deadline when nothing else happens
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        // Armed once, not on every wake-up: a byte-by-byte answer wakes the loop often.
        if (!wake.isActive() && !deadline.isForever())
            wake.start(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}
