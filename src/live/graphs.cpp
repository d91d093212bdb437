#include "live/graphs.h"

#include <qcustomplot.h>

#include "ui/grid.h"

namespace {

constexpr double CHART_SAMPLES_WINDOW = HISTORY_SAMPLES;  // 101 points: 0..100
const Range RGB_RANGE{0, 4096};
const Range SIM_INT_RANGE{0, 1200};

QColor Colour(uint32_t rgb) { return QColor::fromRgb(rgb); }

// A hidden graph is drawn when it is shown again; drawing it now would be wasted.
// It remembers that it missed a change, so that moving its point then redraws all.
constexpr const char* STALE = "stale";

void Replot(QCustomPlot* plot) {
    const bool visible = plot->isVisible();
    plot->setProperty(STALE, !visible);
    if (visible) plot->replot(QCustomPlot::rpQueuedReplot);
}

const QVector<double>& SampleKeys() {
    static const QVector<double> keys = [] {
        QVector<double> k(HISTORY_SAMPLES);
        for (int i = 0; i < HISTORY_SAMPLES; ++i) k[i] = i;
        return k;
    }();
    return keys;
}

// The current point lives on a buffered layer of its own: while the axes stay, moving
// it redraws that layer only, not the ellipses, grid and axes below it.
QCPGraph* AddPointGraph(QCustomPlot* plot) {
    plot->addLayer("cursor", plot->layer("main"), QCustomPlot::limAbove);
    plot->layer("cursor")->setMode(QCPLayer::lmBuffered);
    QCPGraph* g = plot->addGraph();
    g->setLayer("cursor");
    g->setLineStyle(QCPGraph::lsNone);
    g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCrossCircle, QPen(Qt::black, 2),
                                       QBrush(Qt::white), 13));
    return g;
}

void SetPoint(QCPGraph* graph, double x, double y) {
    graph->setData(QVector<double>{x}, QVector<double>{y}, true);
}

void ReplotPoint(QCPGraph* graph) {
    QCustomPlot* plot = graph->parentPlot();
    if (plot->property(STALE).toBool() || !plot->isVisible())
        Replot(plot);
    else
        graph->layer()->replot();
}

}  // namespace

bool SimModes(int calculationMode) {
    return calculationMode == CALC_SIM_2D || calculationMode == CALC_SIM_3D;
}

StripChart::StripChart(QCustomPlot* plot, std::array<uint32_t, 3> colours, Range manualRange,
                       Zoom zoom)
    : plot_(plot), manual_(manualRange) {
    // Redrawn at the screen's pace: plain lines cost a fraction of smoothed ones.
    plot_->setNotAntialiasedElements(QCP::aeAll);
    for (int t = 0; t < 3; ++t) {
        traces_[t] = plot_->addGraph();
        traces_[t]->setPen(QPen(Colour(colours[t]), 1.5));
    }
    plot_->xAxis->setRange(0, CHART_SAMPLES_WINDOW);
    plot_->yAxis->setRange(manual_.lo, manual_.hi);
    if (zoom == Zoom::Disabled) return;
    connect(plot_, &QCustomPlot::mousePress, this, [this](QMouseEvent* event) {
        if (event->button() != Qt::LeftButton) return;
        zooming_ = false;
        plot_->yAxis->setRange(manual_.lo, manual_.hi);
        Replot();
    });
    connect(plot_, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent* event) {
        if (event->button() != Qt::LeftButton) return;
        zooming_ = true;
        plot_->yAxis->rescale();
        Replot();
    });
}

void StripChart::Show(const History& history) {
    QVector<double> values(HISTORY_SAMPLES);
    for (int t = 0; t < 3; ++t) {
        for (int i = 0; i < HISTORY_SAMPLES; ++i) values[i] = history[3 * i + t];
        traces_[t]->setData(SampleKeys(), values, true);
    }
    if (zooming_) plot_->yAxis->rescale();
    Replot();
}

void StripChart::SetManualRange(Range range) {
    manual_ = range;
    if (zooming_) return;
    plot_->yAxis->setRange(manual_.lo, manual_.hi);
    Replot();
}

void StripChart::Replot() { ::Replot(plot_); }

ColourSpaceGraph::ColourSpaceGraph(QCustomPlot* plot) : plot_(plot) {
    plot_->addLayer("tolerances", plot_->layer("main"), QCustomPlot::limBelow);
    plot_->setAntialiasedElements(QCP::aeItems | QCP::aeScatters);
    for (QCPItemEllipse*& ellipse : ellipses_) {
        ellipse = new QCPItemEllipse(plot_);
        ellipse->setLayer("tolerances");
        ellipse->setBrush(Qt::NoBrush);
        ellipse->setVisible(false);
    }
    cursor_ = AddPointGraph(plot_);
}

