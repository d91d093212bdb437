#pragma once
// Writes every decoded data frame into the live indicators: DATAP, the big displays,
// TEACHP1, the temperature and the calibration page's raw values.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

#include "live/measurement.h"
#include "ui/panels.h"

class QLineEdit;
class QLabel;
class QProgressBar;

// Remembers what a display shows, so an unchanged value costs nothing.
class NumberIndicator {
  public:
    explicit NumberIndicator(QWidget* display = nullptr) : display_(display) {}
    void Show(int value);

  private:
    QWidget* display_;
    int shown_ = -1;
    bool valid_ = false;
};

class LiveDisplays : public QObject {
    Q_OBJECT
  public:
    explicit LiveDisplays(Panels& panels);

    // Every indicator in its order, then the graph histories. The indicators follow at
    // the screen's pace: a frame that arrives within DISPLAY_INTERVAL_MS of the last
    // one shown waits (the newest waiting frame is shown when the interval is over),
    // so a fast sensor is not slowed down by repainting.
    void UpdateLiveDisplays(const MeasurementFrame& frame, int evaluationMode);
    // The raw values and their spread on the calibration page, at the same pace.
    void UpdateRawValues(const MeasurementFrame& frame);
    // Shows a waiting frame now.
    void Flush();

    static constexpr int DISPLAY_INTERVAL_MS = 40;

    // The swatch colour of the last update (0xRRGGBB).
    uint32_t CurrentColour() const { return currentColour_; }

    std::function<void()> updateGraphHistories;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Schedule();
    void ShowIndicators(const MeasurementFrame& frame, int evaluationMode);
    void ShowRawValues(const MeasurementFrame& frame);
    void ShowSwatch(uint32_t colour);
    void ShowLed(QLabel* led, bool lit, int& state);

    Panels& panels_;
    NumberIndicator rgbPages_[9];
    NumberIndicator rgb_[3];
    NumberIndicator coordinates_[3];
    NumberIndicator deltaC_, colour_, group_;
    NumberIndicator minMax_[6];
    NumberIndicator temperature_, bigColour_, bigGroup_;
    NumberIndicator teachRgb_[3];
    NumberIndicator raw_[3], rawDelta_, calibrated_[3];
    QProgressBar* rawBars_[3];
    QProgressBar* calibratedBars_[3];
    QLabel* leds_[5];
    int ledState_[5] = {-1, -1, -1, -1, -1};
    int trigState_ = -1;
    uint32_t currentColour_ = 0;
    uint32_t swatchShown_ = 0xFFFFFFFF;
    MeasurementFrame waiting_{};
    int waitingMode_ = 0;
    bool liveWaiting_ = false;
    bool rawWaiting_ = false;
    QElapsedTimer sinceShown_;
    QTimer flushTimer_;
};
