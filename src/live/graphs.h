#pragma once
// The graphs of DATAP (RGB and INT strip charts, the 2D and 3D colour-space pages) and
// GRAPHP's record chart. Every frame enters the histories; the graphs are redrawn at
// the screen's pace with the frame that is shown.

#include <QObject>
#include <array>

#include "core/measurement.h"
#include "core/parameterset.h"
#include "core/rowcolors.h"
#include "live/graphmath.h"
#include "ui/pace.h"
#include "ui/panels.h"

class QCustomPlot;
class QCPGraph;
class QCPItemEllipse;
class QCPItemRect;
class QCPTextElement;

class QLineEdit;

// The s i M calculation modes (2D and 3D).
bool SimModes(int calculationMode);
// "X", "Y", "INT" in the X Y INT calculation modes, "s", "i", "M" in the s i M modes.
QStringList CoordinateNames(int calculationMode);
// The two colours (field and frame) of the x and y coordinate displays by mode.
void StyleCoordinateDisplays(QLineEdit* x, QLineEdit* y, int calculationMode);

// A strip chart of three traces over the 100 stored samples, with its zoom: a left
// double click autoscales the value axis, a left click returns to the manual range.
class StripChart : public QObject {
    Q_OBJECT
  public:
    enum class Zoom { Enabled, Disabled };
    StripChart(QCustomPlot* plot, std::array<uint32_t, 3> colours, Range manualRange, Zoom zoom);
    void Show(const History& history);
    // The manual range, taken at once unless the chart is zooming.
    void SetManualRange(Range range);
    bool Zooming() const { return zooming_; }

  private:
    void Replot();
    QCustomPlot* plot_;
    std::array<QCPGraph*, 3> traces_;
    Range manual_;
    bool zooming_ = false;
};

// A colour-space graph: the tolerance ellipse of every teach row and the current point.
class ColourSpaceGraph {
  public:
    explicit ColourSpaceGraph(QCustomPlot* plot);
    void ClearTolerances();
    void SetTolerance(int row, int x1, int y1, int x2, int y2, uint32_t colour);
    void ShowPoint(int x, int y, const AxisWindow& window);
    // The projection's name above the graph ("X/Y", "s/M", ...).
    void SetTitle(const QString& title);
    QCustomPlot* Plot() const { return plot_; }

  private:
    QCustomPlot* plot_;
    QCPGraph* cursor_;
    QCPTextElement* title_ = nullptr;
    std::array<QCPItemEllipse*, TEACH_ROWS> ellipses_;
};

// Signals red, green, blue, x, y, intensity, temperature, one graph each.
constexpr int RECORD_SIGNALS = 7;

// GRAPHP: one line graph per signal, one visible at a time. A record adds one point
// to each graph.
class RecordChart {
  public:
    explicit RecordChart(Ui::GRAPHP& ui);
    void AppendRecord(double recordNumber, const std::array<double, RECORD_SIGNALS>& values);
    void ClearRecordChart();
    // Records drawn since the chart was cleared.
    int Points() const;
    // Hides all graphs and shows the one of the signal (any other value: red).
    void ShowSignal(int signal);

  private:
    std::array<QCustomPlot*, RECORD_SIGNALS> plots_;
    std::array<QCPGraph*, RECORD_SIGNALS> graphs_;
    // A long fast recording redraws at the screen's pace, not once per record.
    DisplayPace replot_;
};

class LiveGraphs : public QObject {
    Q_OBJECT
  public:
    LiveGraphs(Panels& panels, const ParameterSet& record, const RowColors& rowColors);

    History rgbHistory{};
    History intensityHistory{};
    TeachExtents teachExtents;
    RecordChart recordChart;

    // Every frame: the histories, with the band of the No. field's row.
    void UpdateGraphHistories(const MeasurementFrame& frame);
    // The strip charts, then the colour-space graphs of the calculation mode.
    void PlotLiveGraphs(const MeasurementFrame& frame);
    void DrawTeachTolerances();
    void DrawIntensityBand();
    // The ellipses and the band disappear (a reset teach table) until the next
    // DrawTeachTolerances.
    void ClearTeachGraphics();
    // The frame the graphs show (the cursor positions).
    const MeasurementFrame& ShownFrame() const { return shown_; }
    void SetModeLabels(int calculationMode);
    // After the mode cascade: the labels, and the INT chart's manual range.
    void ApplyCalculationMode(int calculationMode);

  protected:
    // A graph that missed a change while hidden is drawn when it is shown.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int CalculationMode() const { return record_.scalars.calculationMode; }
    // The intensity and its tolerance of the No. field's row, read from the grid.
    std::pair<int, int> SelectedRowIntensity() const;
    void PlotGraphs2D(const MeasurementFrame& frame);
    void PlotGraphs3D(const MeasurementFrame& frame);
    void ReplotVisible();

    Panels& panels_;
    const ParameterSet& record_;
    const RowColors& rowColors_;
    StripChart rgbChart_;
    StripChart intChart_;
    StripChart rgbChart3D_;
    ColourSpaceGraph xy2D_;
    ColourSpaceGraph xy3D_;
    ColourSpaceGraph xInt3D_;
    ColourSpaceGraph yInt3D_;
    QCustomPlot* intGraph2D_;
    QCPGraph* intCursor2D_;
    QCPItemRect* intBand2D_;
    MeasurementFrame shown_{};
};
