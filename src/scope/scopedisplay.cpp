#include "scope/scopedisplay.h"

#include <QKeyEvent>
#include <algorithm>
#include <qcustomplot.h>

#include "core/parameterset.h"
#include "params/paramcontrols.h"

namespace {

constexpr double DIGITAL_Y_LOW = -1, DIGITAL_Y_HIGH = 12;  // levels 0 to 11
const QColor CURSOR_COLOURS[2] = {QColor(0x80, 0x00, 0x80), QColor(0x00, 0x60, 0x60)};
constexpr int KEY_STEPS_PER_RANGE = 100;

const QVector<double>& SampleKeys() {
    static const QVector<double> keys = [] {
        QVector<double> k(SCOPE_SAMPLES);
        for (int i = 0; i < SCOPE_SAMPLES; ++i) k[i] = i;
        return k;
    }();
    return keys;
}

void AddTrace(QCustomPlot* plot, const ScopeRow& row, uint32_t colour) {
    QCPGraph* g = plot->addGraph();
    g->setPen(QPen(QColor::fromRgb(colour), 1.5));
    QVector<double> values(SCOPE_SAMPLES);
    std::copy(row.begin(), row.end(), values.begin());
    g->setData(SampleKeys(), values, true);
}

QCPItemTracer* AddCursor(QCustomPlot* plot, const QColor& colour, Qt::PenStyle style) {
    auto* t = new QCPItemTracer(plot);
    t->setStyle(QCPItemTracer::tsCrosshair);
    t->setPen(QPen(colour, 1, style));
    return t;
}

}  // namespace

ScopeDisplay::ScopeDisplay(Panels& panels, ScopeState& state, ParameterControls& controls,
                           const ParameterSet& record)
    : ui_(panels.scopep.ui),
      main_(panels.mainUi),
      panels_(panels),
      state_(state),
      controls_(controls),
      record_(record),
      analog_(panels.scopep.ui.GraphScope),
      digital_(panels.scopep.ui.GraphScopeDigital) {
    digital_->xAxis->setRange(0, SCOPE_X_MAXIMUM);
    digital_->yAxis->setRange(DIGITAL_Y_LOW, DIGITAL_Y_HIGH);
    // The traces sit on the whole levels 0 to 11; every second one is labelled.
    auto levels = QSharedPointer<QCPAxisTickerFixed>::create();
    levels->setTickStep(2);
    digital_->yAxis->setTicker(levels);
    for (int c = 0; c < 2; ++c) {
        const Qt::PenStyle style = c == 0 ? Qt::SolidLine : Qt::DashLine;
        cursors_[c] = AddCursor(analog_, CURSOR_COLOURS[c], style);
        mirrors_[c] = AddCursor(digital_, CURSOR_COLOURS[c], style);
    }
    cursors_[0]->position->setCoords(SCOPE_X_MAXIMUM / 4, 1000);
    cursors_[1]->position->setCoords(3 * SCOPE_X_MAXIMUM / 4, 3000);
    ui_.DispScanInProgress->setVisible(false);
    analog_->setFocusPolicy(Qt::StrongFocus);
    analog_->installEventFilter(this);
    // A right double click clears the comment: no context menu in between.
    main_.EditScopeComment->setContextMenuPolicy(Qt::PreventContextMenu);
    main_.EditScopeComment->viewport()->installEventFilter(this);
    main_.LabelScopeComment->setBuddy(main_.EditScopeComment);
    connect(analog_, &QCustomPlot::mousePress, this, &ScopeDisplay::OnMousePress);
    connect(analog_, &QCustomPlot::mouseMove, this, [this](QMouseEvent* event) {
        if (dragging_ && (event->buttons() & Qt::LeftButton)) MoveNearerCursor(event);
    });
    connect(analog_, &QCustomPlot::mouseRelease, this, [this] { dragging_ = false; });
    // A zoom moves the axes; the deltas are read again.
    for (QCPAxis* axis : {analog_->xAxis, analog_->yAxis})
        connect(axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
                &ScopeDisplay::UpdateCursorDeltas);
    connect(ui_.ButtonZoom11, &QPushButton::clicked, this, &ScopeDisplay::ResetScopeAxes);
    connect(ui_.EditScopeSignal, &QComboBox::activated, this, &ScopeDisplay::ShowScopeTraces);
    connect(ui_.ButtonCloseSP, &QPushButton::clicked, this,
            [this] { panels_.ShowChildPanel(&panels_.datap.widget); });
    connect(main_.EditScopeComment, &QPlainTextEdit::textChanged, this, &ScopeDisplay::LimitComment);
    ResetScopeAxes();
}

void ScopeDisplay::ResetScopeAxes() {
    controls_.ReadModeFields();
    const int yMaximum =
        AnalogYMaximum(static_cast<uint16_t>(main_.EditScopeRecSignal->currentIndex()),
                       record_.scalars.calculationMode);
    {
        const QSignalBlocker x(analog_->xAxis), y(analog_->yAxis);
        analog_->xAxis->setRange(0, SCOPE_X_MAXIMUM);
        analog_->yAxis->setRange(0, yMaximum);
    }
    UpdateCursorDeltas();
}

