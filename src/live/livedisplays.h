#pragma once
// Writes every decoded data frame into the live indicators: DATAP, the big displays,
// TEACHP1, the temperature and the calibration page's raw values.

#include <QObject>
#include <array>

#include "core/measurement.h"
#include "live/graphs.h"
#include "ui/pace.h"
#include "ui/panels.h"

class QLineEdit;
class QLabel;
class QProgressBar;

// Remembers what a display shows, so an unchanged value costs nothing. It has no
// default: an indicator left out of the constructor's list does not build.
class NumberIndicator {
  public:
    explicit NumberIndicator(QWidget* display);
    void Show(int value);

  private:
    QWidget* display_;
    int shown_ = -1;
    bool valid_ = false;
};

class LiveDisplays : public QObject {
    Q_OBJECT
  public:
    LiveDisplays(Panels& panels, LiveGraphs& graphs);

    // Every indicator in its order, and the graphs. Every frame enters the graph
    // histories at once; the indicators and graphs follow at
    // the screen's pace (DisplayPace).
    void UpdateLiveDisplays(const MeasurementFrame& frame, int evaluationMode);
    // The raw values and their spread on the calibration page, at the same pace.
    void UpdateRawValues(const MeasurementFrame& frame);
    // A data frame of a loop: the raw values, then the live displays, shown together.
    void UpdateFrame(const MeasurementFrame& frame, int evaluationMode);
    // Shows a waiting frame now.
    void Flush();

    // The swatch colour of the last update (0xRRGGBB).
    uint32_t CurrentColour() const { return currentColour_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowWaiting();
    void ShowIndicators(const MeasurementFrame& frame, int evaluationMode);
    void ShowRawValues(const MeasurementFrame& frame);
    void ShowSwatch(uint32_t colour);
    void ShowLed(QLabel* led, bool lit, int& state);

    Panels& panels_;
    LiveGraphs& graphs_;
    std::array<NumberIndicator, 9> rgbPages_;
    std::array<NumberIndicator, 3> rgb_;
    std::array<NumberIndicator, 3> coordinates_;
    NumberIndicator deltaC_, colour_, group_;
    std::array<NumberIndicator, 6> minMax_;
    NumberIndicator temperature_, bigColour_, bigGroup_;
    std::array<NumberIndicator, 3> teachRgb_;
    std::array<NumberIndicator, 3> raw_;
    NumberIndicator rawDelta_;
    std::array<NumberIndicator, 3> calibrated_;
    std::array<QProgressBar*, 3> rawBars_;
    std::array<QProgressBar*, 3> calibratedBars_;
    std::array<QLabel*, 5> leds_;
    int ledState_[5] = {-1, -1, -1, -1, -1};
    int trigState_ = -1;
    uint32_t currentColour_ = 0;
    uint32_t swatchShown_ = 0xFFFFFFFF;
    MeasurementFrame waiting_{};
    int waitingMode_ = 0;
    bool liveWaiting_ = false;
    bool rawWaiting_ = false;
    DisplayPace pace_;
};
