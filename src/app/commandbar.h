#pragma once
// The command bar: SEND, GET, GO, STOP, the memory and parameter-set toggles, and
// the guard against a second transaction (while one operation talks to the sensor,
// every control that could start another is dimmed).

#include <QButtonGroup>
#include <QList>
#include <QObject>
#include <functional>

#include "app/flags.h"
#include "ui/panels.h"

class CommandBar : public QObject {
    Q_OBJECT
  public:
    CommandBar(Panels& panels, ProgramFlags& flags);

    // goMode 0: a transfer, 1: GO. dimmed 1 dims, 0 undims. STOP and the
    // parameter-set toggles are never touched; undimming leaves the change-baud-rate
    // and hardware-info buttons dimmed (only a successful connect brings them back).
    void SetButtonsDimmed(int goMode, int dimmed);

    // The transfers behind SEND and GET, and the GO loop behind GO.
    std::function<void()> sendParameters;
    std::function<void()> getParameters;
    std::function<void()> runGo;

  private:
    void OnButtonSend();
    void OnButtonGet();
    void RunTransfer(bool& pending, const std::function<void()>& transfer);

    ProgramFlags& flags_;
    QButtonGroup memoryGroup_;
    QButtonGroup parameterSetGroup_;
    QList<QWidget*> transferOnly_;  // usable during GO: they only queue their work
    QList<QWidget*> always_;
    QList<QWidget*> dimOnly_;
};
