#include "app/password.h"

#include <QMouseEvent>

#include "ui/platform.h"

namespace {
const QString PASSWORD = "quibex";
}

PasswordPopup::PasswordPopup(Panels& panels, Platform& platform)
    : panels_(panels), platform_(platform) {
    panels_.mainUi.DecoCalibrate1->installEventFilter(this);
    connect(panels_.passwordp.ui.StringEnterPW, &QLineEdit::returnPressed, this,
            &PasswordPopup::Check);
}

void PasswordPopup::Open() {
    panels_.passwordp.ui.StringEnterPW->clear();
    panels_.passwordp.widget.open();
}

void PasswordPopup::Check() {
    QLineEdit* field = panels_.passwordp.ui.StringEnterPW;
    if (field->text() != PASSWORD) {
        platform_.Message("ATTENTION!", "Wrong password. \nPlease try again.");
        field->clear();
        return;
    }
    QTabWidget* tabs = panels_.mainUi.TabMain1;
    tabs->setTabVisible(PAGE_OFFSET_COMPENSATION, true);
    tabs->setCurrentIndex(PAGE_OFFSET_COMPENSATION);
    panels_.passwordp.widget.accept();
}

bool PasswordPopup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panels_.mainUi.DecoCalibrate1 && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        Open();
        return true;
    }
    return false;
}
