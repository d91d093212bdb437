#include "params/cascade.h"

#include <QHeaderView>

#include "params/paramcontrols.h"
#include "ui/grid.h"
#include "ui/platform.h"

namespace {

void Dim(std::initializer_list<QWidget*> controls, bool dimmed) {
    for (QWidget* w : controls) w->setEnabled(!dimmed);
}

void Show(std::initializer_list<QWidget*> controls, bool shown) {
    for (QWidget* w : controls) w->setVisible(shown);
}

const QColor ACTIVE_ROW(0, 128, 0);
const QColor INACTIVE_ROW(255, 0, 0);
const QColor RESET_CELL(255, 0, 0);
const QColor PLAIN_CELL(255, 255, 255);

// Column headers of the TEACH TABLE by calculation mode, and in THD RGB.
const QStringList HEADERS[] = {{"X", "Y", "CTO", "INT", "ITO"},
                               {"s", "i", "siTO", "M", "MTO"},
                               {"X", "Y", "INT", "TOL", ""},
                               {"s", "i", "M", "TOL", ""}};
const QStringList THRESHOLD_HEADERS = {"THD", "", "", "", ""};

void SetColumnEditable(QTableWidget* grid, int column, bool editable) {
    for (int r = 0; r < grid->rowCount(); ++r) {
        QTableWidgetItem* cell = grid->item(r, column);
        if (!cell) continue;
        cell->setFlags(editable ? cell->flags() | Qt::ItemIsEditable
                                : cell->flags() & ~Qt::ItemIsEditable);
    }
}

void ColourRowLabel(QTableWidget* grid, int row, const QColor& colour) {
    QTableWidgetItem* label = grid->verticalHeaderItem(row);
    if (!label) {
        label = new QTableWidgetItem(QString::number(row));
        grid->setVerticalHeaderItem(row, label);
    }
    label->setForeground(colour);
}

}  // namespace

int ColourLimit(bool colorGroup, int digitalOutmode) {
    const bool binary = digitalOutmode == BINARY;
    if (colorGroup) return binary ? 30 : 4;
    return binary ? 31 : 5;
}

ModeCascade::ModeCascade(Panels& panels, ParameterControls& controls, const ParameterSet& record,
                         Platform& platform)
    : panels_(panels),
      ui_(panels.mainUi),
      controls_(controls),
      record_(record),
      platform_(platform) {
    for (QComboBox* ring : {ui_.EditPmode, ui_.EditLedMode, ui_.EditDigOutmode, ui_.EditEvalmode,
                            ui_.EditExteach, ui_.EditTrigger})
        connect(ring, &QComboBox::activated, this, &ModeCascade::ApplyModeCascade);
    connect(ui_.EditMaxVecNo, &QSpinBox::editingFinished, this, &ModeCascade::ApplyModeCascade);
    connect(ui_.EditColorGroups, &QCheckBox::toggled, this, &ModeCascade::ApplyModeCascade);
    connect(ui_.EditCalcmode, &QComboBox::activated, this,
            &ModeCascade::OnCalculationModeCommitted);
    // Only an operator's edit runs the cascade, not the cells the program writes; queued,
    // so the editor has closed before a message can take its focus.
    connect(ui_.EditGridGroups->itemDelegate(), &QAbstractItemDelegate::commitData, this,
            &ModeCascade::OnGroupCellCommitted, Qt::QueuedConnection);
    connect(ui_.ButtonResetGroupTable, &QPushButton::clicked, this, &ModeCascade::ResetGroupTable);
    connect(ui_.ButtonResetHoldTable, &QPushButton::clicked, this, &ModeCascade::ResetHoldTable);
}

void ModeCascade::ApplyModeCascade() {
    // A limit message takes the focus from the control being edited, which commits it
    // once more: that commit belongs to the run already under way.
    if (running_) return;
    running_ = true;
    PowerStep();
    EvaluationStep();
    HeaderStep();
    TriggerListStep();
    TriggerStep();
    GroupDisplayStep();
    CheckColourLimits();
    emit TeachPanelsToSetUp();
    running_ = false;
}

void ModeCascade::ParametersArrived() {
    controls_.ParameterSetToControls();
    ApplyModeCascade();
    emit TaughtColoursChanged();
}

void ModeCascade::PowerStep() {
    controls_.ReadModeFields();
    QWidget* power = ui_.SlidePower;
    const int led = RingCode(ui_.EditLedMode);
    if (led == LED_OFF) {
        if (RingCode(ui_.EditExteach) == EXTEACH_DYN1) SetRing(ui_.EditExteach, EXTEACH_OFF);
        SetRing(ui_.EditPmode, POWER_STAT);
        ui_.SlidePower->setValue(0);
        Dim({ui_.EditPmode, power, ui_.EditDynWinLo, ui_.EditDynWinHi}, true);
        return;
    }
    switch (RingCode(ui_.EditExteach)) {
        case EXTEACH_STAT1:
            SetRing(ui_.EditPmode, POWER_STAT);
            Dim({ui_.EditPmode}, true);
            break;
        case EXTEACH_DYN1:
            SetRing(ui_.EditPmode, POWER_STAT);
            Dim({ui_.EditPmode, power}, true);
            Dim({ui_.EditDynWinLo, ui_.EditDynWinHi}, false);
            return;
        default:
            Dim({ui_.EditPmode, power}, false);
    }
    const bool dynamic = RingCode(ui_.EditPmode) == POWER_DYN;
    Dim({power}, dynamic);
    Dim({ui_.EditDynWinLo, ui_.EditDynWinHi}, !dynamic);
}

