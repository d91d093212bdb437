#include "ui/panels.h"

#include <QHeaderView>

namespace {

// Row-colour columns only show a colour: keep them narrow and let the value columns
// take the rest of the width.
void FitColourColumn(QTableWidget* table) {
    QHeaderView* header = table->horizontalHeader();
    const int colour = table->columnCount() - 1;
    header->setSectionResizeMode(colour, QHeaderView::Fixed);
    header->resizeSection(colour, 18);
    header->setStretchLastSection(false);
    if (colour == 1) header->setSectionResizeMode(0, QHeaderView::Stretch);
}

}  // namespace

Panels::Panels(QWidget* mainWindow) : mainp(mainWindow) {
    mainUi.setupUi(mainp);
    for (QTableWidget* t :
         {mainUi.GridCtt, mainUi.EditGridGroups, mainUi.EditGridHold, mainUi.GridSpecification})
        FitColourColumn(t);
    for (QWidget* child :
         {&datap.widget, &graphp.widget, &teachp1.widget, &teachp2.widget, &scopep.widget})
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
