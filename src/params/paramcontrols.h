#pragma once
// The operator's working copy of the parameters: the parameter page, the COLOR GROUP
// switch and the TEACH, GROUP and HOLD grids, and the copies between them and the
// ParameterSet.

#include <QObject>
#include <vector>

#include "core/parameterset.h"
#include "ui/panels.h"

// The code a ring shows (its item data where the order is not the code order); a
// code the ring does not offer leaves it empty.
int RingCode(const QComboBox* ring);
void SetRing(QComboBox* ring, int code);

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
    void TeachTableToGrid();
    // Rearranges the teach table of the record and the grid for a new calculation mode.
    void ConvertTeachTable(int oldMode, int newMode);

  private:

    Ui::MAINP& ui_;
    ParameterSet& record_;
    std::vector<ScalarBinding> bindings_;
};
