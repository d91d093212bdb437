#include "scope/scopeprint.h"

#include <QLocale>
#include <QPicture>
#include <QPrinter>
#include <qcustomplot.h>

#include "ui/platform.h"

namespace {

constexpr const char* REPORT_FONT = "Arial";
constexpr int HEADING_POINTS = 20;
constexpr int TEXT_POINTS = 10;
constexpr const char* PROGRAM_TITLE = "CHROMIK3-DLS-Scope V4.2";
// The report is laid out on an A4 page at 96 dots per inch, the resolution the
// widgets are drawn for, then scaled onto the printable area of the chosen page.
constexpr QPageSize::PageSizeId REPORT_PAGE = QPageSize::A4;
constexpr int REPORT_DPI = 96;
constexpr int MARGIN = 48;

bool HoldsPlot(QWidget* widget) { return !widget->findChildren<QCustomPlot*>().isEmpty(); }

// Draws a widget and its children as vectors: graphs through their own vector
// export, everything else through its paint code.
void DrawPanel(QCPPainter& painter, QWidget* panel) {
    painter.fillRect(QRect(QPoint(0, 0), panel->size()), panel->palette().window());
    for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isVisibleTo(panel)) continue;
        painter.save();
        painter.translate(child->pos());
        if (auto* plot = qobject_cast<QCustomPlot*>(child))
            plot->toPainter(&painter, plot->width(), plot->height());
        else if (HoldsPlot(child))
            DrawPanel(painter, child);
        else
            child->render(&painter, QPoint(), QRegion(),
                          QWidget::DrawWindowBackground | QWidget::DrawChildren);
        painter.restore();
    }
}

class ReportWriter {
  public:
    ReportWriter(QCPPainter& painter, QRect page)
        : painter_(painter), page_(page), y_(page.top()), bottom_(page.bottom()) {}

    // Date and time head the page, the page count ends it; the body lies between.
    void Decoration(const QStringList& texts) {
        painter_.setFont(QFont(REPORT_FONT, TEXT_POINTS));
        const int line = painter_.fontMetrics().height();
        const QRect header(page_.left(), page_.top(), page_.width(), line);
        const QRect footer(page_.left(), page_.bottom() - line, page_.width(), line);
        painter_.drawText(header, Qt::AlignLeft, texts[0]);
        painter_.drawText(header, Qt::AlignRight, texts[1]);
        painter_.drawText(footer, Qt::AlignHCenter, texts[2]);
        y_ = header.bottom() + 2 * line;
        bottom_ = footer.top() - line;
    }
    // One line of text; a long one (the comment) wraps and keeps its line breaks.
    void Line(const QString& text, int points) {
        painter_.setFont(QFont(REPORT_FONT, points));
        const QRect room(page_.left(), y_, page_.width(), bottom_ - y_);
        const int flags = Qt::AlignLeft | Qt::TextWordWrap;
        QRect used = painter_.boundingRect(room, flags, text);
        used.setHeight(std::max(used.height(), painter_.fontMetrics().height()));
        painter_.drawText(room, flags, text);
        y_ = used.bottom() + 1;
    }
    void Picture(QWidget* panel) {
        const QSize room(page_.width(), std::max(1, bottom_ - y_));
        const QSize size = panel->size().scaled(room, Qt::KeepAspectRatio);
        const double scale = static_cast<double>(size.width()) / std::max(1, panel->width());
        painter_.save();
        painter_.translate(page_.left(), y_);
        painter_.scale(scale, scale);
        DrawPanel(painter_, panel);
        painter_.restore();
    }

  private:
    QCPPainter& painter_;
    QRect page_;
    int y_;
    int bottom_;
};

}  // namespace

ScopePrint::ScopePrint(Panels& panels, Platform& platform) : panels_(panels), platform_(platform) {}

void ScopePrint::PrintScope(const QString& sensorId) {
    const QPageLayout layout(QPageSize(REPORT_PAGE), QPageLayout::Portrait, QMarginsF());
    const QRect page = layout.fullRectPixels(REPORT_DPI).adjusted(MARGIN, MARGIN, -MARGIN, -MARGIN);
    QPicture report;
    QCPPainter painter;
    if (!painter.begin(&report)) {
        platform_.Message("ERROR", "Could not initialize NI Reports...");
        return;
    }
    painter.setPen(Qt::black);
    ReportWriter writer(painter, page);
    const QLocale locale;
    const QDateTime now = platform_.Now();
    writer.Decoration({locale.toString(now.date(), QLocale::ShortFormat),
                       locale.toString(now.time(), "HH:mm:ss"), "Page 1 of 1"});
    writer.Line("Scope Screen Shot", HEADING_POINTS);
    writer.Line(PROGRAM_TITLE, TEXT_POINTS);
    if (!sensorId.isEmpty()) writer.Line("PANEL ID: " + sensorId, TEXT_POINTS);
    writer.Line("", TEXT_POINTS);
    const QString comment = panels_.mainUi.EditScopeComment->toPlainText();
    if (!comment.isEmpty()) {
        writer.Line("COMMENT:", TEXT_POINTS);
        writer.Line(comment, TEXT_POINTS);
        writer.Line("", TEXT_POINTS);
    }
    writer.Picture(&panels_.scopep.widget);
    painter.end();

    // Vectors and text stay sharp at any resolution; the screen's keeps the widgets'
    // fonts at the size they were drawn with.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageSize(QPageSize(REPORT_PAGE));
    if (!platform_.ChoosePrinter(printer)) return;
    QPainter paper;
    bool printed = paper.begin(&printer);
    if (printed) {
        // The painter starts at the printable area; the whole report fits into it.
        const QRectF target = printer.pageLayout().paintRectPixels(printer.resolution());
        const QRectF source = layout.fullRectPixels(REPORT_DPI);
        const double scale =
            std::min(target.width() / source.width(), target.height() / source.height());
        paper.scale(scale, scale);
        paper.drawPicture(0, 0, report);
        printed = paper.end() && printer.printerState() != QPrinter::Error;
    }
    platform_.Message("Info!", printed ? "Print successful!" : "Print error ");
}
