#include "live/livedisplays.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>

#include "core/parameterset.h"

NumberIndicator::NumberIndicator(QWidget* display) : display_(display) {
    if (!qobject_cast<QLineEdit*>(display_) && !qobject_cast<QLabel*>(display_))
        qFatal("a live indicator needs a line edit or a label to show its number");
}

void NumberIndicator::Show(int value) {
    if (valid_ && value == shown_) return;
    shown_ = value;
    valid_ = true;
    const QString text = QString::number(value);
    if (auto* edit = qobject_cast<QLineEdit*>(display_))
        edit->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(display_))
        label->setText(text);
}

namespace {

const char* const LED_LIT = "background-color: #00C000; color: white; border-radius: 3px;";
const char* const LED_DARK = "background-color: #202020; color: white; border-radius: 3px;";

// One indicator per display; the array's size must match the list or it does not build.
template <typename... Widgets>
std::array<NumberIndicator, sizeof...(Widgets)> Indicators(Widgets*... displays) {
    return {NumberIndicator(displays)...};
}

template <typename Widget, typename... Rest>
std::array<Widget*, 1 + sizeof...(Rest)> Exactly(Widget* first, Rest*... rest) {
    const std::array<Widget*, 1 + sizeof...(Rest)> widgets{first, rest...};
    for (Widget* w : widgets)
        if (!w) qFatal("a live display has no widget");
    return widgets;
}

}  // namespace

LiveDisplays::LiveDisplays(Panels& panels, LiveGraphs& graphs)
    : panels_(panels),
      graphs_(graphs),
      rgbPages_(Indicators(panels.datap.ui.DispRgbPageRed, panels.datap.ui.DispRgbPageGreen,
                           panels.datap.ui.DispRgbPageBlue, panels.datap.ui.DispIntPageRed,
                           panels.datap.ui.DispIntPageGreen, panels.datap.ui.DispIntPageBlue,
                           panels.datap.ui.Disp2DPageRed, panels.datap.ui.Disp2DPageGreen,
                           panels.datap.ui.Disp2DPageBlue)),
      rgb_(Indicators(panels.datap.ui.DispRED, panels.datap.ui.DispGREEN,
                      panels.datap.ui.DispBLUE)),
      coordinates_(Indicators(panels.datap.ui.DispX, panels.datap.ui.DispY,
                              panels.datap.ui.DispINT)),
      deltaC_(panels.datap.ui.DispDeltaC),
      colour_(panels.datap.ui.DispCOL),
      group_(panels.datap.ui.DispGroup),
      minMax_(Indicators(panels.datap.ui.DispMinMaxRGB0, panels.datap.ui.DispMinMaxRGB1,
                         panels.datap.ui.DispMinMaxRGB2, panels.datap.ui.DispMinMaxRGB3,
                         panels.datap.ui.DispMinMaxRGB4, panels.datap.ui.DispMinMaxRGB5)),
      temperature_(panels.mainUi.DispTemp),
      bigColour_(panels.colbigp.ui.DispBigCol),
      bigGroup_(panels.grpbigp.ui.DispBigGroup),
      teachRgb_(Indicators(panels.teachp1.ui.DispTP1Red, panels.teachp1.ui.DispTP1Green,
                           panels.teachp1.ui.DispTP1Blue)),
      raw_(Indicators(panels.mainUi.DispRawRed, panels.mainUi.DispRawGreen,
                      panels.mainUi.DispRawBlue)),
      rawDelta_(panels.mainUi.DispRawDelta),
      calibrated_(Indicators(panels.mainUi.DispCalRed, panels.mainUi.DispCalGreen,
                             panels.mainUi.DispCalBlue)),
      rawBars_(Exactly(panels.mainUi.DispRawBarRed, panels.mainUi.DispRawBarGreen,
                       panels.mainUi.DispRawBarBlue)),
      calibratedBars_(Exactly(panels.mainUi.DispCalBarRed, panels.mainUi.DispCalBarGreen,
                              panels.mainUi.DispCalBarBlue)),
      leds_(Exactly(panels.datap.ui.LedOut0, panels.datap.ui.LedOut1, panels.datap.ui.LedOut2,
                    panels.datap.ui.LedOut3, panels.datap.ui.LedOut4)),
      pace_([this] { ShowWaiting(); }) {
    Ui::DATAP& d = panels.datap.ui;
    d.DispColor->setAutoFillBackground(true);
    ShowSwatch(0x000000);  // dark until the first frame

    d.DispCOL->installEventFilter(this);
    d.DispGroup->installEventFilter(this);
    for (QWidget* big : {&panels.colbigp.widget, &panels.grpbigp.widget}) {
        big->installEventFilter(this);
        for (QWidget* child : big->findChildren<QWidget*>()) child->installEventFilter(this);
    }
}

