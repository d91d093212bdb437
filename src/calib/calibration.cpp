#include "calib/calibration.h"

#include <QCoreApplication>
#include <algorithm>

#include "core/buttons.h"
#include "core/flags.h"
#include "link/link.h"
#include "link/sensorops.h"
#include "live/goloop.h"
#include "live/livedisplays.h"
#include "ui/platform.h"

namespace {

constexpr int CALIBRATION_FRAMES = 100;
constexpr int MAX_FACTOR = 4096;
constexpr uint16_t FACTORS = 0, OFFSETS = 1;  // params of ORDER_SEND_CALIBRATION

void ShowInputs(const ColourInputs& inputs, const std::array<uint16_t, 3>& values) {
    for (int i = 0; i < 3; ++i) inputs[i]->setValue(values[i]);
}

}  // namespace

ColourInputs FactorInputs(Ui::MAINP& ui) { return {ui.EditCFR, ui.EditCFG, ui.EditCFB}; }

ColourInputs OffsetInputs(Ui::MAINP& ui) {
    return {ui.EditRedOffset, ui.EditGreenOffset, ui.EditBlueOffset};
}

bool GetCalibration(SensorLink& link, CalibrationValues& values, Ui::MAINP& ui) {
    if (!ReadCalibrationValues(link, values)) return false;
    ShowInputs(FactorInputs(ui), values.factors);
    ShowInputs(OffsetInputs(ui), values.offsets);
    return true;
}

CalibrationResult CheckCalibration(const RawAverages& averages, int setValue, int maxDelta) {
    if (averages.delta > maxDelta) return {CalibrationCheck::DeltaTooHigh};
    CalibrationResult result{CalibrationCheck::Passed};
    for (int i = 0; i < 3; ++i) {
        const uint32_t factor = static_cast<uint32_t>(setValue) * 1024u /
                                static_cast<uint32_t>(std::max(averages.raw[i], 1));
        if (factor > MAX_FACTOR) return {CalibrationCheck::FactorOutOfRange};
        result.factors[i] = static_cast<uint16_t>(factor);
    }
    return result;
}

CalibrationPage::CalibrationPage(Panels& panels, SensorLink& link, ProgramFlags& flags,
                                 CalibrationValues& values, CommandButtons& buttons,
                                 AcquisitionLoop& acquisition, LiveDisplays& displays,
                                 Platform& platform)
    : panels_(panels),
      ui_(panels.mainUi),
      link_(link),
      flags_(flags),
      values_(values),
      buttons_(buttons),
      acquisition_(acquisition),
      displays_(displays),
      platform_(platform) {
    const auto transfer = [this](void (CalibrationPage::*operation)()) {
        return [this, operation] {
            const ButtonsDimmed dimmed(buttons_, DimMode::Transfer);
            (this->*operation)();
        };
    };
    connect(ui_.ButtonSendCF, &QPushButton::clicked, this,
            transfer(&CalibrationPage::SendCalibrationFactors));
    // GET OFFSET reads the same answer as GET CF: factors and offsets together.
    for (QPushButton* get : {ui_.ButtonGetCF, ui_.ButtonGetOffset})
        connect(get, &QPushButton::clicked, this, transfer(&CalibrationPage::ReadCalibration));
    connect(ui_.ButtonCalcCF, &QPushButton::clicked, this, &CalibrationPage::OnButtonCalcCF);
    connect(ui_.ButtonStartSelfCalibration, &QPushButton::clicked, this, [this] {
        if (!platform_.Confirm("SEND POWER", CalibrationTexts::SEND_POWER)) return;
        const ButtonsDimmed dimmed(buttons_, DimMode::Transfer);
        RunSelfCalibration();
    });
    connect(ui_.ButtonCalcOffset, &QPushButton::clicked, this, [this] {
        if (!platform_.Confirm("CALCULATE OFFSET",
                               "Make sure, that the receiver of the sensor is covered!"))
            return;
        const ButtonsDimmed dimmed(buttons_, DimMode::Transfer);
        MeasureOffsets();
    });
    connect(ui_.ButtonSendOffset, &QPushButton::clicked, this,
            transfer(&CalibrationPage::SendOffsets));
    connect(ui_.ButtonCloseOffsetCompensation, &QPushButton::clicked, this, [this] {
        ui_.TabMain1->setTabVisible(PAGE_OFFSET_COMPENSATION, false);
        ui_.TabMain1->setCurrentIndex(PAGE_PARAMETER);
    });
}

void CalibrationPage::SendInputs(uint16_t param, const ColourInputs& inputs) {
    const std::array<uint16_t, 3> words = {static_cast<uint16_t>(inputs[0]->value()),
                                           static_cast<uint16_t>(inputs[1]->value()),
                                           static_cast<uint16_t>(inputs[2]->value())};
    if (link_.Request({.order = ORDER_SEND_CALIBRATION, .param = param, .words = words}))
        ReportSensorCount(link_, TransferTexts::RAM_COUNT);
}

