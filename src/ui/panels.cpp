#include "ui/panels.h"

Panels::Panels(QWidget* mainWindow) : mainp(mainWindow) {
    mainUi.setupUi(mainp);
    for (QWidget* child : {&datap.widget, &graphp.widget, &teachp1.widget, &teachp2.widget,
                           &scopep.widget})
        mainUi.ChildArea->addWidget(child);
    passwordp.widget.setParent(mainp, Qt::Dialog);
}

void Panels::ShowChildPanel(QWidget* p) {
    if (mainUi.ChildArea->indexOf(p) < 0) p = &datap.widget;
    mainUi.ChildArea->setCurrentWidget(p);
}

QList<QWidget*> Panels::All() {
    return {mainp,          &datap.widget,   &graphp.widget,  &teachp1.widget,  &teachp2.widget,
            &scopep.widget, &colbigp.widget, &grpbigp.widget, &passwordp.widget};
}
