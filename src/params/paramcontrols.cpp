#include "params/paramcontrols.h"

#include "ui/grid.h"

namespace {

// Rings whose item order is not their code order carry the code as item data.
void SetRingCodes(QComboBox* ring, std::initializer_list<int> codes) {
    int i = 0;
    for (int code : codes) ring->setItemData(i++, code);
}

int RingCode(const QComboBox* ring) {
    const QVariant data = ring->currentData();
    return data.isValid() ? data.toInt() : ring->currentIndex();
}

// A code the ring does not offer leaves the ring empty, and reading an empty ring
// keeps the record's value: an unknown sensor value is shown as missing, never altered.
void SetRing(QComboBox* ring, int code) {
    int index = ring->findData(code);
    if (index < 0 && !ring->itemData(0).isValid()) index = code < ring->count() ? code : -1;
    ring->setCurrentIndex(index);
}

void ReadRing(const QComboBox* ring, uint16_t& field) {
    if (ring->currentIndex() >= 0) field = static_cast<uint16_t>(RingCode(ring));
}

const char* const TRIGGER_INPUT_MODES[] = {"EXT1", "EXT2", "EXT3", "TRANS", "PARA"};

}  // namespace

ParameterControls::ParameterControls(Ui::MAINP& ui, ParameterSet& record)
    : ui_(ui), record_(record) {
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
    connect(ui_.EditCalcmode, &QComboBox::activated, this,
            &ParameterControls::OnCalculationModeCommitted);
    for (QComboBox* ring : {ui_.EditPmode, ui_.EditLedMode, ui_.EditDigOutmode, ui_.EditEvalmode,
                            ui_.EditExteach, ui_.EditTrigger})
        connect(ring, &QComboBox::activated, this, [this] {
            if (applyModeCascade) applyModeCascade();
        });
    connect(ui_.EditMaxVecNo, &QSpinBox::editingFinished, this, [this] {
        if (applyModeCascade) applyModeCascade();
    });
}

void ParameterControls::ControlsToParameterSet() {
    ParameterScalars& s = record_.scalars;
    s.power = static_cast<uint16_t>(ui_.SlidePower->value());
    ReadRing(ui_.EditPmode, s.powerMode);
    s.average = static_cast<uint16_t>(ui_.EditAverage->value());
    ReadRing(ui_.EditEvalmode, s.evaluationMode);
    s.holdFail = CellWord(ui_.EditGridHold, 0, 0);
    s.intlim = static_cast<uint16_t>(ui_.EditIntlim->value());
    s.maxVecNo = static_cast<uint16_t>(ui_.EditMaxVecNo->value());
    ReadRing(ui_.EditDigOutmode, s.digitalOutmode);
    ReadRing(ui_.EditTrigger, s.trigger);
    ReadRing(ui_.EditExteach, s.externTeach);
    ReadRing(ui_.EditCalcmode, s.calculationMode);
    s.dynwinLo = static_cast<uint16_t>(ui_.EditDynWinLo->value());
    s.dynwinHi = static_cast<uint16_t>(ui_.EditDynWinHi->value());
    s.colorGroup = ui_.EditColorGroups->isChecked() ? 1 : 0;
    ReadRing(ui_.EditLedMode, s.ledMode);
    ReadRing(ui_.EditGain, s.gain);
    s.integral = static_cast<uint16_t>(ui_.EditIntegral->value());
    s.powerExtern = static_cast<uint16_t>(ui_.EditPowerExtern->value());
    for (int r = 0; r < TEACH_ROWS; ++r) {
        TeachVector& row = record_.table[r];
        row.group = CellWord(ui_.EditGridGroups, r, 0);
        row.hold = CellWord(ui_.EditGridHold, r + 1, 0);
        for (int c = 0; c < TEACH_CELLS; ++c) row.cell[c] = CellWord(ui_.GridCtt, r, c);
    }
}

void ParameterControls::ReadModeFields() {
    ParameterScalars& s = record_.scalars;
    ReadRing(ui_.EditPmode, s.powerMode);
    ReadRing(ui_.EditLedMode, s.ledMode);
    ReadRing(ui_.EditExteach, s.externTeach);
    ReadRing(ui_.EditCalcmode, s.calculationMode);
    ReadRing(ui_.EditEvalmode, s.evaluationMode);
    ReadRing(ui_.EditTrigger, s.trigger);
    ReadRing(ui_.EditDigOutmode, s.digitalOutmode);
    s.colorGroup = ui_.EditColorGroups->isChecked() ? 1 : 0;
    s.maxVecNo = static_cast<uint16_t>(ui_.EditMaxVecNo->value());
}

void ParameterControls::ParameterSetToControls() {
    const ParameterScalars& s = record_.scalars;
    // The trigger list depends on EXTERN TEACH: complete it before TRIGGER is set.
    SetRing(ui_.EditExteach, s.externTeach);
    UpdateTriggerList();
    ui_.SlidePower->setValue(s.power);
    SetRing(ui_.EditPmode, s.powerMode);
    ui_.EditAverage->setValue(s.average);
    SetRing(ui_.EditEvalmode, s.evaluationMode);
    SetCellWord(ui_.EditGridHold, 0, 0, s.holdFail);
    ui_.EditIntlim->setValue(s.intlim);
    ui_.EditMaxVecNo->setValue(s.maxVecNo);
    SetRing(ui_.EditDigOutmode, s.digitalOutmode);
    SetRing(ui_.EditTrigger, s.trigger);
    SetRing(ui_.EditExteach, s.externTeach);
    SetRing(ui_.EditCalcmode, s.calculationMode);
    ui_.EditDynWinLo->setValue(s.dynwinLo);
    ui_.EditDynWinHi->setValue(s.dynwinHi);
    ui_.EditColorGroups->setChecked(s.colorGroup != 0);
    SetRing(ui_.EditLedMode, s.ledMode);
    SetRing(ui_.EditGain, s.gain);
    ui_.EditIntegral->setValue(s.integral);
    ui_.EditPowerExtern->setValue(s.powerExtern);
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

void ParameterControls::UpdateTriggerList() {
    QComboBox* ring = ui_.EditTrigger;
    if (ui_.EditExteach->currentIndex() == EXTEACH_OFF) {
        if (ring->count() <= 2)
            for (const char* mode : TRIGGER_INPUT_MODES) ring->addItem(mode);
        return;
    }
    if (ring->currentIndex() >= TRIGGER_EXT1) ring->setCurrentIndex(TRIGGER_CONT);
    while (ring->count() > 2) ring->removeItem(ring->count() - 1);
}

void ParameterControls::OnCalculationModeCommitted() {
    const int oldMode = record_.scalars.calculationMode;
    ControlsToParameterSet();
    const int newMode = record_.scalars.calculationMode;
    if (Is3D(oldMode) != Is3D(newMode)) {
        ConvertTeachVectors(record_.table, oldMode, newMode);
        TeachTableToGrid();
    }
    if (applyModeCascade) applyModeCascade();
    ControlsToParameterSet();
    if (redrawTaughtColours) redrawTaughtColours();
}