void ScopeDisplay::UpdateCursorDeltas() {
    const QPointF c1 = Cursor(0), c2 = Cursor(1);
    mirrors_[0]->position->setCoords(c1.x(), 0);
    mirrors_[1]->position->setCoords(c2.x(), 0);
    const CursorDeltas d =
        CursorDeltasFor(c1.x(), c1.y(), c2.x(), c2.y(),
                        static_cast<uint16_t>(main_.EditScanRate->value()), state_.cycleTimeMs);
    ui_.DispDeltaX->setText(QString::number(d.deltaXMs, 'f', d.deltaXDecimals));
    ui_.DispDeltaY->setText(QString::number(d.deltaY));
    analog_->replot(QCustomPlot::rpQueuedReplot);
    digital_->replot(QCustomPlot::rpQueuedReplot);
}

void ScopeDisplay::SetCursor(int cursor, double x, double y) {
    cursors_[static_cast<size_t>(cursor)]->position->setCoords(x, y);
    UpdateCursorDeltas();
}

QPointF ScopeDisplay::Cursor(int cursor) const {
    return cursors_[static_cast<size_t>(cursor)]->position->coords();
}

void ScopeDisplay::ShowScopeTraces() {
    PlotAnalog(ShownAnalogTraces(static_cast<uint16_t>(ui_.EditScopeSignal->currentIndex())));
}

void ScopeDisplay::PlotAnalog(const std::array<bool, ANALOG_TRACES>& shown) {
    analog_->clearGraphs();
    for (int t = 0; t < ANALOG_TRACES; ++t)
        if (shown[t]) AddTrace(analog_, state_.scopeTraces[t], ANALOG_TRACE_COLOURS[t]);
    analog_->replot(QCustomPlot::rpQueuedReplot);
}

void ScopeDisplay::PlotScan() {
    PlotAnalog({true, true, true});
    digital_->clearGraphs();
    const auto& styles = DigitalTraceStyles();
    for (int t = 0; t < DIGITAL_TRACES; ++t)
        AddTrace(digital_, state_.digitalTraces[t], styles[t].colour);
    digital_->replot(QCustomPlot::rpQueuedReplot);
}

void ScopeDisplay::OnMousePress(QMouseEvent* event) {
    // Ctrl + left drag draws the zoom rectangle; a plain left press takes a cursor.
    const bool zoom = (event->modifiers() & Qt::ControlModifier) && event->button() == Qt::LeftButton;
    analog_->setSelectionRectMode(zoom ? QCP::srmZoom : QCP::srmNone);
    dragging_ = !zoom && event->button() == Qt::LeftButton;
    if (!dragging_) return;
    const double x = analog_->xAxis->pixelToCoord(event->position().x());
    activeCursor_ = std::fabs(x - Cursor(0).x()) <= std::fabs(x - Cursor(1).x()) ? 0 : 1;
    MoveNearerCursor(event);
}

void ScopeDisplay::MoveNearerCursor(QMouseEvent* event) {
    const QCPRange h = analog_->xAxis->range(), v = analog_->yAxis->range();
    const double x = std::clamp(analog_->xAxis->pixelToCoord(event->position().x()), h.lower, h.upper);
    const double y = std::clamp(analog_->yAxis->pixelToCoord(event->position().y()), v.lower, v.upper);
    SetCursor(activeCursor_, x, y);
}

bool ScopeDisplay::StepCursor(QKeyEvent* event) {
    const QPointF c = Cursor(activeCursor_);
    const double yStep = analog_->yAxis->range().size() / KEY_STEPS_PER_RANGE;
    switch (event->key()) {
        case Qt::Key_1:
        case Qt::Key_2:
            activeCursor_ = event->key() == Qt::Key_1 ? 0 : 1;
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right: {
            const double step = event->key() == Qt::Key_Left ? -1 : 1;
            SetCursor(activeCursor_, std::clamp(c.x() + step, 0.0, SCOPE_X_MAXIMUM), c.y());
            return true;
        }
        case Qt::Key_Down:
        case Qt::Key_Up: {
            const QCPRange v = analog_->yAxis->range();
            const double y = c.y() + (event->key() == Qt::Key_Down ? -yStep : yStep);
            SetCursor(activeCursor_, c.x(), std::clamp(y, v.lower, v.upper));
            return true;
        }
        default:
            return false;
    }
}

bool ScopeDisplay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == analog_ && event->type() == QEvent::KeyPress)
        return StepCursor(static_cast<QKeyEvent*>(event));
    if (watched == main_.EditScopeComment->viewport() &&
        event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        main_.EditScopeComment->clear();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ScopeDisplay::LimitComment() {
    QPlainTextEdit* box = main_.EditScopeComment;
    const QString text = box->toPlainText();
    if (text.size() <= SCOPE_COMMENT_CHARS) return;
    const QSignalBlocker quiet(box);
    box->setPlainText(text.left(SCOPE_COMMENT_CHARS));
    box->moveCursor(QTextCursor::End);
}
