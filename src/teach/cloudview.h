#pragma once
// One view of TEACHP2's recorded cloud: every recorded point as a red dot and cursor 1.
// The dots live in a picture of the plot area: a new point paints one dot into it and
// showing it redraws only the graph's top layer, so the cost of a frame does not grow
// with the points already recorded. The picture is painted anew from the store only
// when the area or the axes change, or after a reset.
// The operator moves the cursor with the mouse (it snaps to the nearest recorded
// point) or with the keys: Left/Right step to the previous/next recorded point,
// Page Up/Page Down by 100, Home/End to the first/last. A graph with the keyboard
// focus shows its title in bold.

#include <QObject>
#include <QString>

#include "live/graphmath.h"
#include "teach/recordstore.h"

class QCustomPlot;
class QCPItemTracer;
class QCPTextElement;
class QMouseEvent;
class CloudLayer;

// A key's step through the recorded points.
enum class CloudStep { Previous, Next, PageBack, PageOn, First, Last };

class CloudView : public QObject {
    Q_OBJECT
  public:
    CloudView(QCustomPlot* plot, const TeachRecordStore& store, RecordView view);

    RecordView View() const { return view_; }
    QCustomPlot* Plot() const { return plot_; }
    void SetLabels(const QString& title, const QString& horizontal, const QString& vertical);
    void SetRanges(Range horizontal, Range vertical);
    Range HorizontalRange() const;
    Range VerticalRange() const;
    // Paints the point's dot into the picture; it reaches the screen with Show.
    void AddDot(const RecordedPoint& point);
    // All dots go; the picture follows the store (emptied by the caller).
    void Clear();
    void SetCursor(const RecordedPoint& point);
    ViewCoordinates Cursor() const;
    // Brings new dots and the cursor to the screen.
    void Show();

  signals:
    // The operator has put the cursor on a recorded point.
    void CursorMoved(ViewCoordinates at);
    // The operator pressed a key that steps through the recorded points.
    void StepRequested(CloudStep step);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PickNear(QMouseEvent* event);
    void ShowFocus(bool focused);
    // The picture must be painted anew: redraw everything.
    void ReplotAll();

    QCustomPlot* plot_;
    const TeachRecordStore& store_;
    RecordView view_;
    CloudLayer* cloud_;
    QCPItemTracer* cursor_;
    QCPTextElement* title_;
    bool replotAll_ = true;
};
