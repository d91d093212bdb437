#pragma once
// White-light calibration and offset compensation: the factors and offsets in the
// pages' inputs, their transfers, the factors calculated on the PC from 100 frames of
// a white target or by the sensor itself, and the sensor's offset measurement.

#include <QObject>
#include <array>
#include <optional>

#include "core/calibrationvalues.h"
#include "ui/panels.h"

struct ProgramFlags;
class SensorLink;
class CommandButtons;
class AcquisitionLoop;
class LiveDisplays;
class Platform;

using ColourInputs = std::array<QSpinBox*, 3>;  // red, green, blue
// The factor inputs of the calibration page and the offset inputs of the
// offset-compensation page.
ColourInputs FactorInputs(Ui::MAINP& ui);
ColourInputs OffsetInputs(Ui::MAINP& ui);

// Reads the calibration factors and offsets from the sensor into values, and shows the
// factors in the calibration page's inputs and the offsets in the offset-compensation
// page's inputs. False when the transaction failed (already reported).
bool GetCalibration(SensorLink& link, CalibrationValues& values, Ui::MAINP& ui);

namespace CalibrationTexts {
inline const QString DELTA_TOO_HIGH =
    "The maximum delta of the raw data values RED,GREEN and BLUE is to high. \nCalibration is "
    "not possible. \nVerify, that the sensor shines on a WHITE target! \nIncrease MAXIMUM DELTA "
    "OF RAW DATAS! ";
inline const QString OUT_OF_RANGE =
    "One of the calibration factor is out of range. \nCalibration is not possible. \nVerify, "
    "that the senor shines on a WHITE target! \nChoose a proper POWER value. ";
inline const QString PASSED =
    "Calibration successful! \nCalibration factors were sent to the EEPROM of the sensor. \nGO "
    "mode will be activated. ";
inline const QString SEND_POWER =
    "Make sure, that the sensor shines on a WHITE target! \nSelect a proper POWER value that the "
    "RAW DATAS are within the dynamic range.  \nRepeat as long as the intensity for the RAW "
    "DATAS is NOT OK.";
inline const QString NO_FRAME = "No data frame was received. \nCalibration is not possible. ";
}  // namespace CalibrationTexts

// The averages of a calibration measurement.
struct RawAverages {
    std::array<int, 3> raw{};  // red, green, blue
    int delta = 0;
};

enum class CalibrationCheck { Passed, DeltaTooHigh, FactorOutOfRange };
struct CalibrationResult {
    CalibrationCheck check;
    std::array<uint16_t, 3> factors{};  // valid when passed
};
// Factor = set value x 1024 / average (an average of 0 counts as 1), each at most 4096;
// the spread is checked first.
CalibrationResult CheckCalibration(const RawAverages& averages, int setValue, int maxDelta);

class CalibrationPage : public QObject {
    Q_OBJECT
  public:
    CalibrationPage(Panels& panels, SensorLink& link, ProgramFlags& flags,
                    CalibrationValues& values, CommandButtons& buttons,
                    AcquisitionLoop& acquisition, LiveDisplays& displays, Platform& platform);

    void SendCalibrationFactors();
    void CalculateCalibrationFactors();
    void RunSelfCalibration();
    void MeasureOffsets();
    void SendOffsets();

  private:
    void OnButtonCalcCF();
    void ReadCalibration();
    // Sends three inputs with ORDER_SEND_CALIBRATION and reports a plausibility count.
    void SendInputs(uint16_t param, const ColourInputs& inputs);
    // The 100-frame measurement; nothing when no frame arrived (already reported).
    std::optional<RawAverages> MeasureWhite();
    void Blink(int frame);

    Panels& panels_;
    Ui::MAINP& ui_;
    SensorLink& link_;
    ProgramFlags& flags_;
    CalibrationValues& values_;
    CommandButtons& buttons_;
    AcquisitionLoop& acquisition_;
    LiveDisplays& displays_;
    Platform& platform_;
};
