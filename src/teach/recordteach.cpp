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
// reaches 10000. A point beyond widens its axis to the whole 16-bit range.
const Range COORDINATE_RANGE{0, 4096};
const Range M_RANGE{0, 10000};
const Range WORD_RANGE{0, 65536};

void SetDisplay(QLineEdit* display, double value) {
    display->setText(QString::number(static_cast<uint16_t>(value)));
}

Range Widened(Range range, double value) { return value < range.hi ? range : WORD_RANGE; }

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
    for (CloudView& view : views_)
        connect(&view, &CloudView::CursorMoved, this,
                [this, &view](ViewCoordinates at) { SelectCursor(view.View(), at); });
    connect(&meanTeach, &MeanValueTeach::TeachPanelsSetUp, this, &RecordedValueTeach::SetUpPanel);
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
    if (store_.Count() == 0) return;
    current_ = store_.At(store_.FindEntry(view, at));
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
    for (CloudView& view : views_) view.Clear();
    ui_.DispTP2Counter->setText("0");
}

void RecordedValueTeach::SetUpPanel(int calculationMode) {
    const QStringList names = CoordinateNames(calculationMode);
    ui_.LabelTP2X->setText(names[0]);
    ui_.LabelTP2Y->setText(names[1]);
    ui_.LabelTP2Int->setText(names[2]);
    StyleCoordinateDisplays(ui_.DispTP2X, ui_.DispTP2Y, calculationMode);
    const bool sim = calculationMode == CALC_SIM_2D || calculationMode == CALC_SIM_3D;
    for (CloudView& view : views_) {
        // Which two of the three names the view shows.
        const ViewCoordinates axes = InView({0, 1, 2}, view.View());
        const QString& h = names[static_cast<int>(axes.a)];
        const QString& v = names[static_cast<int>(axes.b)];
        view.SetLabels(h + "/" + v, h, v);
    }
    SetRanges(COORDINATE_RANGE, COORDINATE_RANGE, sim ? M_RANGE : COORDINATE_RANGE);
    RecordedPoint highest = current_;
    for (int k = 0; k < store_.Count(); ++k) {
        const RecordedPoint& p = store_.At(k);
        highest = {std::max(highest.x, p.x), std::max(highest.y, p.y),
                   std::max(highest.intensity, p.intensity)};
    }
    KeepInView(highest);
}

void RecordedValueTeach::SetRanges(Range x, Range y, Range intensity) {
    View(RecordView::XY).SetRanges(x, y);
    View(RecordView::XInt).SetRanges(x, intensity);
    View(RecordView::YInt).SetRanges(y, intensity);
}

void RecordedValueTeach::KeepInView(const RecordedPoint& p) {
    const Range x = View(RecordView::XY).HorizontalRange();
    const Range y = View(RecordView::XY).VerticalRange();
    const Range intensity = View(RecordView::XInt).VerticalRange();
    const Range wx = Widened(x, p.x), wy = Widened(y, p.y), wi = Widened(intensity, p.intensity);
    if (wx != x || wy != y || wi != intensity) SetRanges(wx, wy, wi);
}
