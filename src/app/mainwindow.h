#pragma once
// MAINP: the main window. It owns all panels and hands its own events on.

#include <QWidget>

#include "ui/panels.h"

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    MainWindow();
    Panels panels;

    // 548 high by 790 wide, centred on the screen.
    void RestoreDefaultGeometry();

  signals:
    void CloseRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
