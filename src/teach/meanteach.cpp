#include "teach/meanteach.h"

#include <QHeaderView>

#include "core/buttons.h"
#include "core/flags.h"
#include "live/goloop.h"
#include "live/graphs.h"
#include "params/paramcontrols.h"
#include "ui/grid.h"
#include "ui/platform.h"

namespace {

constexpr int MIN_DIST_TOLERANCE = 40;

void SetDisplay(QLineEdit* display, int value) { display->setText(QString::number(value)); }

// Ring items and labels of TEACHP1 for one calculation mode.
struct PanelTexts {
    QStringList coordinates;                        // headers of columns 4 to 6
    QString colourValue, colourDistance;            // "VALUE CTO", "d (X/Y)"
    QString intensityValue, intensityDistance;      // "VALUE ITO", "d INT"
    QString colourChoice, intensityChoice;          // "TEACH CTO WITH", "TEACH ITO WITH"
};

const PanelTexts PANEL_TEXTS[] = {
    {{"X", "Y", "INT"}, "VALUE CTO", "d (X/Y)", "VALUE ITO", "d INT", "TEACH CTO WITH",
     "TEACH ITO WITH"},
    {{"s", "i", "M"}, "VALUE siTO", "d (s/i)", "VALUE MTO", "d M", "TEACH siTO WITH",
     "TEACH MTO WITH"},
    {{"X", "Y", "INT"}, "VALUE TOL", "d (X/Y/INT)", "", "", "TEACH TOL WITH", ""},
    {{"s", "i", "M"}, "VALUE TOL", "d (s/i/INT)", "", "", "TEACH TOL WITH", ""},
};

void SetRingTexts(QComboBox* ring, const QString& value, const QString& distance) {
    ring->setItemText(0, value);
    ring->setItemText(1, distance);
    ring->setItemText(2, distance + "+" + value);
}

}  // namespace

MeanValueTeach::MeanValueTeach(Panels& panels, ProgramFlags& flags, const ParameterSet& record,
                               ParameterControls& controls, LiveGraphs& graphs,
                               AcquisitionLoop& acquisition, CommandButtons& buttons,
                               Platform& platform)
    : panels_(panels),
      ui_(panels.teachp1.ui),
      main_(panels.mainUi),
      flags_(flags),
      record_(record),
      controls_(controls),
      graphs_(graphs),
      acquisition_(acquisition),
      buttons_(buttons),
      platform_(platform) {
    for (QTableWidget* grid : {ui_.GridTP1Values, ui_.GridTP1Mean}) {
        grid->setItemDelegate(new WordDelegate(grid));
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->columnCount(); ++c) SetCellWord(grid, r, c, 0);
    }
    ui_.GridTP1Mean->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(main_.ButtonTeachMeanVal, &QPushButton::clicked, this, &MeanValueTeach::Open);
    connect(ui_.ButtonCloseTeachPanel, &QPushButton::clicked, this, &MeanValueTeach::Close);
    connect(ui_.ButtonTP1Capture, &QPushButton::clicked, this, &MeanValueTeach::Capture);
    connect(ui_.ButtonTP1Undo, &QPushButton::clicked, this, &MeanValueTeach::Undo);
    connect(ui_.ButtonTP1ResetTable, &QPushButton::clicked, this, &MeanValueTeach::ResetCaptures);
    connect(ui_.ButtonTP1Teach, &QPushButton::clicked, this, &MeanValueTeach::Teach);
    connect(ui_.GridTP1Values->itemDelegate(), &QAbstractItemDelegate::commitData, this,
            &MeanValueTeach::UpdateTeachMeans);
}

int MeanValueTeach::Counter() const { return ui_.DispTP1Counter->text().toInt(); }

void MeanValueTeach::SetCounter(int count) { SetDisplay(ui_.DispTP1Counter, count); }