void ColourSpaceGraph::SetTitle(const QString& title) {
    if (!title_) {
        plot_->plotLayout()->insertRow(0);
        title_ = new QCPTextElement(plot_, title, QFont(plot_->font().family(), 8));
        plot_->plotLayout()->addElement(0, 0, title_);
    }
    title_->setText(title);
}

void ColourSpaceGraph::ClearTolerances() {
    for (QCPItemEllipse* ellipse : ellipses_) ellipse->setVisible(false);
}

void ColourSpaceGraph::SetTolerance(int row, int x1, int y1, int x2, int y2, uint32_t colour) {
    QCPItemEllipse* e = ellipses_[row];
    e->topLeft->setCoords(x1, y2);
    e->bottomRight->setCoords(x2, y1);
    e->setPen(QPen(Colour(colour), 1.5));
    e->setVisible(true);
}

void ColourSpaceGraph::ShowPoint(int x, int y, const AxisWindow& window) {
    SetPoint(cursor_, x, y);
    const QCPRange horizontal(window.horizontal.lo, window.horizontal.hi);
    const QCPRange vertical(window.vertical.lo, window.vertical.hi);
    // A point inside the taught areas leaves the window as it is (the common case).
    if (plot_->xAxis->range() == horizontal && plot_->yAxis->range() == vertical) {
        ReplotPoint(cursor_);
        return;
    }
    plot_->xAxis->setRange(horizontal);
    plot_->yAxis->setRange(vertical);
    Replot(plot_);
}

namespace {
const uint32_t SIGNAL_COLOURS[RECORD_SIGNALS] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000,
                                                 0x00FF00, 0x008080, 0x008080};
}

RecordChart::RecordChart(Ui::GRAPHP& ui)
    : plots_{ui.PanelGraphGraph0, ui.PanelGraphGraph1, ui.PanelGraphGraph2, ui.PanelGraphGraph3,
             ui.PanelGraphGraph4, ui.PanelGraphGraph5, ui.PanelGraphGraph6},
      replot_([this] {
          for (QCustomPlot* plot : plots_) Replot(plot);
      }) {
    for (int s = 0; s < RECORD_SIGNALS; ++s) {
        graphs_[s] = plots_[s]->addGraph();
        graphs_[s]->setPen(QPen(Colour(SIGNAL_COLOURS[s]), 1.5));
        // The first record is a single point: drawn as a dot, not left invisible.
        graphs_[s]->setScatterStyle(QCPScatterStyle::ssDot);
    }
    ClearRecordChart();
}

void RecordChart::AppendRecord(double recordNumber,
                               const std::array<double, RECORD_SIGNALS>& values) {
    for (int s = 0; s < RECORD_SIGNALS; ++s) {
        // Appending in key order is constant time; the axes grow with the data instead
        // of being rescaled over all of it.
        graphs_[s]->addData(recordNumber, values[s]);
        QCPAxis* x = plots_[s]->xAxis;
        QCPAxis* y = plots_[s]->yAxis;
        x->setRange(0, std::max(x->range().upper, recordNumber + 1));
        y->setRange(std::min(y->range().lower, values[s] - 10),
                    std::max(y->range().upper, values[s] + 10));
    }
    replot_.Request();
}

void RecordChart::ClearRecordChart() {
    for (int s = 0; s < RECORD_SIGNALS; ++s) {
        graphs_[s]->data()->clear();
        plots_[s]->xAxis->setRange(0, 1);
        plots_[s]->yAxis->setRange(0, 1);
        Replot(plots_[s]);
    }
}

int RecordChart::Points() const { return graphs_[0]->dataCount(); }

void RecordChart::ShowSignal(int signal) {
    if (signal < 0 || signal >= RECORD_SIGNALS) signal = 0;
    for (QCustomPlot* plot : plots_) plot->setVisible(false);
    plots_[signal]->setVisible(true);
}

