#pragma once
// The command bar's guard against a second transaction: while one operation talks
// to the sensor, every control that could start another is dimmed.

#include <QList>

#include "ui/panels.h"

class CommandBar {
public:
    explicit CommandBar(Panels& panels);

    // goMode 0: a transfer, 1: GO. dimmed 1 dims, 0 undims. STOP and the
    // parameter-set toggles are never touched; undimming leaves the change-baud-rate
    // and hardware-info buttons dimmed (only a successful connect brings them back).
    void SetButtonsDimmed(int goMode, int dimmed);

private:
    QList<QWidget*> transferOnly_;  // usable during GO: they only queue their work
    QList<QWidget*> always_;
    QList<QWidget*> dimOnly_;
};