void MeanValueTeach::Open() {
    panels_.ShowChildPanel(&panels_.teachp1.widget);
    SetUpTeachPanels();
    // A running loop keeps feeding the frames.
    if (flags_.goRunning) return;
    const ButtonsDimmed dimmed(buttons_, DimMode::Transfer);
    graphs_.DrawTeachTolerances();
    acquisition_.RunGoLoop();
}

void MeanValueTeach::Close() {
    flags_.goRunning = false;
    panels_.ShowChildPanel(&panels_.datap.widget);
}

void MeanValueTeach::Capture() {
    const int c = std::min(Counter(), CAPTURE_ROWS - 1) + 1;
    SetCounter(c);
    QTableWidget* grid = ui_.GridTP1Values;
    grid->setCurrentCell(c - 1, 0);
    const MeasurementFrame& f = acquisition_.frame;
    const uint16_t values[6] = {f.red, f.green, f.blue, f.x, f.y, f.intensity};
    for (int col = 0; col < 6; ++col) SetCellWord(grid, c - 1, col, values[col]);
    UpdateTeachMeans();
}

void MeanValueTeach::Undo() {
    const int c = std::max(Counter() - 1, 0);
    SetCounter(c);
    ui_.GridTP1Values->setCurrentCell(c >= 6 ? c - 6 : 0, 0);
    for (int col = 0; col < 6; ++col) SetCellWord(ui_.GridTP1Values, c, col, 0);
    UpdateTeachMeans();
}

void MeanValueTeach::ResetCaptures() {
    QPushButton* button = ui_.ButtonTP1ResetTable;
    button->setStyleSheet("background-color: #FF0000;");
    QCoreApplication::processEvents();
    if (platform_.Confirm("ATTENTION!", "Do you really want to reset the table?")) {
        SetCounter(0);
        for (int r = 0; r < CAPTURE_ROWS; ++r)
            for (int col = 0; col < 6; ++col) SetCellWord(ui_.GridTP1Values, r, col, 0);
        ui_.GridTP1Values->setCurrentCell(0, 0);
        UpdateTeachMeans();
    }
    button->setStyleSheet("background-color: #E0E0E0;");
}

std::vector<CapturedFrame> MeanValueTeach::CapturedFrames() const {
    std::vector<CapturedFrame> frames(static_cast<size_t>(std::clamp(Counter(), 0, CAPTURE_ROWS)));
    for (size_t r = 0; r < frames.size(); ++r)
        for (int col = 0; col < 6; ++col)
            frames[r][col] = CellWord(ui_.GridTP1Values, static_cast<int>(r), col);
    return frames;
}

void MeanValueTeach::UpdateTeachMeans() {
    means_ = MeanOf(CapturedFrames());
    for (int col = 0; col < 6; ++col) SetCellWord(ui_.GridTP1Mean, 0, col, means_[col]);
    UpdateTeachScatter();
}

void MeanValueTeach::UpdateTeachScatter() {
    const Scatter s =
        ScatterOf(CapturedFrames(), means_, Is3D(RingCode(main_.EditCalcmode)));
    SetDisplay(ui_.DispTP1MaxDeltaXY, s.colour);
    SetDisplay(ui_.DispTP1MaxDeltaInt, s.intensity);
}

int MeanValueTeach::ChosenTolerance(int choice, int value, int distance, int column) const {
    switch (choice) {
        case 0:
            return value;
        case 1:
            return distance;
        case 2:
            return static_cast<uint16_t>(value + distance);
        default:
            return CellWord(main_.GridCtt, std::clamp(main_.EditNo->value(), 0, TEACH_ROWS - 1),
                            column);
    }
}

