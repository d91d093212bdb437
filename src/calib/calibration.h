#pragma once
// Calibration values held by the calibration and offset-compensation pages.

#include "ui/panels.h"

class SensorLink;

// Reads the calibration factors into the calibration page's inputs and the offsets
// into the offset-compensation page's inputs. Returns 1, or -1 when the transaction
// failed (already reported).
int GetCalibration(SensorLink& link, Ui::MAINP& ui);
