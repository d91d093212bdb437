#pragma once
// TEACHP1, the mean-value teach: up to 100 frames captured while the measurement loop
// runs, their mean and scatter, and the mean written into the No. field's row with
// tolerances from the scatter, a value, or both. Also SetUpTeachPanels, which labels
// the teach panels and the teach page for the current modes.

#include <QObject>
#include <vector>

#include "core/parameterset.h"
#include "teach/teachmath.h"
#include "ui/panels.h"

struct ProgramFlags;
class CommandButtons;
class ParameterControls;
class LiveGraphs;
class AcquisitionLoop;
class Platform;

constexpr int CAPTURE_ROWS = 100;

class MeanValueTeach : public QObject {
    Q_OBJECT
  public:
    MeanValueTeach(Panels& panels, ProgramFlags& flags, const ParameterSet& record,
                   ParameterControls& controls, LiveGraphs& graphs, AcquisitionLoop& acquisition,
                   CommandButtons& buttons, Platform& platform);

    void Open();
    void Close();
    void Capture();
    void Undo();
    void ResetCaptures();
    void Teach();
    void UpdateTeachMeans();
    void UpdateTeachScatter();
    void SetUpTeachPanels();

  signals:
    // TEACHP2 takes the labels of the calculation mode (not in THD RGB).
    void TeachPanelsSetUp(int calculationMode);

  private:
    int Counter() const;
    void SetCounter(int count);
    std::vector<CapturedFrame> CapturedFrames() const;
    // The tolerance a ring chooses: the value, the distance, both, or the present cell.
    int ChosenTolerance(int choice, int value, int distance, int column) const;

    Panels& panels_;
    Ui::TEACHP1& ui_;
    Ui::MAINP& main_;
    ProgramFlags& flags_;
    const ParameterSet& record_;
    ParameterControls& controls_;
    LiveGraphs& graphs_;
    AcquisitionLoop& acquisition_;
    CommandButtons& buttons_;
    Platform& platform_;
    CapturedFrame means_{};
};
