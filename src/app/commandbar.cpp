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
    connect(m.ButtonSend, &QPushButton::clicked, this, &CommandBar::OnButtonSend);
    connect(m.ButtonGet, &QPushButton::clicked, this, &CommandBar::OnButtonGet);
    connect(m.ButtonGo, &QPushButton::clicked, this, [this] {
        if (runGo) runGo();
    });
    connect(m.ButtonStop, &QPushButton::clicked, this, [this] { flags_.goRunning = false; });

    // Exclusive groups keep exactly one toggle on, also when the one already on is clicked.
    memoryGroup_.addButton(m.SelectMemRam, 1);
    memoryGroup_.addButton(m.SelectMemEeprom, 2);
    memoryGroup_.addButton(m.SelectMemFile, 3);
    parameterSetGroup_.addButton(m.SelectParaSet0, 0);
    parameterSetGroup_.addButton(m.SelectParaSet1, 1);
    connect(&memoryGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { flags_.memorySelect = id; });
    connect(&parameterSetGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { flags_.parameterSetIndex = id; });
}

void CommandBar::SetButtonsDimmed(int goMode, int dimmed) {
    const bool enabled = dimmed == 0;
    if (goMode == 0)
        for (QWidget* w : transferOnly_) w->setEnabled(enabled);
    for (QWidget* w : always_) w->setEnabled(enabled);
    if (dimmed)
        for (QWidget* w : dimOnly_) w->setEnabled(false);
    QCoreApplication::processEvents();
}

void CommandBar::OnButtonSend() { RunTransfer(flags_.sendPending, sendParameters); }

void CommandBar::OnButtonGet() { RunTransfer(flags_.getPending, getParameters); }

void CommandBar::RunTransfer(bool& pending, const std::function<void()>& transfer) {
    // During GO the loop carries the transfer out between two frames.
    if (flags_.goRunning) {
        pending = true;
        return;
    }
    SetButtonsDimmed(0, 1);
    if (transfer) transfer();
    SetButtonsDimmed(0, 0);
}