LiveGraphs::LiveGraphs(Panels& panels, const ParameterSet& record, const RowColors& rowColors)
    : recordChart(panels.graphp.ui),
      panels_(panels),
      record_(record),
      rowColors_(rowColors),
      rgbChart_(panels.datap.ui.GraphRGB, {0xFF0000, 0x00C000, 0x0000FF}, RGB_RANGE,
                StripChart::Zoom::Enabled),
      intChart_(panels.datap.ui.GraphINT1, {0x008080, 0x808080, 0x808080}, RGB_RANGE,
                StripChart::Zoom::Enabled),
      // The graphs of the 3D page have no zoom, its RGB chart included.
      rgbChart3D_(panels.datap.ui.GraphRGB3D, {0xFF0000, 0x00C000, 0x0000FF}, RGB_RANGE,
                  StripChart::Zoom::Disabled),
      xy2D_(panels.datap.ui.Graph2D),
      xy3D_(panels.datap.ui.Graph3DXY),
      xInt3D_(panels.datap.ui.Graph3DXInt),
      yInt3D_(panels.datap.ui.Graph3DYInt),
      intGraph2D_(panels.datap.ui.Graph2DInt) {
    intGraph2D_->yAxis->setRange(0, 100);
    intGraph2D_->yAxis->setTickLabels(false);
    intBand2D_ = new QCPItemRect(intGraph2D_);
    intBand2D_->setPen(QPen(Colour(0x408080)));
    intBand2D_->setBrush(QBrush(Colour(0x408080)));
    intBand2D_->setVisible(false);
    intCursor2D_ = AddPointGraph(intGraph2D_);

    Ui::DATAP& d = panels.datap.ui;
    for (QCustomPlot* plot : panels.datap.widget.findChildren<QCustomPlot*>())
        plot->installEventFilter(this);
    for (QCustomPlot* plot : panels.graphp.widget.findChildren<QCustomPlot*>())
        plot->installEventFilter(this);
    connect(d.ButtonShowGraph, &QPushButton::clicked, this,
            [this] { panels_.ShowChildPanel(&panels_.graphp.widget); });
    connect(panels.graphp.ui.ButtonGpClose, &QPushButton::clicked, this,
            [this] { panels_.ShowChildPanel(&panels_.datap.widget); });
    connect(panels.graphp.ui.EditSignal, &QComboBox::activated, this,
            [this](int signal) { recordChart.ShowSignal(signal); });
    recordChart.ShowSignal(0);
    ApplyCalculationMode(record_.scalars.calculationMode);
}

std::pair<int, int> LiveGraphs::SelectedRowIntensity() const {
    const int n = std::clamp(panels_.mainUi.EditNo->value(), 0, TEACH_ROWS - 1);
    const IntensityColumns c = IntensityColumnsOf(CalculationMode());
    const QTableWidget* grid = panels_.mainUi.GridCtt;
    return {CellWord(grid, n, c.intensity), CellWord(grid, n, c.tolerance)};
}

void LiveGraphs::UpdateGraphHistories(const MeasurementFrame& f) {
    const auto [intensity, tolerance] = SelectedRowIntensity();
    const Band band = IntensityBand(intensity, tolerance, INT_CHART_BAND_LIMIT);
    ShiftIn(rgbHistory, f.red, f.green, f.blue);
    ShiftIn(intensityHistory, f.intensity, band.upper, band.lower);
}

void LiveGraphs::PlotLiveGraphs(const MeasurementFrame& frame) {
    shown_ = frame;
    rgbChart_.Show(rgbHistory);
    intChart_.Show(intensityHistory);
    if (Is3D(CalculationMode()))
        PlotGraphs3D(frame);
    else
        PlotGraphs2D(frame);
}

void LiveGraphs::PlotGraphs2D(const MeasurementFrame& f) {
    const TeachExtents& e = teachExtents;
    xy2D_.ShowPoint(f.x, f.y, WindowFor(f.x, {e.minX, e.maxX}, f.y, {e.minY, e.maxY}));
    SetPoint(intCursor2D_, IntGraphCursor(f.intensity, CalculationMode()), 50);
    ReplotPoint(intCursor2D_);
}

void LiveGraphs::PlotGraphs3D(const MeasurementFrame& f) {
    const TeachExtents& e = teachExtents;
    const Range x{e.minX, e.maxX}, y{e.minY, e.maxY}, i{e.minI, e.maxI};
    xy3D_.ShowPoint(f.x, f.y, WindowFor(f.x, x, f.y, y));
    xInt3D_.ShowPoint(f.x, f.intensity, WindowFor(f.x, x, f.intensity, i));
    yInt3D_.ShowPoint(f.y, f.intensity, WindowFor(f.y, y, f.intensity, i));
    rgbChart3D_.Show(rgbHistory);
}

