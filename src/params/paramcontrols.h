#pragma once
// The operator's working copy of the parameters: the parameter page, the COLOR GROUP
// switch and the TEACH, GROUP and HOLD grids, and the copies between them and the
// ParameterSet.

#include <QObject>
#include <functional>

#include "params/parameterset.h"
#include "ui/panels.h"

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
    std::function<void()> applyModeCascade;
    // Redraws the taught colours in the colour-space graphs.
    std::function<void()> redrawTaughtColours;

  private:
    void OnCalculationModeCommitted();
    void TeachTableToGrid();

    Ui::MAINP& ui_;
    ParameterSet& record_;
};
