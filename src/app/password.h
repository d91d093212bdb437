#pragma once
// The password popup that uncovers the offset-compensation page.

#include <QObject>

#include "ui/panels.h"

class Platform;

class PasswordPopup : public QObject {
    Q_OBJECT
  public:
    PasswordPopup(Panels& panels, Platform& platform);

    // Empties the field and shows PASSWORDP as a modal popup.
    void Open();
    // Compares the entered text; the right one uncovers the offset-compensation page.
    void Check();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Panels& panels_;
    Platform& platform_;
};
