#include "app/commandbar.h"

#include <QCoreApplication>

CommandBar::CommandBar(Panels& panels) {
    Ui::MAINP& m = panels.mainUi;
    transferOnly_ = {m.ButtonSend, m.ButtonGet, m.SelectMemRam, m.SelectMemEeprom, m.SelectMemFile};
    always_ = {m.ButtonGo, m.ButtonTryToConnect, m.EditSelectBaudrate};
    dimOnly_ = {m.ButtonChangeBaudrate, m.ButtonGenHwInfoFile};
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
