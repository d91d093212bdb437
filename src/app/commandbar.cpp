#include "app/commandbar.h"

#include <QCoreApplication>

CommandBar::CommandBar(Panels& panels, ProgramFlags& flags) : flags_(flags) {
    Ui::MAINP& m = panels.mainUi;
    transferOnly_ = {m.ButtonSend, m.ButtonGet, m.SelectMemRam, m.SelectMemEeprom, m.SelectMemFile};
    always_ = {m.ButtonGo,
               m.ButtonTryToConnect,
               m.EditSelectBaudrate,
               m.ButtonSendCF,
               m.ButtonGetCF,
               m.ButtonCalcCF,
               m.ButtonStartSelfCalibration,
               m.ButtonSendOffset,
               m.ButtonGetOffset,
               m.ButtonCalcOffset,
               m.ButtonSelRecFile,
               m.EditSelectDataRec,
               m.ButtonStartRecord,
               m.ButtonStartTrigRec,
               m.ButtonGetCycleTime,
               m.ButtonScan,
               m.ButtonBreakScan,
               panels.teachp2.ui.ButtonTP2Start};
    dimOnly_ = {m.ButtonChangeBaudrate, m.ButtonGenHwInfoFile};

    m.ButtonSend->setShortcut(Qt::Key_F9);
    m.ButtonGet->setShortcut(Qt::Key_F10);
    m.ButtonGo->setShortcut(Qt::Key_F11);
    m.ButtonStop->setShortcut(Qt::Key_F12);
    connect(m.ButtonSend, &QPushButton::clicked, this,
            [this] { RunOrQueue(flags_.sendPending, &CommandBar::SendRequested); });
    connect(m.ButtonGet, &QPushButton::clicked, this,
            [this] { RunOrQueue(flags_.getPending, &CommandBar::GetRequested); });
    connect(m.ButtonGo, &QPushButton::clicked, this, &CommandBar::GoRequested);
    connect(m.ButtonStop, &QPushButton::clicked, this, [this] { flags_.goRunning = false; });

    // Exclusive groups keep exactly one toggle on, also when the one already on is clicked.
    memoryGroup_.addButton(m.SelectMemRam, 1);
    memoryGroup_.addButton(m.SelectMemEeprom, 2);
    memoryGroup_.addButton(m.SelectMemFile, 3);
    parameterSetGroup_.addButton(m.SelectParaSet0, 0);
    parameterSetGroup_.addButton(m.SelectParaSet1, 1);
    // Toggled, not clicked: assistive technology switches a toggle without a click.
    connect(&memoryGroup_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) flags_.memorySelect = static_cast<MemorySelect>(id);
    });
    connect(&parameterSetGroup_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) flags_.parameterSetIndex = id;
    });
}

void CommandBar::SetButtonsDimmed(DimMode mode, bool dimmed) {
    if (mode == DimMode::Transfer)
        for (QWidget* w : transferOnly_) w->setEnabled(!dimmed);
    for (QWidget* w : always_) w->setEnabled(!dimmed);
    if (dimmed)
        for (QWidget* w : dimOnly_) w->setEnabled(false);
    QCoreApplication::processEvents();
}

void CommandBar::RunOrQueue(bool& pending, void (CommandBar::*request)()) {
    // During GO the loop carries the transfer out between two frames.
    if (flags_.goRunning) {
        pending = true;
        return;
    }
    const ButtonsDimmed dimmed(*this, DimMode::Transfer);
    emit(this->*request)();
}
