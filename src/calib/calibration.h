#pragma once
// Calibration values held by the calibration and offset-compensation pages.

#include "core/calibrationvalues.h"
#include "ui/panels.h"

class SensorLink;

// Reads the calibration factors and offsets from the sensor into values, and shows the
// factors in the calibration page's inputs and the offsets in the offset-compensation
// page's inputs. False when the transaction failed (already reported).
bool GetCalibration(SensorLink& link, CalibrationValues& values, Ui::MAINP& ui);