void LiveGraphs::DrawTeachTolerances() {
    DrawIntensityBand();
    const int mode = CalculationMode();
    for (int r = 0; r < TEACH_ROWS; ++r) {
        const RowTolerance t = ToleranceOf(record_.table[r], mode);
        const int x1 = t.x - t.colourTolerance, x2 = t.x + t.colourTolerance;
        const int y1 = t.y - t.colourTolerance, y2 = t.y + t.colourTolerance;
        const int i1 = t.intensity - t.intensityTolerance;
        const int i2 = t.intensity + t.intensityTolerance;
        // Both pages, so the hidden one is up to date when the mode changes.
        xy3D_.SetTolerance(r, x1, y1, x2, y2, rowColors_[r]);
        xInt3D_.SetTolerance(r, x1, i1, x2, i2, rowColors_[r]);
        yInt3D_.SetTolerance(r, y1, i1, y2, i2, rowColors_[r]);
        xy2D_.SetTolerance(r, x1, y1, x2, y2, rowColors_[r]);
    }
    teachExtents = ComputeTeachExtents(record_.table, mode);
    ReplotVisible();
}

void LiveGraphs::DrawIntensityBand() {
    const auto [intensity, tolerance] = SelectedRowIntensity();
    const Band band = IntensityBand(intensity, tolerance, INT_GRAPH_BAND_LIMIT);
    intBand2D_->topLeft->setCoords(band.lower, 100);
    intBand2D_->bottomRight->setCoords(band.upper, 0);
    intBand2D_->setVisible(true);
    Replot(intGraph2D_);
}

void LiveGraphs::ClearTeachGraphics() {
    for (ColourSpaceGraph* g : {&xy2D_, &xy3D_, &xInt3D_, &yInt3D_}) g->ClearTolerances();
    intBand2D_->setVisible(false);
    ReplotVisible();
}

QStringList CoordinateNames(int calculationMode) {
    return SimModes(calculationMode) ? QStringList{"s", "i", "M"} : QStringList{"X", "Y", "INT"};
}

void StyleCoordinateDisplays(QLineEdit* x, QLineEdit* y, int calculationMode) {
    const bool sim = SimModes(calculationMode);
    // The field takes the first colour, its frame the second.
    const auto style = [](const char* field, const char* frame) {
        return QString("QLineEdit { background-color: %1; border: 2px solid %2; }")
            .arg(field, frame);
    };
    x->setStyleSheet(style("#FF0000", sim ? "#00FF00" : "#E0E0E0"));
    y->setStyleSheet(style(sim ? "#FFFF00" : "#00FF00", sim ? "#80FFFF" : "#E0E0E0"));
}

void LiveGraphs::SetModeLabels(int calculationMode) {
    const QStringList names = CoordinateNames(calculationMode);
    Ui::DATAP& d = panels_.datap.ui;
    d.LabelDispX->setText(names[0]);
    d.LabelDispY->setText(names[1]);
    d.LabelDispINT->setText(names[2]);
    StyleCoordinateDisplays(d.DispX, d.DispY, calculationMode);
    Ui::GRAPHP& g = panels_.graphp.ui;
    QLabel* labels[3] = {g.LabelGp3, g.LabelGp4, g.LabelGp5};
    for (int k = 0; k < 3; ++k) {
        labels[k]->setText(names[k]);
        g.EditSignal->setItemText(3 + k, names[k]);
    }
    const struct {
        ColourSpaceGraph& graph;
        int horizontal, vertical;
    } axes[] = {{xy2D_, 0, 1}, {xy3D_, 0, 1}, {xInt3D_, 0, 2}, {yInt3D_, 1, 2}};
    for (const auto& a : axes) {
        a.graph.Plot()->xAxis->setLabel(names[a.horizontal]);
        a.graph.Plot()->yAxis->setLabel(names[a.vertical]);
    }
    intGraph2D_->xAxis->setLabel(names[2]);
    xy3D_.SetTitle(names[0] + "/" + names[1]);
    xInt3D_.SetTitle(names[0] + "/" + names[2]);
    yInt3D_.SetTitle(names[1] + "/" + names[2]);
}

void LiveGraphs::ApplyCalculationMode(int calculationMode) {
    SetModeLabels(calculationMode);
    const Range intRange = SimModes(calculationMode) ? SIM_INT_RANGE : RGB_RANGE;
    intChart_.SetManualRange(intRange);
    intGraph2D_->xAxis->setRange(intRange.lo, intRange.hi);
    ReplotVisible();
}

bool LiveGraphs::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->property(STALE).toBool())
        Replot(static_cast<QCustomPlot*>(watched));
    return false;
}

void LiveGraphs::ReplotVisible() {
    Ui::DATAP& d = panels_.datap.ui;
    for (QCustomPlot* plot : {d.GraphRGB, d.GraphINT1, d.Graph2D, d.Graph2DInt, d.Graph3DXY,
                              d.Graph3DXInt, d.Graph3DYInt, d.GraphRGB3D})
        Replot(plot);
}