void ModeCascade::SwitchGroupsOff() {
    {
        // Forced by the program, not the operator's change of the switch.
        const QSignalBlocker quiet(ui_.EditColorGroups);
        ui_.EditColorGroups->setChecked(false);
    }
    Dim({ui_.EditColorGroups, ui_.EditGridGroups, ui_.ButtonResetGroupTable}, true);
    Ui::DATAP& d = panels_.datap.ui;
    Show({d.DispGroup, d.LabelDispGroup}, false);
    panels_.grpbigp.widget.hide();
}

void ModeCascade::EvaluationStep() {
    controls_.ReadModeFields();
    // The record holds the mode also when its ring cannot show the code.
    const int calculation = record_.scalars.calculationMode;
    const int evaluation = record_.scalars.evaluationMode;
    // MIN DIST measures the distance to the centres: the colour tolerance is not used.
    SetColumnEditable(ui_.GridCtt, 2, !(evaluation == MIN_DIST && !Is3D(calculation)));
    SetColumnEditable(ui_.GridCtt, 3, !(evaluation == MIN_DIST && Is3D(calculation)));
    Ui::DATAP& d = panels_.datap.ui;
    const std::initializer_list<QWidget*> hitDisplays = {d.DispDeltaC, d.LabelDispDeltaC,
                                                         d.DispCOL, d.LabelDispCOL};
    if (evaluation <= MIN_DIST) {
        Show({d.LedOut0, d.LedOut1, d.LedOut2, d.LedOut3, d.LedOut4}, false);
        Show(hitDisplays, true);
        Dim({ui_.EditMaxVecNo, ui_.EditIntlim, ui_.EditDigOutmode, ui_.EditCalcmode,
             ui_.EditTrigger, ui_.EditColorGroups, ui_.EditGridGroups, ui_.ButtonResetGroupTable},
            false);
    } else {
        const bool threshold = evaluation == THD_RGB;
        Show(hitDisplays, false);
        Show({d.LedOut0, d.LedOut1, d.LedOut2}, true);
        Show({d.LedOut3, d.LedOut4}, !threshold);
        SwitchGroupsOff();
        ui_.EditMaxVecNo->setValue(threshold ? 3 : 5);
        SetRing(ui_.EditDigOutmode, BINARY);
        Dim({ui_.EditMaxVecNo, ui_.EditDigOutmode}, true);
        if (threshold) {
            panels_.colbigp.widget.hide();
            ui_.EditIntlim->setValue(0);
            SetRing(ui_.EditTrigger, TRIGGER_CONT);
        }
        Dim({ui_.EditIntlim, ui_.EditCalcmode, ui_.EditTrigger}, threshold);
        CheckColourLimits();
    }
    emit CalculationModeApplied(calculation);
}

void ModeCascade::HeaderStep() {
    controls_.ReadModeFields();
    const int calculation = record_.scalars.calculationMode;
    const bool threshold = record_.scalars.evaluationMode == THD_RGB;
    const QStringList& headers =
        threshold ? THRESHOLD_HEADERS : HEADERS[std::clamp(calculation, 0, 3)];
    for (int c = 0; c < TEACH_CELLS; ++c) {
        QTableWidgetItem* header = ui_.GridCtt->horizontalHeaderItem(c);
        if (!header) {
            header = new QTableWidgetItem;
            ui_.GridCtt->setHorizontalHeaderItem(c, header);
        }
        header->setText(headers[c]);
    }
    ShowDataPages(threshold, Is3D(calculation));
}

void ModeCascade::ShowDataPages(bool threshold, bool threeD) {
    Ui::DATAP& d = panels_.datap.ui;
    QTabWidget* pages = d.TabDataP1;
    const bool colourSpaceActive =
        pages->currentIndex() == DATA_PAGE_2D || pages->currentIndex() == DATA_PAGE_3D;
    pages->setTabVisible(DATA_PAGE_INT, !threshold);
    pages->setTabVisible(DATA_PAGE_2D, !threshold && !threeD);
    pages->setTabVisible(DATA_PAGE_3D, !threshold && threeD);
    Show({d.DispX, d.LabelDispX, d.DispY, d.LabelDispY, d.DispINT, d.LabelDispINT}, !threshold);
    if (threshold)
        pages->setCurrentIndex(DATA_PAGE_RGB);
    else if (colourSpaceActive)
        pages->setCurrentIndex(threeD ? DATA_PAGE_3D : DATA_PAGE_2D);
}

