#include "calib/calibration.h"

#include <algorithm>

#include "link/link.h"

constexpr int CALIBRATION_WORDS = 6;  // factors red, green, blue, then offsets

ColourInputs FactorInputs(Ui::MAINP& ui) { return {ui.EditCFR, ui.EditCFG, ui.EditCFB}; }

ColourInputs OffsetInputs(Ui::MAINP& ui) {
    return {ui.EditRedOffset, ui.EditGreenOffset, ui.EditBlueOffset};
}

bool GetCalibration(SensorLink& link, CalibrationValues& values, Ui::MAINP& ui) {
    if (!link.Request({.order = ORDER_GET_CALIBRATION,
                       .answerBytes = 2 * CALIBRATION_WORDS,
                       .copy = AnswerCopy::PayloadWords}))
        return false;
    const uint16_t* w = link.buffers.payloadWords;
    std::copy_n(w, 3, values.factors.begin());
    std::copy_n(w + 3, 3, values.offsets.begin());
    const ColourInputs factors = FactorInputs(ui), offsets = OffsetInputs(ui);
    for (int i = 0; i < 3; ++i) {
        factors[i]->setValue(values.factors[i]);
        offsets[i]->setValue(values.offsets[i]);
    }
    return true;
}
