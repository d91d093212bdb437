#include "teach/cloudview.h"

#include <QKeyEvent>
#include <algorithm>
#include <qcustomplot.h>

namespace {

constexpr QRgb DOT_COLOUR = 0xFFFF0000;  // opaque red
constexpr int DOT_SIZE = 3;              // pixels on a side
constexpr const char* CLOUD_LAYER = "cloud";

}  // namespace

// The dots as a picture of the plot area, drawn in one piece.
class CloudLayer : public QCPLayerable {
  public:
    CloudLayer(QCustomPlot* plot, const TeachRecordStore& store, RecordView view)
        : QCPLayerable(plot), store_(store), view_(view) {}

    void AddDot(ViewCoordinates at) {
        if (Current()) Paint(at);
    }
    void Invalidate() { area_ = QRect(); }

  protected:
    void applyDefaultAntialiasingHint(QCPPainter*) const override {}
    void draw(QCPPainter* painter) override {
        if (!Current()) Repaint();
        painter->drawImage(area_.topLeft(), image_);
    }

  private:
    QCPAxisRect* Area() const { return parentPlot()->axisRect(); }

    // The picture still fits the plot area, the axes and the screen's pixel ratio. A
    // plot not laid out yet has nothing to paint into.
    bool Current() const {
        const QCPAxisRect* r = Area();
        if (r->rect().isEmpty()) return true;
        return area_ == r->rect() && ratio_ == parentPlot()->bufferDevicePixelRatio() &&
               horizontal_ == r->axis(QCPAxis::atBottom)->range() &&
               vertical_ == r->axis(QCPAxis::atLeft)->range();
    }

    void Repaint() {
        QCPAxisRect* r = Area();
        area_ = r->rect();
        horizontal_ = r->axis(QCPAxis::atBottom)->range();
        vertical_ = r->axis(QCPAxis::atLeft)->range();
        ratio_ = parentPlot()->bufferDevicePixelRatio();
        image_ = QImage(area_.size() * ratio_, QImage::Format_ARGB32_Premultiplied);
        image_.setDevicePixelRatio(ratio_);
        image_.fill(Qt::transparent);
        for (int k = 0; k < store_.Count(); ++k) Paint(InView(store_.At(k), view_));
    }

    void Paint(ViewCoordinates at) {
        QCPAxisRect* r = Area();
        const double px = r->axis(QCPAxis::atBottom)->coordToPixel(at.a) - area_.left();
        const double py = r->axis(QCPAxis::atLeft)->coordToPixel(at.b) - area_.top();
        const int size = std::max(1, static_cast<int>(DOT_SIZE * ratio_));
        const int left = static_cast<int>(px * ratio_) - size / 2;
        const int top = static_cast<int>(py * ratio_) - size / 2;
        const int x0 = std::max(left, 0), x1 = std::min(left + size, image_.width());
        const int y0 = std::max(top, 0), y1 = std::min(top + size, image_.height());
        for (int y = y0; y < y1; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
            std::fill(line + x0, line + std::max(x0, x1), DOT_COLOUR);
        }
    }

    const TeachRecordStore& store_;
    RecordView view_;
    QImage image_;  // null until the plot is laid out
    QRect area_;
    QCPRange horizontal_, vertical_;
    double ratio_ = 1;
};

CloudView::CloudView(QCustomPlot* plot, const TeachRecordStore& store, RecordView view)
    : plot_(plot), store_(store), view_(view) {
    plot_->addLayer(CLOUD_LAYER, plot_->layer("main"), QCustomPlot::limAbove);
    plot_->layer(CLOUD_LAYER)->setMode(QCPLayer::lmBuffered);
    cloud_ = new CloudLayer(plot_, store_, view_);
    cloud_->setLayer(CLOUD_LAYER);
    cursor_ = new QCPItemTracer(plot_);
    cursor_->setLayer(CLOUD_LAYER);
    cursor_->setStyle(QCPItemTracer::tsCrosshair);
    cursor_->setPen(QPen(Qt::black, 1));
    cursor_->position->setCoords(0, 0);
    cursor_->setVisible(false);  // until there is a point to show
    plot_->plotLayout()->insertRow(0);
    title_ = new QCPTextElement(plot_, "", QFont(plot_->font().family(), 8));
    plot_->plotLayout()->addElement(0, 0, title_);
    plot_->setFocusPolicy(Qt::StrongFocus);
    plot_->installEventFilter(this);
    connect(plot_, &QCustomPlot::mousePress, this, &CloudView::PickNear);
    connect(plot_, &QCustomPlot::mouseMove, this, [this](QMouseEvent* event) {
        if (event->buttons() & Qt::LeftButton) PickNear(event);
    });
}