void CalibrationPage::ReadCalibration() { GetCalibration(link_, values_, ui_); }

void CalibrationPage::SendCalibrationFactors() { SendInputs(FACTORS, FactorInputs(ui_)); }

void CalibrationPage::SendOffsets() { SendInputs(OFFSETS, OffsetInputs(ui_)); }

void CalibrationPage::OnButtonCalcCF() {
    if (!platform_.Confirm("SEND POWER", CalibrationTexts::SEND_POWER)) return;
    const ButtonsDimmed dimmed(buttons_, DimMode::Transfer);
    CalculateCalibrationFactors();
    // Whatever the outcome, the factors now shown go to the sensor and GO follows.
    SendCalibrationFactors();
    acquisition_.RunGoLoop();
}

void CalibrationPage::Blink(int frame) {
    if (frame % 5 != 0) return;
    const bool red = (frame / 5) % 2 == 0;
    ui_.ButtonCalcCF->setStyleSheet(red ? "background-color: #FF0000;"
                                        : "background-color: #E0E0E0;");
}

std::optional<RawAverages> CalibrationPage::MeasureWhite() {
    uint32_t sums[4] = {};
    int received = 0;
    for (int i = 0; i < CALIBRATION_FRAMES; ++i) {
        Blink(i);
        if (!link_.Request({.order = ORDER_GET_DATA})) continue;
        acquisition_.DecodeDataFrame();
        const MeasurementFrame& f = acquisition_.frame;
        displays_.UpdateRawValues(f);
        const uint16_t raw[4] = {f.rawRed, f.rawGreen, f.rawBlue, RawDelta(f)};
        for (int k = 0; k < 4; ++k) sums[k] += raw[k];
        ++received;
    }
    displays_.Flush();
    // Failed frames were reported one by one; the average is over those that came.
    if (received == 0) {
        platform_.Message("ATTENTION!", CalibrationTexts::NO_FRAME);
        return std::nullopt;
    }
    RawAverages a;
    for (int k = 0; k < 3; ++k) a.raw[k] = static_cast<int>(sums[k] / received);
    a.delta = static_cast<int>(sums[3] / received);
    return a;
}

void CalibrationPage::CalculateCalibrationFactors() {
    flags_.goRunning = false;
    if (!platform_.Confirm("CONFIRM CALCULATION!",
                           "Are you sure, that you have selected the right calibration "
                           "parameters? ")) {
        platform_.Message("INFO!",
                          "Please insert the right values and press \n CALCULATE CALIBRATION "
                          "FACTORS again.");
        return;
    }
    const std::optional<RawAverages> averages = MeasureWhite();
    if (!averages) return;
    const CalibrationResult r =
        CheckCalibration(*averages, ui_.EditSetValue->value(), ui_.EditMaxDelta->value());
    switch (r.check) {
        case CalibrationCheck::DeltaTooHigh:
            platform_.Message("ATTENTION!", CalibrationTexts::DELTA_TOO_HIGH);
            return;
        case CalibrationCheck::FactorOutOfRange:
            platform_.Message("ATTENTION!", CalibrationTexts::OUT_OF_RANGE);
            return;
        case CalibrationCheck::Passed:
            values_.factors = r.factors;
            ShowInputs(FactorInputs(ui_), r.factors);
            platform_.Message("CALIBRATION PASSED!", CalibrationTexts::PASSED);
    }
}

void CalibrationPage::RunSelfCalibration() {
    flags_.linkOk = true;  // from here on: no error has happened yet
    constexpr int SELF_CALIBRATION_WORDS = 5;
    if (!link_.Request({.order = ORDER_SELF_CALIBRATION,
                        .answerBytes = 2 * SELF_CALIBRATION_WORDS,
                        .copy = AnswerCopy::PayloadWords}) ||
        !flags_.linkOk)
        return;
    const uint16_t* w = link_.buffers.payloadWords;
    std::copy_n(w, 3, values_.factors.begin());
    ShowInputs(FactorInputs(ui_), values_.factors);
    ui_.EditSetValue->setValue(w[3]);
    ui_.EditMaxDelta->setValue(w[4]);
    platform_.Message("ATTENTION!", "Confirm calibration factors with SEND CF.");
}

void CalibrationPage::MeasureOffsets() {
    if (!link_.Request({.order = ORDER_CALC_OFFSET, .param = OFFSETS})) return;
    if (!GetCalibration(link_, values_, ui_)) return;
    QLineEdit* displays[3] = {ui_.DispRedOffset, ui_.DispGreenOffset, ui_.DispBlueOffset};
    for (int i = 0; i < 3; ++i) displays[i]->setText(QString::number(values_.offsets[i]));
}
