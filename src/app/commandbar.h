#pragma once
// The command bar: SEND, GET, GO, STOP, the memory and parameter-set toggles, and
// the guard against a second transaction (while one operation talks to the sensor,
// every control that could start another is dimmed).

#include <QButtonGroup>
#include <QList>
#include <QObject>

#include "core/buttons.h"
#include "core/flags.h"
#include "ui/panels.h"

class CommandBar : public QObject, public CommandButtons {
    Q_OBJECT
  public:
    CommandBar(Panels& panels, ProgramFlags& flags);

    // Go mode leaves the controls that only queue their work usable. STOP and the
    // parameter-set toggles are never touched; undimming leaves the change-baud-rate
    // and hardware-info buttons dimmed (only a successful connect brings them back).
    void SetButtonsDimmed(DimMode mode, bool dimmed) override;

  signals:
    // SEND and GET outside GO, with the buttons dimmed while the receiver runs.
    void SendRequested();
    void GetRequested();
    void GoRequested();

  private:
    // SEND and GET during GO only raise their pending flag.
    void RunOrQueue(bool& pending, void (CommandBar::*request)());

    ProgramFlags& flags_;
    QButtonGroup memoryGroup_;
    QButtonGroup parameterSetGroup_;
    QList<QWidget*> transferOnly_;  // usable during GO: they only queue their work
    QList<QWidget*> always_;
    QList<QWidget*> dimOnly_;
};
