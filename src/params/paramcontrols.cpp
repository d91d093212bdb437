#include "params/paramcontrols.h"

#include <QCheckBox>

#include "ui/grid.h"

int RingCode(const QComboBox* ring) {
    const QVariant data = ring->currentData();
    return data.isValid() ? data.toInt() : ring->currentIndex();
}

// Reading an empty ring keeps the record's value: an unknown sensor value is shown as
// missing, never altered.
void SetRing(QComboBox* ring, int code) {
    int index = ring->findData(code);
    if (index < 0 && !ring->itemData(0).isValid()) index = code < ring->count() ? code : -1;
    ring->setCurrentIndex(index);
}

namespace {

// Rings whose item order is not their code order carry the code as item data.
void SetRingCodes(QComboBox* ring, std::initializer_list<int> codes) {
    int i = 0;
    for (int code : codes) ring->setItemData(i++, code);
}

void ReadControl(const QWidget* control, uint16_t& field) {
    if (auto* ring = qobject_cast<const QComboBox*>(control)) {
        if (ring->currentIndex() >= 0) field = static_cast<uint16_t>(RingCode(ring));
    } else if (auto* spin = qobject_cast<const QSpinBox*>(control)) {
        field = static_cast<uint16_t>(spin->value());
    } else if (auto* slider = qobject_cast<const QSlider*>(control)) {
        field = static_cast<uint16_t>(slider->value());
    } else if (auto* box = qobject_cast<const QCheckBox*>(control)) {
        field = box->isChecked() ? 1 : 0;
    } else if (auto* grid = qobject_cast<const QTableWidget*>(control)) {
        field = CellWord(grid, 0, 0);
    }
}

void WriteControl(QWidget* control, uint16_t value) {
    if (auto* ring = qobject_cast<QComboBox*>(control))
        SetRing(ring, value);
    else if (auto* spin = qobject_cast<QSpinBox*>(control))
        spin->setValue(value);
    else if (auto* slider = qobject_cast<QSlider*>(control))
        slider->setValue(value);
    else if (auto* box = qobject_cast<QCheckBox*>(control))
        box->setChecked(value != 0);
    else if (auto* grid = qobject_cast<QTableWidget*>(control))
        SetCellWord(grid, 0, 0, value);
}

const char* const TRIGGER_INPUT_MODES[] = {"EXT1", "EXT2", "EXT3", "TRANS", "PARA"};

}  // namespace

ParameterControls::ParameterControls(Ui::MAINP& ui, ParameterSet& record)
    : ui_(ui),
      record_(record),
      bindings_{
          // EXTERN TEACH before TRIGGER: it decides which trigger modes the ring offers.
          {&ParameterScalars::externTeach, ui.EditExteach, true},
          {&ParameterScalars::power, ui.SlidePower, false},
          {&ParameterScalars::powerMode, ui.EditPmode, true},
          {&ParameterScalars::average, ui.EditAverage, false},
          {&ParameterScalars::evaluationMode, ui.EditEvalmode, true},
          {&ParameterScalars::holdFail, ui.EditGridHold, false},
          {&ParameterScalars::intlim, ui.EditIntlim, false},
          {&ParameterScalars::maxVecNo, ui.EditMaxVecNo, true},
          {&ParameterScalars::digitalOutmode, ui.EditDigOutmode, true},
          {&ParameterScalars::trigger, ui.EditTrigger, true},
          {&ParameterScalars::calculationMode, ui.EditCalcmode, true},
          {&ParameterScalars::dynwinLo, ui.EditDynWinLo, false},
          {&ParameterScalars::dynwinHi, ui.EditDynWinHi, false},
          {&ParameterScalars::colorGroup, ui.EditColorGroups, true},
          {&ParameterScalars::ledMode, ui.EditLedMode, true},
          {&ParameterScalars::gain, ui.EditGain, false},
          {&ParameterScalars::integral, ui.EditIntegral, false},
          {&ParameterScalars::powerExtern, ui.EditPowerExtern, false},
      } {
    SetRingCodes(ui_.EditDigOutmode, {BINARY, DIRECT_LO, DIRECT_HI});
    SetRingCodes(ui_.EditGain, {1, 2, 3, 4, 5, 6, 7, 8});
    for (QTableWidget* grid : {ui_.GridCtt, ui_.EditGridGroups, ui_.EditGridHold})
        grid->setItemDelegate(new WordDelegate(grid));
    for (int r = 0; r < TEACH_ROWS; ++r) {
        for (int c = 0; c < TEACH_CELLS; ++c) SetCellWord(ui_.GridCtt, r, c, 1);
        SetCellWord(ui_.EditGridGroups, r, 0, 0);
    }
    for (int r = 0; r <= TEACH_ROWS; ++r) SetCellWord(ui_.EditGridHold, r, 0, 10);

    connect(ui_.SlidePower, &QSlider::valueChanged, this,
            [this](int v) { ui_.DispPowerValue->setText(QString::number(v)); });
}

void ParameterControls::ControlsToParameterSet() {
    for (const ScalarBinding& b : bindings_) ReadControl(b.control, record_.scalars.*b.field);
    for (int r = 0; r < TEACH_ROWS; ++r) {
        TeachVector& row = record_.table[r];
        row.group = CellWord(ui_.EditGridGroups, r, 0);
        row.hold = CellWord(ui_.EditGridHold, r + 1, 0);
        for (int c = 0; c < TEACH_CELLS; ++c) row.cell[c] = CellWord(ui_.GridCtt, r, c);
    }
}

void ParameterControls::ReadModeFields() {
    for (const ScalarBinding& b : bindings_)
        if (b.modeControl) ReadControl(b.control, record_.scalars.*b.field);
}

void ParameterControls::ParameterSetToControls() {
    // Values written by the program are not the operator's change of the switch.
    const QSignalBlocker quiet(ui_.EditColorGroups);
    for (const ScalarBinding& b : bindings_) {
        WriteControl(b.control, record_.scalars.*b.field);
        if (b.control == ui_.EditExteach) UpdateTriggerList();
    }
    for (int r = 0; r < TEACH_ROWS; ++r) {
        SetCellWord(ui_.EditGridGroups, r, 0, record_.table[r].group);
        SetCellWord(ui_.EditGridHold, r + 1, 0, record_.table[r].hold);
    }
    TeachTableToGrid();
}

void ParameterControls::TeachTableToGrid() {
    for (int r = 0; r < TEACH_ROWS; ++r)
        for (int c = 0; c < TEACH_CELLS; ++c)
            SetCellWord(ui_.GridCtt, r, c, record_.table[r].cell[c]);
}

void ParameterControls::ConvertTeachTable(int oldMode, int newMode) {
    if (Is3D(oldMode) == Is3D(newMode)) return;
    ConvertTeachVectors(record_.table, oldMode, newMode);
    TeachTableToGrid();
}

void ParameterControls::UpdateTriggerList() {
    QComboBox* ring = ui_.EditTrigger;
    if (RingCode(ui_.EditExteach) == EXTEACH_OFF) {
        if (ring->count() <= 2)
            for (const char* mode : TRIGGER_INPUT_MODES) ring->addItem(mode);
        return;
    }
    while (ring->count() > 2) ring->removeItem(ring->count() - 1);
}
