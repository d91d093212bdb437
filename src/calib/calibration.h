#pragma once
// Calibration values held by the calibration and offset-compensation pages.

#include "core/calibrationvalues.h"
#include "ui/panels.h"

#include <array>

class SensorLink;

using ColourInputs = std::array<QSpinBox*, 3>;  // red, green, blue
// The factor inputs of the calibration page and the offset inputs of the
// offset-compensation page.
ColourInputs FactorInputs(Ui::MAINP& ui);
ColourInputs OffsetInputs(Ui::MAINP& ui);

// Reads the calibration factors and offsets from the sensor into values, and shows the
// factors in the calibration page's inputs and the offsets in the offset-compensation
// page's inputs. False when the transaction failed (already reported).
bool GetCalibration(SensorLink& link, CalibrationValues& values, Ui::MAINP& ui);
