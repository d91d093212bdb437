#pragma once
// SCOPEP: the analog graph with two cursors, the digital graph with their mirrors,
// delta X and delta Y, Ctrl + left-drag zoom and ZOOM 1:1, the display selection and
// the close button. Also the comment box of the scope settings page.
// Cursors: a left click or drag on the analog graph moves the nearer cursor there. From
// the keyboard (the graph has focus) 1 and 2 choose a cursor, Left/Right move it by one
// sample, Up/Down by a hundredth of the shown y range.

#include <QObject>
#include <array>

#include "scope/scopemath.h"
#include "ui/panels.h"

class QCustomPlot;
class QCPItemTracer;
class QMouseEvent;
class QKeyEvent;
class ParameterControls;
struct ParameterSet;

constexpr int SCOPE_COMMENT_CHARS = 1023;

class ScopeDisplay : public QObject {
    Q_OBJECT
  public:
    ScopeDisplay(Panels& panels, ScopeState& state, ParameterControls& controls,
                 const ParameterSet& record);

    // Both axes of the analog graph to their full ranges, then the deltas.
    void ResetScopeAxes();
    void UpdateCursorDeltas();
    // The analog graph for the display selection, from the stored scan.
    void ShowScopeTraces();
    // After a scan: all three analog traces, whatever the selection, and the digital ones.
    void PlotScan();
    void SetCursor(int cursor, double x, double y);
    QPointF Cursor(int cursor) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PlotAnalog(const std::array<bool, ANALOG_TRACES>& shown);
    void OnMousePress(QMouseEvent* event);
    void MoveNearerCursor(QMouseEvent* event);
    bool StepCursor(QKeyEvent* event);
    void LimitComment();

    Ui::SCOPEP& ui_;
    Ui::MAINP& main_;
    Panels& panels_;
    ScopeState& state_;
    ParameterControls& controls_;
    const ParameterSet& record_;
    QCustomPlot* analog_;
    QCustomPlot* digital_;
    std::array<QCPItemTracer*, 2> cursors_;
    std::array<QCPItemTracer*, 2> mirrors_;
    int activeCursor_ = 0;
    bool dragging_ = false;
};
