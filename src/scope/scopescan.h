#pragma once
// The scope settings page: the cycle-time query, the scan settings with their
// dimming, SCAN (start order, the wait for the four frames without time-out, the
// ordering around the trigger, the plot) and BREAK.

#include <QObject>

#include "scope/scopemath.h"
#include "ui/panels.h"

class SensorLink;
class CommandButtons;
class ScopeDisplay;

// The settings of one scan, sent as the five words of the start order in this order.
struct ScanSettings {
    uint16_t triggerMode, preTrigger, triggerLevel, scanRate, signal;
    std::array<uint16_t, 5> Words() const {
        return {triggerMode, preTrigger, triggerLevel, scanRate, signal};
    }
    ScopeTriggerMode TriggerMode() const { return static_cast<ScopeTriggerMode>(triggerMode); }
};

class ScopeAcquisition : public QObject {
    Q_OBJECT
  public:
    ScopeAcquisition(Panels& panels, SensorLink& link, ScopeState& state, ScopeDisplay& display,
                     CommandButtons& buttons);

    // Asks the sensor for its cycle time and shows it with the scan frequency.
    void GetCycleTime();
    // Start order, wait, frames into the traces, plot (not after a failure or BREAK).
    void RunScopeScan();
    void BreakScopeScan();
    // SCAN as the button does it (dimming, indicator, SCOPEP).
    void Scan();

  private:
    void ShowCycleTime();
    void DimTriggerInputs();
    // Waits for the four frames and orders them into rows. False when the scan ended
    // without a plot.
    bool ReceiveScopeFrames(const ScanSettings& settings, std::array<ScopeRow, SCOPE_FRAMES>& rows);
    // A received frame carries a full row of samples (reported when not).
    bool FrameHasSamples(bool serial);
    ScopeTriggerMode TriggerMode() const;

    Panels& panels_;
    Ui::MAINP& ui_;
    SensorLink& link_;
    ScopeState& state_;
    ScopeDisplay& display_;
    CommandButtons& buttons_;
};