void MeanValueTeach::Teach() {
    const int calculation = RingCode(main_.EditCalcmode);
    const bool threeD = Is3D(calculation);
    const bool minDist = RingCode(main_.EditEvalmode) == MIN_DIST;
    const int n = std::clamp(main_.EditNo->value(), 0, TEACH_ROWS - 1);
    const CapturedFrame& m = means_;
    const int ct = ChosenTolerance(ui_.EditTP1TeachCtoWith->currentIndex(),
                                   ui_.EditTP1ValueCto->value(),
                                   ui_.DispTP1MaxDeltaXY->text().toInt(), threeD ? 3 : 2);
    const int it = ChosenTolerance(ui_.EditTP1TeachItoWith->currentIndex(),
                                   ui_.EditTP1ValueIto->value(),
                                   ui_.DispTP1MaxDeltaInt->text().toInt(), threeD ? 3 : 4);
    QTableWidget* grid = main_.GridCtt;
    const auto put = [&](int column, int value) {
        SetCellWord(grid, n, column, static_cast<uint16_t>(value));
    };
    put(0, m[CAPTURED_X]);
    put(1, m[CAPTURED_Y]);
    const int tolerance = minDist ? MIN_DIST_TOLERANCE : ct;
    if (threeD) {
        put(2, m[CAPTURED_INTENSITY]);
        put(3, tolerance);
    } else {
        put(2, tolerance);
        put(3, m[CAPTURED_INTENSITY]);
        put(4, it);
    }
    if (main_.RadioInc->isChecked() && n < TEACH_ROWS - 1) main_.EditNo->setValue(n + 1);
    controls_.ControlsToParameterSet();
    graphs_.DrawTeachTolerances();
}

void MeanValueTeach::SetUpTeachPanels() {
    const int evaluation = RingCode(main_.EditEvalmode);
    const bool threshold = evaluation == THD_RGB;
    main_.ButtonTeachMeanVal->setEnabled(!threshold);
    main_.ButtonTeachRecVal->setEnabled(!threshold);
    main_.EditNo->setVisible(!threshold);
    main_.LabelEditNo->setVisible(!threshold);
    main_.RadioInc->setVisible(!threshold);
    if (threshold) return;
    const bool minDist = evaluation == MIN_DIST;
    ui_.EditTP1TeachCtoWith->setEnabled(!minDist);
    ui_.EditTP1ValueCto->setEnabled(!minDist);
    const int mode = std::clamp<int>(record_.scalars.calculationMode, 0, 3);
    emit TeachPanelsSetUp(mode);
    const PanelTexts& t = PANEL_TEXTS[mode];
    for (QTableWidget* grid : {ui_.GridTP1Values, ui_.GridTP1Mean})
        for (int k = 0; k < 3; ++k) {
            if (!grid->horizontalHeaderItem(3 + k))
                grid->setHorizontalHeaderItem(3 + k, new QTableWidgetItem);
            grid->horizontalHeaderItem(3 + k)->setText(t.coordinates[k]);
        }
    SetRingTexts(ui_.EditTP1TeachCtoWith, t.colourValue, t.colourDistance);
    ui_.LabelTP1TeachCtoWith->setText(t.colourChoice);
    ui_.LabelTP1ValueCto->setText(t.colourValue);
    ui_.LabelTP1MaxDeltaXY->setText(t.colourDistance);
    const bool intensityShown = !Is3D(mode);
    for (QWidget* w : {static_cast<QWidget*>(ui_.DispTP1MaxDeltaInt),
                       static_cast<QWidget*>(ui_.LabelTP1MaxDeltaInt),
                       static_cast<QWidget*>(ui_.EditTP1TeachItoWith),
                       static_cast<QWidget*>(ui_.LabelTP1TeachItoWith),
                       static_cast<QWidget*>(ui_.EditTP1ValueIto),
                       static_cast<QWidget*>(ui_.LabelTP1ValueIto)})
        w->setVisible(intensityShown);
    if (!intensityShown) return;
    SetRingTexts(ui_.EditTP1TeachItoWith, t.intensityValue, t.intensityDistance);
    ui_.LabelTP1TeachItoWith->setText(t.intensityChoice);
    ui_.LabelTP1ValueIto->setText(t.intensityValue);
    ui_.LabelTP1MaxDeltaInt->setText(t.intensityDistance);
}