void ModeCascade::TriggerListStep() {
    controls_.ReadModeFields();
    // The record holds the value even when the ring could not show it (a set read
    // with external teach and an input trigger).
    if (RingCode(ui_.EditExteach) != EXTEACH_OFF && record_.scalars.trigger >= TRIGGER_EXT1)
        SetRing(ui_.EditTrigger, TRIGGER_CONT);
    controls_.UpdateTriggerList();
}

void ModeCascade::TriggerStep() {
    controls_.ReadModeFields();
    const int trigger = RingCode(ui_.EditTrigger);
    if (trigger > TRIGGER_SELF) SetRing(ui_.EditExteach, EXTEACH_OFF);
    Dim({ui_.EditExteach}, trigger > TRIGGER_SELF);
    const bool para = trigger == TRIGGER_PARA;
    Dim({ui_.SelectParaSet0, ui_.SelectParaSet1}, !para);
    // Checking the button selects the set, as the operator's click would.
    if (!para) ui_.SelectParaSet0->setChecked(true);
    const bool triggered = RingCode(ui_.EditExteach) != EXTEACH_OFF || trigger != TRIGGER_CONT;
    panels_.datap.ui.LedTrig->setVisible(triggered);
}

void ModeCascade::GroupDisplayStep() {
    controls_.ReadModeFields();
    const bool groups = ui_.EditColorGroups->isChecked();
    Ui::DATAP& d = panels_.datap.ui;
    Show({d.DispGroup, d.LabelDispGroup}, groups);
    if (!groups) panels_.grpbigp.widget.hide();
}

void ModeCascade::CheckColourLimits() {
    controls_.ReadModeFields();
    const bool groups = ui_.EditColorGroups->isChecked();
    const int limit = ColourLimit(groups, RingCode(ui_.EditDigOutmode));
    if (!groups && ui_.EditMaxVecNo->value() > limit) {
        ui_.TabMain1->setCurrentIndex(PAGE_PARAMETER);
        platform_.Message("INFO!", LimitTexts::MAX_VEC_NO);
        ui_.EditMaxVecNo->setValue(limit);
    }
    if (groups) {
        bool reset = false;
        QTableWidget* grid = ui_.EditGridGroups;
        for (int r = 0; r < TEACH_ROWS; ++r) {
            const bool tooHigh = CellWord(grid, r, 0) > limit;
            if (tooHigh) SetCellWord(grid, r, 0, 0);
            if (QTableWidgetItem* cell = grid->item(r, 0))
                cell->setBackground(tooHigh ? RESET_CELL : PLAIN_CELL);
            reset = reset || tooHigh;
        }
        if (reset) {
            ui_.TabMain1->setCurrentIndex(PAGE_GROUP_HOLD);
            platform_.Message("INFO!", LimitTexts::GROUP);
        }
    }
    controls_.ReadModeFields();
    MarkActiveRows(ui_.EditMaxVecNo->value());
}

void ModeCascade::MarkActiveRows(int activeRows) {
    for (QTableWidget* grid : {ui_.GridCtt, ui_.GridSpecification, ui_.EditGridGroups})
        for (int r = 0; r < TEACH_ROWS; ++r)
            ColourRowLabel(grid, r, r < activeRows ? ACTIVE_ROW : INACTIVE_ROW);
    // The failure row comes first in the HOLD TABLE.
    for (int r = 0; r <= TEACH_ROWS; ++r)
        ColourRowLabel(ui_.EditGridHold, r, r <= activeRows ? ACTIVE_ROW : INACTIVE_ROW);
}

void ModeCascade::OnCalculationModeCommitted() {
    const int oldMode = record_.scalars.calculationMode;
    controls_.ControlsToParameterSet();
    controls_.ConvertTeachTable(oldMode, record_.scalars.calculationMode);
    ApplyModeCascade();
    controls_.ControlsToParameterSet();
    emit TaughtColoursChanged();
}

void ModeCascade::OnGroupCellCommitted() {
    ApplyModeCascade();
    ui_.TabMain1->setCurrentIndex(PAGE_GROUP_HOLD);
}

void ModeCascade::ResetGroupTable() {
    if (!platform_.Confirm("ATTENTION!", "Do you really want to reset the table?")) return;
    for (int r = 0; r < TEACH_ROWS; ++r) {
        SetCellWord(ui_.EditGridGroups, r, 0, 0);
        ui_.EditGridGroups->item(r, 0)->setBackground(PLAIN_CELL);
    }
}

void ModeCascade::ResetHoldTable() {
    if (!platform_.Confirm("ATTENTION!", "Do you really want to reset the table?")) return;
    const int value = ui_.EditResetHold->value();
    for (int r = 0; r <= TEACH_ROWS; ++r)
        SetCellWord(ui_.EditGridHold, r, 0, static_cast<uint16_t>(value));
}
