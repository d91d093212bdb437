#include "teach/recordteach.h"

#include "core/buttons.h"
#include "core/flags.h"
#include "link/link.h"
#include "live/goloop.h"
#include "live/graphs.h"
#include "params/paramcontrols.h"
#include "teach/meanteach.h"
#include "teach/teachtable.h"
#include "ui/platform.h"

namespace {

// The axes start on the signals' ranges: 12 bits for every coordinate but M, which
// reaches 10000. A point beyond widens its axis to the next power of two.
const Range COORDINATE_RANGE{0, 4096};
const Range M_RANGE{0, 10000};
constexpr int WORD_LIMIT = 65536;
constexpr int PAGE_STEP = 100;

// The coordinates each view shows, as indexes into the three names.
struct ViewAxes {
    RecordView view;
    int horizontal, vertical;
};
constexpr ViewAxes VIEW_AXES[] = {
    {RecordView::XY, 0, 1}, {RecordView::XInt, 0, 2}, {RecordView::YInt, 1, 2}};

void SetDisplay(QLineEdit* display, double value) {
    display->setText(QString::number(static_cast<uint16_t>(value)));
}

Range Widened(Range range, double value) {
    int hi = range.hi;
    while (value >= hi && hi < WORD_LIMIT) hi *= 2;
    return {range.lo, std::min(hi, WORD_LIMIT)};
}

}  // namespace

RecordedValueTeach::RecordedValueTeach(Panels& panels, SensorLink& link, ProgramFlags& flags,
                                       ParameterControls& controls, LiveGraphs& graphs,
                                       AcquisitionLoop& acquisition,
                                       TeachTableEditor& teachTable, MeanValueTeach& meanTeach,
                                       CommandButtons& buttons, Platform& platform)
    : panels_(panels),
      ui_(panels.teachp2.ui),
      link_(link),
      flags_(flags),
      controls_(controls),
      acquisition_(acquisition),
      teachTable_(teachTable),
      meanTeach_(meanTeach),
      buttons_(buttons),
      platform_(platform),
      graphs_(graphs),
      views_{{{ui_.GraphXYTP2, store_, RecordView::XY},
              {ui_.GraphXIntTP2, store_, RecordView::XInt},
              {ui_.GraphYIntTP2, store_, RecordView::YInt}}},
      pace_([this] { ShowPoint(); }) {
    connect(panels.mainUi.ButtonTeachRecVal, &QPushButton::clicked, this,
            &RecordedValueTeach::Open);
    connect(ui_.ButtonCloseTeachPanel2, &QPushButton::clicked, this, &RecordedValueTeach::Close);
    connect(ui_.ButtonTP2Start, &QPushButton::clicked, this, &RecordedValueTeach::Start);
    connect(ui_.ButtonTP2Reset, &QPushButton::clicked, this, &RecordedValueTeach::Reset);
    connect(ui_.ButtonTP2Teach, &QPushButton::clicked, this, &RecordedValueTeach::Teach);
    for (CloudView& view : views_) {
        connect(&view, &CloudView::CursorMoved, this,
                [this, &view](ViewCoordinates at) { SelectCursor(view.View(), at); });
        connect(&view, &CloudView::StepRequested, this, &RecordedValueTeach::StepSelection);
    }
    connect(&meanTeach, &MeanValueTeach::TeachPanelsSetUp, this, &RecordedValueTeach::SetUpPanel);
    SetUpPanel(CALC_XYINT_2D);
}

void RecordedValueTeach::Open() {
    panels_.ShowChildPanel(&panels_.teachp2.widget);
    meanTeach_.SetUpTeachPanels();
}

void RecordedValueTeach::Close() {
    flags_.goRunning = false;
    panels_.ShowChildPanel(&panels_.datap.widget);
}

void RecordedValueTeach::Start() {
    const ButtonsDimmed dimmed(buttons_, DimMode::Transfer);
    controls_.ControlsToParameterSet();
    graphs_.DrawTeachTolerances();
    RecordForTeach();
}

void RecordedValueTeach::RecordForTeach() {
    flags_.goRunning = true;
    while (flags_.goRunning) {
        // A failed transaction has been reported; a link error has cleared goRunning.
        if (!link_.Request({.order = ORDER_GET_DATA})) continue;
        acquisition_.DecodeDataFrame();
        PlotTeachRecord(acquisition_.frame);
    }
    pace_.Flush();  // the last point stays on screen
}

