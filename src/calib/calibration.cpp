#include "calib/calibration.h"

#include <algorithm>

#include "link/link.h"

constexpr int CALIBRATION_WORDS = 6;  // factors red, green, blue, then offsets

bool GetCalibration(SensorLink& link, CalibrationValues& values, Ui::MAINP& ui) {
    if (!link.Request({.order = ORDER_GET_CALIBRATION,
                       .answerBytes = 2 * CALIBRATION_WORDS,
                       .copy = AnswerCopy::PayloadWords}))
        return false;
    const uint16_t* w = link.buffers.payloadWords;
    std::copy_n(w, 3, values.factors.begin());
    std::copy_n(w + 3, 3, values.offsets.begin());
    QSpinBox* factorInputs[3] = {ui.EditCFR, ui.EditCFG, ui.EditCFB};
    QSpinBox* offsetInputs[3] = {ui.EditRedOffset, ui.EditGreenOffset, ui.EditBlueOffset};
    for (int i = 0; i < 3; ++i) {
        factorInputs[i]->setValue(values.factors[i]);
        offsetInputs[i]->setValue(values.offsets[i]);
    }
    return true;
}
