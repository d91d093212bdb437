#pragma once
// The nine panels of the program, built from their .ui files. MAINP is the main
// window; DATAP, GRAPHP, TEACHP1, TEACHP2 and SCOPEP share its child-panel area;
// COLBIGP and GRPBIGP are top-level windows; PASSWORDP is a modal popup.

#include <QDialog>
#include <QWidget>

#include "ui_COLBIGP.h"
#include "ui_DATAP.h"
#include "ui_GRAPHP.h"
#include "ui_GRPBIGP.h"
#include "ui_MAINP.h"
#include "ui_PASSWORDP.h"
#include "ui_SCOPEP.h"
#include "ui_TEACHP1.h"
#include "ui_TEACHP2.h"

// Indices of the main tab control's pages.
enum MainPage {
    PAGE_COMMUNICATION = 0,
    PAGE_PARAMETER,
    PAGE_GROUP_HOLD,
    PAGE_TEACH,
    PAGE_RECORDING,
    PAGE_CALIBRATION,
    PAGE_TABLE_ATTRIBUTES,
    PAGE_SCOPE_SETTINGS,
    PAGE_OFFSET_COMPENSATION,
};

// Indices of DATAP's graph tab control.
enum DataPage { DATA_PAGE_RGB = 0, DATA_PAGE_INT, DATA_PAGE_2D, DATA_PAGE_3D };

template <typename Ui, typename Base = QWidget>
struct Panel {
    Base widget;
    Ui ui;
    Panel() { ui.setupUi(&widget); }
};

struct Panels {
    explicit Panels(QWidget* mainWindow);

    QWidget* mainp;
    Ui::MAINP mainUi;
    Panel<Ui::DATAP> datap;
    Panel<Ui::GRAPHP> graphp;
    Panel<Ui::TEACHP1> teachp1;
    Panel<Ui::TEACHP2> teachp2;
    Panel<Ui::SCOPEP> scopep;
    Panel<Ui::COLBIGP> colbigp;
    Panel<Ui::GRPBIGP> grpbigp;
    Panel<Ui::PASSWORDP, QDialog> passwordp;

    // Hides the child panels and shows p; anything that is not one of them shows DATAP.
    void ShowChildPanel(QWidget* p);
    // Every panel, for finding controls by name.
    QList<QWidget*> All();
};