void RecordedValueTeach::PlotTeachRecord(const MeasurementFrame& frame) {
    current_ = {static_cast<double>(frame.x), static_cast<double>(frame.y),
                static_cast<double>(frame.intensity)};
    KeepInView(current_);
    for (CloudView& view : views_) view.AddDot(current_);
    store_.Add(current_);
    selected_ = store_.Count() - 1;
    if (store_.Full()) flags_.goRunning = false;
    pace_.Request();
}

void RecordedValueTeach::ShowPoint() {
    SetDisplay(ui_.DispTP2X, current_.x);
    SetDisplay(ui_.DispTP2Y, current_.y);
    SetDisplay(ui_.DispTP2Int, current_.intensity);
    ui_.DispTP2Counter->setText(QString::number(store_.Count()));
    for (CloudView& view : views_) {
        view.SetCursor(current_);
        view.Show();
    }
}

void RecordedValueTeach::SelectCursor(RecordView view, ViewCoordinates at) {
    // Without recorded points there is nothing to select (and entry 0 holds nothing).
    if (store_.Count() == 0) return;
    Select(store_.FindEntry(view, at));
}

void RecordedValueTeach::StepSelection(CloudStep step) {
    const int last = store_.Count() - 1;
    if (last < 0) return;
    const int from = std::min(selected_, last);
    switch (step) {
        case CloudStep::Previous:
            return Select(std::max(from - 1, 0));
        case CloudStep::Next:
            return Select(std::min(from + 1, last));
        case CloudStep::PageBack:
            return Select(std::max(from - PAGE_STEP, 0));
        case CloudStep::PageOn:
            return Select(std::min(from + PAGE_STEP, last));
        case CloudStep::First:
            return Select(0);
        case CloudStep::Last:
            return Select(last);
    }
}

void RecordedValueTeach::Select(int entry) {
    selected_ = entry;
    current_ = store_.At(entry);
    pace_.Flush();
}

void RecordedValueTeach::Teach() {
    pace_.Flush();  // the displays show the newest point
    const MeasurementFrame& f = acquisition_.frame;
    teachTable_.TeachPoint(ui_.DispTP2X->text().toInt(), ui_.DispTP2Y->text().toInt(),
                           ui_.DispTP2Int->text().toInt(), f.red, f.green, f.blue);
}

void RecordedValueTeach::Reset() {
    if (!platform_.Confirm("ATTENTION!", "Do you really want to reset the table?")) return;
    store_.Reset();
    selected_ = 0;
    SetRanges(baseRanges_);
    for (CloudView& view : views_) view.Clear();
    ui_.DispTP2Counter->setText("0");
}

void RecordedValueTeach::SetUpPanel(int calculationMode) {
    const QStringList names = CoordinateNames(calculationMode);
    ui_.LabelTP2X->setText(names[0]);
    ui_.LabelTP2Y->setText(names[1]);
    ui_.LabelTP2Int->setText(names[2]);
    StyleCoordinateDisplays(ui_.DispTP2X, ui_.DispTP2Y, calculationMode);
    for (const ViewAxes& a : VIEW_AXES) {
        const QString& h = names[a.horizontal];
        const QString& v = names[a.vertical];
        View(a.view).SetLabels(h + "/" + v, h, v);
    }
    baseRanges_ = {COORDINATE_RANGE, COORDINATE_RANGE,
                   SimModes(calculationMode) ? M_RANGE : COORDINATE_RANGE};
    SetRanges(baseRanges_);
    RecordedPoint highest = current_;
    for (int k = 0; k < store_.Count(); ++k) {
        const RecordedPoint& p = store_.At(k);
        highest = {std::max(highest.x, p.x), std::max(highest.y, p.y),
                   std::max(highest.intensity, p.intensity)};
    }
    KeepInView(highest);
}

std::array<Range, 3> RecordedValueTeach::Ranges() {
    return {View(RecordView::XY).HorizontalRange(), View(RecordView::XY).VerticalRange(),
            View(RecordView::XInt).VerticalRange()};
}

void RecordedValueTeach::SetRanges(const std::array<Range, 3>& r) {
    for (const ViewAxes& a : VIEW_AXES) View(a.view).SetRanges(r[a.horizontal], r[a.vertical]);
}

void RecordedValueTeach::KeepInView(const RecordedPoint& p) {
    const std::array<Range, 3> now = Ranges();
    const std::array<Range, 3> wide = {Widened(now[0], p.x), Widened(now[1], p.y),
                                       Widened(now[2], p.intensity)};
    if (wide != now) SetRanges(wide);
}