void LiveDisplays::UpdateLiveDisplays(const MeasurementFrame& f, int evaluationMode) {
    waiting_ = f;
    waitingMode_ = evaluationMode;
    liveWaiting_ = true;
    graphs_.UpdateGraphHistories(f);
    pace_.Request();
}

void LiveDisplays::UpdateRawValues(const MeasurementFrame& f) {
    waiting_ = f;
    rawWaiting_ = true;
    pace_.Request();
}

void LiveDisplays::UpdateFrame(const MeasurementFrame& f, int evaluationMode) {
    rawWaiting_ = true;
    UpdateLiveDisplays(f, evaluationMode);
}

void LiveDisplays::Flush() { pace_.Flush(); }

void LiveDisplays::ShowWaiting() {
    if (rawWaiting_) ShowRawValues(waiting_);
    if (liveWaiting_) {
        ShowIndicators(waiting_, waitingMode_);
        graphs_.PlotLiveGraphs(waiting_);
    }
    rawWaiting_ = liveWaiting_ = false;
}

void LiveDisplays::ShowIndicators(const MeasurementFrame& f, int evaluationMode) {
    const int rgb[3] = {f.red, f.green, f.blue};
    for (int i = 0; i < 9; ++i) rgbPages_[i].Show(rgb[i % 3]);
    for (int i = 0; i < 3; ++i) rgb_[i].Show(rgb[i]);
    coordinates_[0].Show(f.x);
    coordinates_[1].Show(f.y);
    coordinates_[2].Show(f.intensity);
    deltaC_.Show(f.deltaC);
    colour_.Show(f.colorNumber);
    group_.Show(f.groupNumber);
    ShowLed(panels_.datap.ui.LedTrig, f.trigger != 0, trigState_);
    for (int i = 0; i < 6; ++i) minMax_[i].Show(f.minMaxRgb[i]);
    temperature_.Show(f.temperature);
    bigColour_.Show(f.colorNumber);
    bigGroup_.Show(f.groupNumber);
    for (int i = 0; i < 3; ++i) teachRgb_[i].Show(rgb[i]);
    // The colour a teach takes belongs to the values the displays show.
    currentColour_ = SwatchColour(f);
    ShowSwatch(currentColour_);
    if (evaluationMode > MIN_DIST) {
        const auto lit = OutputLeds(f.colorNumber);
        for (int i = 0; i < 5; ++i) ShowLed(leds_[i], lit[i], ledState_[i]);
    }
}

void LiveDisplays::ShowRawValues(const MeasurementFrame& f) {
    const int raw[3] = {f.rawRed, f.rawGreen, f.rawBlue};
    const int calibrated[3] = {f.red, f.green, f.blue};
    for (int i = 0; i < 3; ++i) {
        raw_[i].Show(raw[i]);
        rawBars_[i]->setValue(std::min(raw[i], rawBars_[i]->maximum()));
        calibrated_[i].Show(calibrated[i]);
        calibratedBars_[i]->setValue(std::min(calibrated[i], calibratedBars_[i]->maximum()));
    }
    rawDelta_.Show(RawDelta(f));
}

void LiveDisplays::ShowSwatch(uint32_t colour) {
    if (colour == swatchShown_) return;
    swatchShown_ = colour;
    QFrame* swatch = panels_.datap.ui.DispColor;
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(colour));
    swatch->setPalette(palette);
}

void LiveDisplays::ShowLed(QLabel* led, bool lit, int& state) {
    if (state == static_cast<int>(lit)) return;
    state = lit;
    led->setStyleSheet(lit ? LED_LIT : LED_DARK);
}

bool LiveDisplays::eventFilter(QObject* watched, QEvent* event) {
    Ui::DATAP& d = panels_.datap.ui;
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == d.DispCOL) panels_.colbigp.widget.show();
        if (watched == d.DispGroup) panels_.grpbigp.widget.show();
        return watched == d.DispCOL || watched == d.DispGroup;
    }
    // A right click anywhere on a big display puts it away.
    if (event->type() == QEvent::ContextMenu && watched != d.DispCOL && watched != d.DispGroup) {
        static_cast<QWidget*>(watched)->window()->hide();
        return true;
    }
    return false;
}
