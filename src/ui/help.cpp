#include "ui/help.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QWidget>

#include "ui/platform.h"

QStringList HelpPopups::Install(const QList<QWidget*>& roots, const HelpEntry* entries, int count,
                                const QString& title) {
    QStringList missing;
    for (int i = 0; i < count; ++i) {
        const QString name = entries[i].control;
        QWidget* control = nullptr;
        for (QWidget* root : roots) {
            control = root->objectName() == name ? root : root->findChild<QWidget*>(name);
            if (control) break;
        }
        if (!control) {
            missing << name;
            continue;
        }
        QList<QWidget*> targets{control};
        // A tab control is clicked on its tab bar.
        if (auto* tabs = qobject_cast<QTabWidget*>(control)) targets << tabs->tabBar();
        // A plain container (a group of displays) answers for all of its parts.
        if (control->metaObject() == &QWidget::staticMetaObject)
            targets << control->findChildren<QWidget*>();
        // An editable combo box is clicked on its text field.
        if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
            targets << combo->lineEdit();
        for (QWidget* target : targets) {
            help_.insert(target, {title, QString::fromUtf8(entries[i].text)});
            target->setToolTip(QString::fromUtf8(entries[i].text).trimmed());
            target->setContextMenuPolicy(Qt::DefaultContextMenu);
            target->installEventFilter(this);
        }
    }
    return missing;
}

bool HelpPopups::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ContextMenu) return false;
    const auto it = help_.constFind(watched);
    if (it == help_.constEnd()) return false;
    platform_.Message(it->first, it->second);
    return true;
}
