#include "link/settings.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

int BaudRate(int baudIndex) {
    return baudIndex >= 0 && baudIndex < BAUD_RATE_COUNT ? BAUD_RATES[baudIndex]
                                                          : BAUD_RATES[BAUD_RATE_COUNT - 1];
}

QString ComPortDevice(int comPort, const QString& programDir) {
    const QString alias = QDir(programDir).filePath(QString("COM%1").arg(comPort));
    const QFileInfo info(alias);
    // A dangling alias is still the operator's choice: opening it reports the fault.
    if (info.exists() || info.isSymLink()) return alias;
    return QString("/dev/ttyS%1").arg(comPort - 1);
}

int PortNumberValue(const QString& text) {
    int value = 0;
    for (QChar c : text.trimmed()) {
        if (!c.isDigit()) break;
        value = std::min(value * 10 + c.digitValue(), 1 << 20);  // no overflow on long input
    }
    return value;
}