void CloudView::SetLabels(const QString& title, const QString& horizontal,
                          const QString& vertical) {
    title_->setText(title);
    plot_->xAxis->setLabel(horizontal);
    plot_->yAxis->setLabel(vertical);
    ReplotAll();
}

void CloudView::SetRanges(Range horizontal, Range vertical) {
    plot_->xAxis->setRange(horizontal.lo, horizontal.hi);
    plot_->yAxis->setRange(vertical.lo, vertical.hi);
    ReplotAll();
}

Range CloudView::HorizontalRange() const {
    const QCPRange r = plot_->xAxis->range();
    return {static_cast<int>(r.lower), static_cast<int>(r.upper)};
}

Range CloudView::VerticalRange() const {
    const QCPRange r = plot_->yAxis->range();
    return {static_cast<int>(r.lower), static_cast<int>(r.upper)};
}

void CloudView::AddDot(const RecordedPoint& point) { cloud_->AddDot(InView(point, view_)); }

void CloudView::Clear() {
    cloud_->Invalidate();
    cursor_->setVisible(false);
    ReplotAll();
}

void CloudView::SetCursor(const RecordedPoint& point) {
    const ViewCoordinates c = InView(point, view_);
    cursor_->position->setCoords(c.a, c.b);
    cursor_->setVisible(true);
}

ViewCoordinates CloudView::Cursor() const {
    const QPointF c = cursor_->position->coords();
    return {c.x(), c.y()};
}

void CloudView::ReplotAll() {
    replotAll_ = true;
    Show();
}

void CloudView::Show() {
    if (!plot_->isVisible()) {
        replotAll_ = true;
        return;
    }
    if (replotAll_) {
        replotAll_ = false;
        plot_->replot(QCustomPlot::rpQueuedReplot);
    } else {
        plot_->layer(CLOUD_LAYER)->replot();
    }
}

void CloudView::PickNear(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && !(event->buttons() & Qt::LeftButton)) return;
    const QPointF pos = event->position();
    if (!plot_->axisRect()->rect().contains(pos.toPoint())) return;
    const QCPAxis* h = plot_->xAxis;
    const QCPAxis* v = plot_->yAxis;
    const ViewCoordinates at{h->pixelToCoord(pos.x()), v->pixelToCoord(pos.y())};
    // Distances count in pixels, so "nearest" is what the operator sees as nearest.
    const double scaleA = plot_->axisRect()->width() / h->range().size();
    const double scaleB = plot_->axisRect()->height() / v->range().size();
    const std::optional<int> k = store_.NearestEntry(view_, at, scaleA, scaleB);
    if (!k) return;
    SetCursor(store_.At(*k));
    emit CursorMoved(Cursor());
}

void CloudView::ShowFocus(bool focused) {
    QFont font = title_->font();
    font.setBold(focused);
    title_->setFont(font);
    ReplotAll();
}

bool CloudView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Show:
            ReplotAll();
            break;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            ShowFocus(event->type() == QEvent::FocusIn);
            break;
        case QEvent::KeyPress: {
            static const QHash<int, CloudStep> keys = {
                {Qt::Key_Left, CloudStep::Previous}, {Qt::Key_Right, CloudStep::Next},
                {Qt::Key_PageUp, CloudStep::PageBack}, {Qt::Key_PageDown, CloudStep::PageOn},
                {Qt::Key_Home, CloudStep::First},     {Qt::Key_End, CloudStep::Last}};
            const auto step = keys.find(static_cast<QKeyEvent*>(event)->key());
            if (step == keys.end()) break;
            emit StepRequested(*step);
            return true;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}
