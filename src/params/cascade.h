#pragma once
// The mode cascade: every control, value, column, page and label that depends on the
// mode settings is brought into line with them, and the colour limits of the five
// digital outputs are held.

#include <QObject>

#include "core/parameterset.h"
#include "ui/panels.h"

class ParameterControls;
class Platform;

namespace LimitTexts {
inline const QString MAX_VEC_NO =
    "ATTENTION! \n\nMAXCOL-No. is too high. \n\nIf color group is disabled and OUMODE=DIRECT LO "
    "or \nDIRECT HI, the maximum number is 5. \nIf OUTMODE=BINARY, the maximum number is 31. "
    "\n\nIf color group is enabled, the maximum number is 31. \n\nMAXCOL-No. will be set to "
    "maximum value.";
inline const QString GROUP =
    "ATTENTION! \nIf OUTMODE=DIRECT HI or DIRECT LO: \n5 groups are possible! GROUP 0,1,2,3,4. "
    "\nIf OUTMODE=BINARY: \n31 groups are possible. GROUP 0,1,2.....30. \n\n Cell will be set "
    "to 0.";
}  // namespace LimitTexts

// Highest MAX VEC NO (groups off) or group number (groups on) of an output mode.
int ColourLimit(bool colorGroup, int digitalOutmode);

class ModeCascade : public QObject {
    Q_OBJECT
  public:
    ModeCascade(Panels& panels, ParameterControls& controls, const ParameterSet& record,
                Platform& platform);

    void ApplyModeCascade();
    void CheckColourLimits();
    // Parameters arrived from the sensor or a file: the controls, the cascade and the
    // taught colours follow the record.
    void ParametersArrived();

  signals:
    // The teach table or the calculation mode changed: the graphs redraw the taught colours.
    void TaughtColoursChanged();
    // The coordinate labels and graph ranges follow the calculation mode.
    void CalculationModeApplied(int calculationMode);
    // The last step: the teach panels follow the modes.
    void TeachPanelsToSetUp();

  private:
    void PowerStep();
    void EvaluationStep();
    void HeaderStep();
    void TriggerListStep();
    void TriggerStep();
    void GroupDisplayStep();
    void SwitchGroupsOff();
    void ShowDataPages(bool threshold, bool threeD);
    void MarkActiveRows(int activeRows);
    void OnCalculationModeCommitted();
    void OnGroupCellCommitted();
    void ResetGroupTable();
    void ResetHoldTable();

    Panels& panels_;
    Ui::MAINP& ui_;
    ParameterControls& controls_;
    const ParameterSet& record_;
    Platform& platform_;
    bool running_ = false;
};
