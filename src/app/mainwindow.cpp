#include "app/mainwindow.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QScreen>

constexpr int MAINP_WIDTH = 790;
constexpr int MAINP_HEIGHT = 548;

MainWindow::MainWindow() : panels(this) {}

void MainWindow::RestoreDefaultGeometry() {
    showNormal();
    resize(MAINP_WIDTH, MAINP_HEIGHT);
    if (QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit CloseRequested();
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        RestoreDefaultGeometry();
    else
        QWidget::mouseDoubleClickEvent(event);
}
