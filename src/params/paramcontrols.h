#pragma once
// The operator's working copy of the parameters: the parameter page, the COLOR GROUP
// switch and the TEACH, GROUP and HOLD grids, and the copies between them and the
// ParameterSet.

#include <QObject>
#include <vector>

#include "core/parameterset.h"
#include "ui/panels.h"

// One scalar of the record and the control that shows it.
struct ScalarBinding {
    uint16_t ParameterScalars::*field;
    // A ring, spin box, slider or switch; the HOLD grid stands for HOLD FAIL (its row 0).
    QWidget* control;
    // Mode controls go into the record as soon as they change (ReadModeFields).
    bool modeControl;
};

class ParameterControls : public QObject {
    Q_OBJECT
  public:
    ParameterControls(Ui::MAINP& ui, ParameterSet& record);

    void ControlsToParameterSet();
    void ParameterSetToControls();
    // Takes the mode controls into the record at once (the live displays rely on
    // EVALUATION MODE while GO runs); the other fields wait for ControlsToParameterSet.
    void ReadModeFields();
    // The TRIGGER ring offers EXT1 to PARA only while EXTERN TEACH is OFF.
    void UpdateTriggerList();
    // Runs after a committed mode change and after parameters were read.
    void ApplyModeCascade();
    // Parameters arrived from the sensor or a file: the controls, the cascade and the
    // taught colours follow the record.
    void ParametersArrived();

  signals:
    // The teach table or the calculation mode changed: the graphs redraw the taught colours.
    void TaughtColoursChanged();
    // The cascade has run: the graphs follow the calculation mode.
    void CalculationModeApplied(int calculationMode);

  private:
    void OnCalculationModeCommitted();
    void TeachTableToGrid();

    Ui::MAINP& ui_;
    ParameterSet& record_;
    std::vector<ScalarBinding> bindings_;
};
