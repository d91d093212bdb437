#pragma once
// TEACHP2, the recorded-value teach: data frames recorded at the link's full rate into
// a store of up to 60000 points, drawn as clouds in three side views (X/Y, X/INT,
// Y/INT); the operator picks a point with a cursor and teaches it into the No.
// field's row.

#include <QObject>
#include <array>

#include "core/measurement.h"
#include "teach/cloudview.h"
#include "teach/recordstore.h"
#include "ui/pace.h"
#include "ui/panels.h"

struct ProgramFlags;
class SensorLink;
class CommandButtons;
class ParameterControls;
class LiveGraphs;
class AcquisitionLoop;
class TeachTableEditor;
class MeanValueTeach;
class Platform;

class RecordedValueTeach : public QObject {
    Q_OBJECT
  public:
    RecordedValueTeach(Panels& panels, SensorLink& link, ProgramFlags& flags,
                       ParameterControls& controls, LiveGraphs& graphs,
                       AcquisitionLoop& acquisition, TeachTableEditor& teachTable,
                       MeanValueTeach& meanTeach, CommandButtons& buttons, Platform& platform);

    void Open();
    void Close();
    // START: records until STOP, close, a link error or a full store.
    void Start();
    void Reset();
    void Teach();
    // Data frames only, one after the other, while goRunning is set.
    void RecordForTeach();
    void PlotTeachRecord(const MeasurementFrame& frame);
    // The operator put the cursor of one view at a: the first entry shown there is
    // selected (entry 0 when none) and shown in the displays and all three views.
    void SelectCursor(RecordView view, ViewCoordinates at);
    // A key in one of the views: the selection moves through the recorded entries.
    void StepSelection(CloudStep step);
    // Labels, display colours and axes of the calculation mode.
    void SetUpPanel(int calculationMode);

    const TeachRecordStore& Store() const { return store_; }
    CloudView& View(RecordView view) { return views_[static_cast<size_t>(view)]; }

  private:
    // Widens every axis a point would fall beyond, so that no recorded point is off
    // the graphs.
    void KeepInView(const RecordedPoint& point);
    void SetRanges(const std::array<Range, 3>& ranges);
    std::array<Range, 3> Ranges();
    void Select(int entry);
    // The displays, the counter and the three views show the current point.
    void ShowPoint();

    Panels& panels_;
    Ui::TEACHP2& ui_;
    SensorLink& link_;
    ProgramFlags& flags_;
    ParameterControls& controls_;
    AcquisitionLoop& acquisition_;
    TeachTableEditor& teachTable_;
    MeanValueTeach& meanTeach_;
    CommandButtons& buttons_;
    Platform& platform_;
    LiveGraphs& graphs_;
    TeachRecordStore store_;
    std::array<CloudView, 3> views_;
    RecordedPoint current_{};
    int selected_ = 0;  // the entry shown, where the keys step from
    std::array<Range, 3> baseRanges_{};  // x, y, intensity of the calculation mode
    DisplayPace pace_;
};
