#include "teach/cloudview.h"

#include <QKeyEvent>
#include <algorithm>
#include <qcustomplot.h>

namespace {

constexpr QRgb DOT_COLOUR = 0xFFFF0000;  // opaque red
constexpr int DOT_SIZE = 3;              // pixels on a side
constexpr int PAGE_STEP = 100;
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

    // The picture still fits the plot area and the axes.
    bool Current() const {
        const QCPAxisRect* r = Area();
        return area_.isValid() && area_ == r->rect() && horizontal_ == r->axis(QCPAxis::atBottom)->range() &&
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
    QImage image_;
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
    stepped_ = 0;
    ReplotAll();
}

void CloudView::SetCursor(const RecordedPoint& point) {
    const ViewCoordinates c = InView(point, view_);
    cursor_->position->setCoords(c.a, c.b);
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
    const QCPAxis* h = plot_->xAxis;
    const QCPAxis* v = plot_->yAxis;
    const QPointF pos = event->position();
    const ViewCoordinates at{h->pixelToCoord(pos.x()), v->pixelToCoord(pos.y())};
    // Distances count in pixels, so "nearest" is what the operator sees as nearest.
    const double scaleA = plot_->axisRect()->width() / h->range().size();
    const double scaleB = plot_->axisRect()->height() / v->range().size();
    if (const std::optional<int> k = store_.NearestEntry(view_, at, scaleA, scaleB)) StepTo(*k);
}

void CloudView::StepTo(int entry) {
    stepped_ = entry;
    SetCursor(store_.At(entry));
    emit CursorMoved(Cursor());
}

bool CloudView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) ReplotAll();
    if (event->type() != QEvent::KeyPress || store_.Count() == 0) return false;
    const int last = store_.Count() - 1;
    const int from = std::min(stepped_, last);
    int to = 0;
    switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
            to = from - 1;
            break;
        case Qt::Key_Right:
            to = from + 1;
            break;
        case Qt::Key_PageUp:
            to = from - PAGE_STEP;
            break;
        case Qt::Key_PageDown:
            to = from + PAGE_STEP;
            break;
        case Qt::Key_Home:
            to = 0;
            break;
        case Qt::Key_End:
            to = last;
            break;
        default:
            return QObject::eventFilter(watched, event);
    }
    StepTo(std::clamp(to, 0, last));
    return true;
}
