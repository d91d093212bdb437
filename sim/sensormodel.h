#pragma once
// The simulated sensor's measurement: the demonstration target seen through the
// current parameters, evaluated against the teach table, as the 20 words of a data
// frame.
//
// The target shows each surface for SURFACE_SECONDS; input IN0 is high in the middle
// of each surface (a part passing a light barrier). The signal scales with POWER
// (POWER/500) and GAIN (x1.41 a stage around AMP5); POWER MODE DYN picks the power
// that puts the strongest channel in the middle of DYNWIN LO..HI (INT then shows that
// power); LED MODE OFF, or TRANS with IN0 low, leaves only the dark level. Raw values
// carry the receiver's dark level minus the stored offsets; calibrated values are
// raw x factor / 1024. AVERAGE and INTEGRAL reduce the noise.

#include <QString>
#include <array>
#include <cstdint>
#include <random>

#include "evaluate.h"
#include "paramstore.h"

constexpr double SURFACE_SECONDS = 2.0;

// Factors and offsets, kept in a file beside the EEPROM so they survive a restart.
struct Calibration {
    // The receiver's channels differ in sensitivity; the factory factors balance them.
    uint16_t factor[3] = {975, 1024, 1138};
    uint16_t offset[3] = {40, 40, 40};

    // Loads path (factory values when missing or damaged); later changes are saved there.
    void Load(const QString& path);
    void Save() const;
    // Takes three factors (param 0) or offsets (param 1); implausible values become their
    // defaults. Returns how many were replaced.
    int Take(int param, const uint16_t* words);

    QString path;
};

class SensorModel {
  public:
    SensorModel(ParamStore& store, Calibration& calibration);

    // The data frame at time t (seconds since the sensor started).
    std::array<uint16_t, 20> Measure(double t);

    // Outputs OUT0..OUT4 (bits 0..4) as the last Measure left them.
    uint16_t Outputs() const { return outputs_; }
    // Input IN0 at time t.
    static bool In0(double t);
    // Raw red, green and blue at time t, as the self-calibration sees them.
    std::array<int, 3> Raw(double t);
    // The receiver's dark level per channel, as a covered receiver measures it.
    static std::array<uint16_t, 3> DarkLevels();
    // Shows one white surface instead of the coloured ones (for calibration).
    bool whiteTarget = false;

  private:
    Rgb Signal(const ParameterScalars& s, double t, bool lit, int& power);
    Evaluation HoldForTrigger(const ParameterScalars& s, const Evaluation& live, bool triggered);
    void TrackMinMax(const Rgb& rgb);

    ParamStore& store_;
    Calibration& calibration_;
    std::mt19937 noise_{12345};
    // Trigger hold: what the outputs keep while the trigger is off.
    bool wasTriggered_ = false;
    Evaluation held_;
    std::array<int, 256> counts_{};
    std::array<int, 6> minMax_{4095, 4095, 4095, 0, 0, 0};
    uint16_t outputs_ = 0;
};
