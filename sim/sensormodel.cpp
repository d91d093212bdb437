#include "sensormodel.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace {

// The receiver's dark level, a little different in every channel.
constexpr int DARK_LEVEL[3] = {43, 40, 46};
constexpr Rgb WHITE = {2400, 2400, 2400};
// Relative sensitivity of the red, green and blue receiver channels.
constexpr double SENSITIVITY[3] = {1.05, 1.0, 0.9};
constexpr double TWO_PI = 6.283185307179586;

int Clamp12(double v) { return static_cast<int>(std::clamp(v, 0.0, 4095.0)); }

const Surface& SurfaceAt(double t) {
    const auto& surfaces = Surfaces();
    return surfaces[static_cast<size_t>(t / SURFACE_SECONDS) % surfaces.size()];
}

double GainFactor(int gain) { return std::pow(std::sqrt(2.0), std::clamp(gain, 1, 8) - 5); }

}  // namespace

SensorModel::SensorModel(ParamStore& store, Calibration& calibration)
    : store_(store), calibration_(calibration) {}

std::array<uint16_t, 3> SensorModel::DarkLevels() {
    return {DARK_LEVEL[0], DARK_LEVEL[1], DARK_LEVEL[2]};
}

std::array<int, 3> SensorModel::Raw(double t) {
    const auto words = Measure(t);
    return {words[11], words[12], words[13]};
}

void Calibration::Load(const QString& file) {
    path = file;
    QFile f(path);
    uint16_t words[6];
    if (!f.open(QIODevice::ReadOnly) || f.read(reinterpret_cast<char*>(words), sizeof words) !=
                                            static_cast<qint64>(sizeof words))
        return;
    std::copy_n(words, 3, factor);
    std::copy_n(words + 3, 3, offset);
}

void Calibration::Save() const {
    const uint16_t words[6] = {factor[0], factor[1], factor[2], offset[0], offset[1], offset[2]};
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return;
    f.write(reinterpret_cast<const char*>(words), sizeof words);
    f.commit();
}

int Calibration::Take(int param, const uint16_t* words) {
    uint16_t* target = param == 0 ? factor : offset;
    const uint16_t limit = param == 0 ? 4096 : 4095;
    const uint16_t fallback = param == 0 ? 1024 : 40;
    int replaced = 0;
    for (int i = 0; i < 3; ++i) {
        const bool plausible = words[i] <= limit;
        target[i] = plausible ? words[i] : fallback;
        replaced += plausible ? 0 : 1;
    }
    Save();
    return replaced;
}

bool SensorModel::In0(double t) {
    const double phase = std::fmod(t, SURFACE_SECONDS) / SURFACE_SECONDS;
    return phase >= 0.2 && phase < 0.8;
}

Rgb SensorModel::Signal(const ParameterScalars& s, double t, bool lit, int& power) {
    const Rgb base = whiteTarget ? WHITE : SurfaceAt(t).rgb;
    const double drift = 1.0 + 0.03 * std::sin(TWO_PI * t / 60.0);
    const double gain = GainFactor(s.gain);
    power = s.power;
    if (s.powerMode == POWER_DYN) {
        const double strongest = std::max({base.red, base.green, base.blue}) * gain * drift;
        const double target = (s.dynwinLo + s.dynwinHi) / 2.0;
        power = std::clamp(static_cast<int>(500.0 * target / std::max(1.0, strongest)), 0, 1000);
    }
    const double scale = lit ? power / 500.0 * gain * drift : 0.0;
    const double smoothing = std::sqrt(std::max(1, int(s.average)) * std::max(1, int(s.integral)));
    std::normal_distribution<double> noise(0.0, (s.ledMode == LED_AC ? 30.0 : 20.0) / smoothing);
    return {static_cast<int>(base.red * scale + noise(noise_)),
            static_cast<int>(base.green * scale + noise(noise_)),
            static_cast<int>(base.blue * scale + noise(noise_))};
}

std::array<uint16_t, 20> SensorModel::Measure(double t) {
    const bool in0 = In0(t);
    const ParameterSet& first = store_.Ram(0);
    // In PARA mode IN0 chooses the parameter set.
    const ParameterSet& set = first.scalars.trigger == TRIGGER_PARA && in0 ? store_.Ram(1) : first;
    const ParameterScalars& s = set.scalars;
    const bool lit = s.ledMode != LED_OFF && (s.trigger != TRIGGER_TRANS || in0);
    int power = 0;
    const Rgb signal = Signal(s, t, lit, power);
    const int light[3] = {signal.red, signal.green, signal.blue};
    int raw[3], calibrated[3];
    for (int i = 0; i < 3; ++i) {
        raw[i] = Clamp12(light[i] * SENSITIVITY[i] + DARK_LEVEL[i] - calibration_.offset[i]);
        calibrated[i] = Clamp12(raw[i] * calibration_.factor[i] / 1024.0);
    }
    const Rgb rgb{calibrated[0], calibrated[1], calibrated[2]};
    Coordinates c = CoordinatesOf(rgb, s.calculationMode);
    Evaluation live = Evaluate(set, c, rgb);
    const bool triggered = s.trigger == TRIGGER_SELF ? live.colorNumber != 0 : in0;
    const Evaluation out = HoldForTrigger(s, live, triggered);
    outputs_ = OutputBits(s, out);
    if (s.powerMode == POWER_DYN) c.intensity = power;  // INT shows the transmitter power
    TrackMinMax(rgb);

    const int temperature = 34 + static_cast<int>(std::lround(2.0 * std::sin(TWO_PI * t / 600.0)));
    std::array<uint16_t, 20> w{};
    const int words[14] = {
        rgb.red,         rgb.green,       rgb.blue,  c.x,         c.y,    c.intensity, out.deltaC,
        out.colorNumber, out.groupNumber, triggered, temperature, raw[0], raw[1],      raw[2]};
    for (int i = 0; i < 14; ++i) w[i] = static_cast<uint16_t>(words[i]);
    for (int i = 0; i < 6; ++i) w[14 + i] = static_cast<uint16_t>(minMax_[i]);
    return w;
}

Evaluation SensorModel::HoldForTrigger(const ParameterScalars& s, const Evaluation& live,
                                       bool triggered) {
    const bool holds = s.trigger >= TRIGGER_SELF && s.trigger <= TRIGGER_EXT3;
    if (!holds || s.evaluationMode >= COL5) return live;
    if (triggered) {
        if (!wasTriggered_) counts_.fill(0);
        wasTriggered_ = true;
        ++counts_[live.colorNumber & 0xFF];
        held_ = live;
        return live;
    }
    if (wasTriggered_ && s.trigger != TRIGGER_EXT2) {
        // SELF and EXT1 keep the colour seen most often while triggered.
        const auto most = std::max_element(counts_.begin(), counts_.end()) - counts_.begin();
        held_.colorNumber = static_cast<uint16_t>(most);
        held_.groupNumber =
            s.colorGroup && most < TEACH_ROWS ? store_.Ram(0).table[most].group : 255;
    }
    wasTriggered_ = false;
    if (s.trigger == TRIGGER_EXT3) return {};  // the failure state after the trigger
    return {held_.colorNumber, held_.groupNumber, live.deltaC};
}

void SensorModel::TrackMinMax(const Rgb& rgb) {
    // The sensor's minima and maxima relax slowly towards the current values.
    const int v[3] = {rgb.red, rgb.green, rgb.blue};
    for (int i = 0; i < 3; ++i) {
        minMax_[i] = std::min(v[i], minMax_[i] + 4);
        minMax_[3 + i] = std::max(v[i], minMax_[3 + i] - 4);
    }
}
