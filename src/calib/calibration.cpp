#include "calib/calibration.h"

#include "link/link.h"

constexpr int CALIBRATION_WORDS = 6;  // factors red, green, blue, then offsets

int GetCalibration(SensorLink& link, Ui::MAINP& ui) {
    if (link.Transact(BuildFrame(link.buffers, ORDER_GET_CALIBRATION, 0, 0, 0)) != 1) return -1;
    if (!link.RequireAnswerLength(2 * CALIBRATION_WORDS)) return -1;
    link.CopyToPayloadWords();
    const uint16_t* w = link.buffers.payloadWords;
    QSpinBox* inputs[CALIBRATION_WORDS] = {ui.EditCFR,       ui.EditCFG,         ui.EditCFB,
                                           ui.EditRedOffset, ui.EditGreenOffset, ui.EditBlueOffset};
    for (int i = 0; i < CALIBRATION_WORDS; ++i) inputs[i]->setValue(w[i]);
    return 1;
}
