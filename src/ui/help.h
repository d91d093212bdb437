#pragma once
// Help on every control: a right click shows the control's fixed text in a popup,
// and the same text is its tooltip and its accessible description. One event
// filter serves all controls.

#include <QHash>
#include <QObject>
#include <QString>

class Platform;
class QWidget;

struct HelpEntry {
    const char* control;  // object name of the control
    const char* text;
};

class HelpPopups : public QObject {
    Q_OBJECT
  public:
    explicit HelpPopups(Platform& platform) : platform_(platform) {}
    // Installs the help for every entry on the control of that name under one of
    // `roots`; returns the names that were not found. A control without an
    // accessible name gets one from its caption, else from its object name.
    QStringList Install(const QList<QWidget*>& roots, const HelpEntry* entries, int count,
                        const QString& title);
    // The popup title and text a right click on w shows (empty when w has none).
    QPair<QString, QString> HelpOf(const QObject* w) const { return help_.value(w); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Platform& platform_;
    QHash<const QObject*, QPair<QString, QString>> help_;
};
