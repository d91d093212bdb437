#include "app/helptexts.h"

// Texts are the program's own fixed wording, blanks and line breaks included.

namespace {

const HelpEntry INFO_HELP[] = {
    {"TabMain1", "Select TAB-window."},
    {"TabDataP1", "Select TAB-window."},
    {"ButtonSend",
     "All the parameters of the PC-User-Interface are transferred to the sensor or to a selectable "
     "file. \nThe target of the parameter transfer is determined by the select button (RAM, "
     "EEPROM, FILE). \n\nShortcut Key: F9. "},
    {"ButtonGet",
     "Sensor or file parameters are transferred to the PC-User-Interface. \nThe source of the "
     "parameter transfer is determined by the select button (RAM, EEPROM, FILE). \n\nShortcut Key: "
     "F10. "},
    {"SelectMemRam", "Select source respectively the target for the parameter transfer."},
    {"SelectMemEeprom", "Select source respectively the target for the parameter transfer."},
    {"SelectMemFile", "Select source respectively the target for the parameter transfer."},
    {"SelectParaSet0", "Select parameter set which should be transfered."},
    {"SelectParaSet1", "Select parameter set which should be transfered."},
    {"ButtonGo", "Starts data transfer from sensor to PC. \n\nShortcut Key: F11. "},
    {"ButtonStop", "Stops data transfer from sensor to PC. \n\nShortcut Key: F12. "},
    {"ButtonTryToConnect", "Try to connect sensor."},
    {"ButtonAccept", "Accept settings for communication \nand switch to parapanel. "},
    {"ButtonChangeBaudrate",
     "Save selected Baudrate to sensor. \n\nConfirm new baudrate with EEPROM and SEND."},
    {"ButtonGenHwInfoFile",
     "Save Hardware Initial File to disk. \nSend this file to your supplier for assistance."},
    {"EditCommunicationProtocol", "Select RS232 or TCP/IP Interface. "},
    {"EditSelectComPort", "Select a serial COM-PORT."},
    {"EditSelectBaudrate",
     "Select the Baudrate for data transfer. \n\nAttention! Sensor and user surface \nmust work "
     "with the same Baudrate. "},
    {"StringIpAdress", "Select a Server by name or IP address."},
    {"StringPortNumber", "Select a port number."},
    {"EditID",
     "Insert sensor identification. \nThis ID will be displayed in some panels of the software."},
    {"SlidePower",
     "Select the intensity of the transmitter LED. \n0 = no intensity,  1000 = full intensity."},
    {"EditPmode",
     "Select the operating mode of the transmitter unit. \n\nSTAT: Transmitter power is constantly "
     "kept at the POWER-SLIDER value. \n\nDYN : Transmitter power is dynamically tuned in "
     "accordance with the amount of radiation that \n      is diffusely reflected from the target. "
     "Sensor should not exceed the dynamic range. \n      The dynamic range can be selected with "
     "DYN WIN LO and DYN WIN HI."},
    {"EditLedMode",
     "Select the LED operation mode. \nDC: Light source is permanant on. \nAC: Light source is "
     "modulated. \nPULSE: Light source is pulsed. \nOFF: Light source is off."},
    {"EditGain",
     "Select a amplification stage of the receicer. \nAMP1 is the lowest amplification. \nAMP8 is "
     "the highest amplification. "},
    {"EditDynWinLo", "Select a window for dynamic \nregaluation when PMOD = DYNAMIC."},
    {"EditDynWinHi", "Select a window for dynamic \nregaluation when PMOD = DYNAMIC."},
    {"EditAverage",
     "Select the number of scanning values (measured values) \nover which the raw signal is "
     "averaged (meanvalue!)."},
    {"EditIntegral",
     "Select the number (0...250) of values \nover which the raw signal is integrated."},
    {"EditMaxVecNo",
     "Select the number of color vectors which should be \nchecked in the TEACH TABLE beginning "
     "with row 0. \n\nAktive rows in the TEACH TABLE are \nlabelled green, inactive are labelled "
     "red."},
    {"EditDigOutmode",
     "Select how to control the 5 digital outputs. \n\nBINARY: \nIf color group is disabled, the "
     "maximum number of colors to be taught is 31. \nIf a color (row 0-30 in the TEACH TABLE) is "
     "detected, this color is displayed in C-No: \nand is set binary to the digital outputs (OUT0 "
     "to OUT4). \nIf no color is detected, C-No: is 255. The digital outputs (OUT0 to OUT4) are "
     "set to HI. \nIf color group is enabled, the maximum number of colors to be taught is 31. 31 "
     "groups are possible. \n\nDIRECT LO: \nIf color group is disabled, the maximum number of "
     "colors to be taught is 5. \nIf a color (row 0 to 4 in the TEACH TABLE) is detected, the "
     "special digital output is set to LO, all others are HI. \nIf no color is detected, C-No: is "
     "255. The digital outputs (OUT0 to OUT4) are set to HI. \nIf color group is enabled, the "
     "maximum number of colors to be taught is 31, but only 5 groups are possible. \nIf a group is "
     "detected, the digital output is set to LO, all others are HI. \n\nDIRECT HI: \nIf color "
     "group is disabled, the maximum number of colors to be taught is 5. \nIf a color (row 0 to 4 "
     "in the TEACH TABLE) is detected, the special digital output is set to HI, all others are LO. "
     "\nIf no color is detected, C-No: is 255. The digital outputs (OUT0 to OUT4) are set to LO. "
     "\nIf color group is enabled, the maximum number of colors to be taught is 31, but only 5 "
     "groups are possible. \nIf a group is detected, the digital output is set to HI, all others "
     "are LO."},
    {"EditIntlim",
     "Select an intensity limit. \nColor evaluation is stopped, if the current intensity INT or M "
     "falls below this limit. \nERROR STATE is output (C-No: = 255). \n\n ATTENTION: If POWER MODE "
     "= DYN. Display INT or M shows the transmitter power. \n The sensor still calculates the real "
     "INT or M and compares it with INTLIM."},
    {"EditEvalmode",
     "HIT = Current detected signal lies within a taught row in the teach table. \n\nFIRST HIT: "
     "First HIT in the teach table will be output. \n\nBEST HIT: Best HIT (shortest distance to "
     "the taught colors) will be output. \n\nMIN DIST: Shortest distance to the centre of all "
     "taught colors will be output when INT (M) lies within ITO (MTO). \n\nCOL5: Multiple rows "
     "(colors) can be output simultaneously. \n\nTHD RGB: \nOUT0=HI when the red signal is higher "
     "than row0/columnTHD in the teach table, otherwise OUT0=LO. \nOUT1=HI when the green signal "
     "is higher than row1/columnTHD in the teach table, otherwise OUT1=LO. \nOUT2=HI when the blue "
     "signal is higher than row2/columnTHD in the teach table, otherwise OUT2=LO."},
    {"EditCalcmode",
     "Select a calculation mode: \nX Y INT - 2D = X/Y pairs and intensity. \ns i   M - 2D = s/i "
     "pairs and M. \nX Y INT - 3D = X/Y/INT pairs. \ns i   M - 3D = s/i/M pairs."},
    {"EditExteach",
     "Select external teach mode. \n\nOFF: No external teach. \n\nON: External teach to all rows "
     "of the teach table (See manual). \nATTENTION! The taught values are stored into the EEPROM "
     "of the sensor. \nIf you are in the GO mode during an external teach, \nyou will get a "
     "TIMEOUT, because of the EEPROM transfer. \n\nSTAT1: External teach to row 0 of the teach "
     "table. \nTransmitter power is the power selected with the power slider. \nThe taught values "
     "are stored into the RAM of the sensor. \n\nDYN1: External teach to row 0 of the teach table. "
     "\nThe transmitter power is adjusted dynamically, when IN0 goes high. \nAfter the power is "
     "adjusted, the sensor works on static with this detected power value. \nThe taught values are "
     "stored into the RAM of the sensor. \nNOTE! DYN1 is not available in combination with LED "
     "MODE=OFF. \n\nNOTE! Colors will be teached up to MAXCOL-No: when EVALUATION MODE is FIRST "
     "HIT. \n\nNOTE! When EVALUATION MODE is THD RGB a maximum and a \nminimum for each channel "
     "will be detected while IN0 is high. \nThe threshold for the selected channels is set to "
     "(MAX+MIN)/2. \nThe taught thresholds will be stored in the EEPROM when EXTEACH=ON. \nThe "
     "taught thresholds will be stored in the RAM when EXTEACH=STAT1 or DYN1."},
    {"EditTrigger",
     "Select the trigger mode for the sensor. \n\nCONT: Continuous color detection (no trigger "
     "event required). \n\nSELF: Self Trigger! 'Trigger' is given, when the actual color is "
     "anything else than color 0. \n      Color detection as long as trigger (color is not color "
     "0). \n      When trigger goes low (redetection of color 0), the most detected color will be "
     "hold at the output. \n\nEXT1: Color detection as long as trigger (IN0) is high. \n      When "
     "trigger goes low, the most detected color will be hold at the output. \n\nEXT2: Color "
     "detection as long as trigger (IN0) is high. \n      When trigger goes low, the last detected "
     "color will be hold at the output. \n\nEXT3: Color detection as long as trigger (IN0) is "
     "high. \n      When trigger goes low, fail condition is output. \n\nTRANS: Transmitter is "
     "active when trigger (IN0) is high. \n\nPARA: Sensor works with ParaSet0 when trigger (IN0) "
     "is low. \n      Sensor works with ParaSet1 when trigger (IN0) is high. \n\nLED TRIG is green "
     "when the sensor is triggered."},
    {"EditColorGroups", "Activate color groups. \nNot possible when EVALMODE=COL5."},
    {"EditGridHold", "Select the minimum pulse length when a digital output changes."},
    {"EditHold", "Select the minimum pulse length when a digital output changes."},
    {"EditResetHold", "Table Hold will be set to this value \nwhen Button RESET is pressed."},
    {"ButtonResetGroupTable", "Reset the GROUP TABLE. \nAll cells are set to 0."},
    {"ButtonResetHoldTable",
     "Reset the HOLD TABLE. \nAll cells are set the value \nin the Edit Box."},
    {"EditNo", "Select the current number of a row in the TEACH TABLE for TEACH DATA TO."},
    {"RadioInc", "Auto increment of Edit Field No.:"},
    {"ButtonResetTable", "Reset the TEACH TABLE. \nAll cells are set to 1."},
    {"ButtonTeachDataTo",
     "Current measured values (X,Y,INT respectively s,i,M) are assigned \nto the TEACH TABLE row "
     "selected in the No.: function field."},
    {"ButtonTeachMeanVal", "Opens a panel to teach mean values. "},
    {"ButtonTeachRecVal", "Opens a panel to teach, with help \nfrom a graph, recorded values. "},
    {"ButtonSelRecFile", "Select a record file for data save. "},
    {"DispRecFile", "Shows the path of the record file. "},
    {"ButtonStartRecord", "Start data record."},
    {"ButtonStartTrigRec", "Start data record."},
    {"ButtonStopRecord", "Stop data record."},
    {"ButtonManualRecord", "Record one frame manually \nand append to existing file. "},
    {"EditSelectDataRec", "Select how to record data frame. "},
    {"EditInterval",
     "Choose a interval in secondes for recording. \nMinimum interval is 0,25 second."},
    {"EditRecVal", "Choose how many data frames should be recorded. "},
    {"DispRecordTime", "Displays the time for recording \nwhen all VALUES will be recorded."},
    {"DispRecordedValues", "Displays how many values are already recorded."},
    {"DispRemaining", "Displays how many values remain to be recorded."},
    {"ButtonSendCF",
     "Calibration factors for RED,GREEN and BLUE will be send to the EEPROM of the sensor."},
    {"ButtonGetCF", "Calibration factors for RED,GREEN and BLUE will be read from the sensor."},
    {"ButtonCalcCF", "Calculate the calibration factors for RED, GREEN and BLUE. "},
    {"ButtonStartSelfCalibration",
     " Sensor calculates the calibration factors for RED, GREEN and BLUE. "},
    {"EditCFR",
     "Edit Box for the calibration factor.\nDefault value is 1024. \nMinimum value is 0. \nMaximum "
     "value is 4096."},
    {"EditCFG",
     "Edit Box for the calibration factor.\nDefault value is 1024. \nMinimum value is 0. \nMaximum "
     "value is 4096."},
    {"EditCFB",
     "Edit Box for the calibration factor.\nDefault value is 1024. \nMinimum value is 0. \nMaximum "
     "value is 4096."},
    {"EditSetValue", "Choose the setvalue for RED,GREEN and BLUE. "},
    {"EditMaxDelta", "Choose the maximum DELTA value of RED,GREEN and BLUE. "},
    {"DispBarsRAW", "Displays the RAW values of RED, GREEN and BLUE."},
    {"DispRawDelta",
     "Displays the delta of the raw values of RED, GREEN and BLUE. \nDelta is the peak to peak "
     "value of the lowest number of RED, GREEN or BLUE \nand the highest number of RED, GREEN or "
     "BLUE of the RAW-DATAS."},
    {"DispBars",
     "Displays the calibrated values of RED, GREEN and BLUE. \nFormula: CALIBRATED DATA = (RAW "
     "DATA * CF) / 1024 "},
    {"DispTemp", "Displays actual temperature in the sensor."},
    {"ButtonCalcOffset", "Detect the offset values for RED, GREEN and BLUE. "},
    {"ButtonSendOffset",
     "Offset values for RED,GREEN and BLUE will be send to the EEPROM of the sensor."},
    {"ButtonGetOffset", "Offset values for RED,GREEN and BLUE will be read from the sensor."},
    {"ButtonCloseOffsetCompensation", "Close PANEL and return to MAIN PANEL. "},
    {"ButtonGpClose", "Close PANEL and return to MAIN PANEL. "},
    {"ButtonCloseTeachPanel", "Close PANEL and return to MAIN PANEL. "},
    {"ButtonCloseTeachPanel2", "Close PANEL and return to MAIN PANEL. "},
    {"ButtonCloseSP", "Close PANEL and return to MAIN PANEL. "},
    {"EditRedOffset", "Edit Box for the offset values. "},
    {"EditGreenOffset", "Edit Box for the offset values. "},
    {"EditBlueOffset", "Edit Box for the offset values. "},
    {"DispRedOffset", "Displays the offset values. "},
    {"DispGreenOffset", "Displays the offset values. "},
    {"DispBlueOffset", "Displays the offset values. "},
    {"ButtonGetCycleTime",
     "Get cycle time from sensor. \nDon't interrupt the sensor for 8 seconds \nthen press the "
     "button."},
    {"DispScanFreq",
     "Sensor scanfrequency. \nDon't interrupt the sensor for 8 seconds \nthen press the button."},
    {"ButtonScan", "Start data recording and display the result in the graph."},
    {"ButtonBreakScan", "Break data recording."},
    {"EditTriggerMode",
     "Select trigger mode! \nSINGLE SHOT: Data recording starts after pushing SCAN. \nRISING EDGE: "
     "Data recording starts when blue line goes higher than TRIGGER LEVEL. \nFALLING EDGE: Data "
     "recording starts when blue line goes lower than TRIGGER LEVEL. \nINTERNAL C-No.0: Data "
     "recording starts when color number 0 is detected. \nEXTERNAL IN0: Data recording starts when "
     "IN0 goes high."},
    {"EditScopeRecSignal", "Select the signal which should be recorded."},
    {"EditPreTrigVal", "Number of recorded values \nwhich are stored before trigger occured."},
    {"EditTriggerLevel", "Record starts when blue line passes TRIGGER LEVEL."},
    {"EditScanRate", "Record a value every SCAN RATE scan."},
    {"DispX", "Displays the red content of the color currently arriving at the receiver."},
    {"DispY", "Displays the green content of the color currently arriving at the receiver. "},
    {"DispINT", "Displays the intensity of the color currently arriving at the receiver. "},
    {"DispRED", "Displays the current color intensity of RED,GREEN and BLUE. "},
    {"DispGREEN", "Displays the current color intensity of RED,GREEN and BLUE. "},
    {"DispBLUE", "Displays the current color intensity of RED,GREEN and BLUE. "},
    {"DispRgbPageRed", "Displays the current color intensity of RED,GREEN and BLUE. "},
    {"DispRgbPageGreen", "Displays the current color intensity of RED,GREEN and BLUE. "},
    {"DispRgbPageBlue", "Displays the current color intensity of RED,GREEN and BLUE. "},
    {"DispIntPageRed", "Displays the current color intensity of RED,GREEN and BLUE. "},
    {"DispIntPageGreen", "Displays the current color intensity of RED,GREEN and BLUE. "},
    {"DispIntPageBlue", "Displays the current color intensity of RED,GREEN and BLUE. "},
    {"Disp2DPageRed", "Displays the current color intensity of RED,GREEN and BLUE. "},
    {"Disp2DPageGreen", "Displays the current color intensity of RED,GREEN and BLUE. "},
    {"Disp2DPageBlue", "Displays the current color intensity of RED,GREEN and BLUE. "},
    {"DispMinMaxRGB0", "Displays the minimum and maximum values of RED, GREEN and BLUE."},
    {"DispMinMaxRGB1", "Displays the minimum and maximum values of RED, GREEN and BLUE."},
    {"DispMinMaxRGB2", "Displays the minimum and maximum values of RED, GREEN and BLUE."},
    {"DispMinMaxRGB3", "Displays the minimum and maximum values of RED, GREEN and BLUE."},
    {"DispMinMaxRGB4", "Displays the minimum and maximum values of RED, GREEN and BLUE."},
    {"DispMinMaxRGB5", "Displays the minimum and maximum values of RED, GREEN and BLUE."},
    {"DispDeltaC",
     "Displays the distance to a COLOR HIT. \nWhen no color is detected, delta C depends on the "
     "EVALUATION MODE as follows: \nFIRST HIT: delta C is the distance to the last enabled row in "
     "the TEACH TABLE. \nBEST HIT and MIN DIST: delta C is -1. \nWhen INT or M is lower than "
     "INTLIM, delta C is set to -1."},
    {"DispCOL",
     "Displays the current detected color number in \naccordance with the row in the TEACH TABLE. "
     "\nDouble click opens a big display. \nClose the big display with a right mouse click. "
     "\n\nFailure condition is 255."},
    {"DispGroup",
     "Displays the current detected color group. \nDouble click opens a big display. \nClose the "
     "big display with a right mouse click.\n\nFailure condition is 255."},
    {"LedTrig",
     "Displays whether the sensor is triggered (LED=green) or not(LED=black). \nSensor is "
     "triggered, when IN0 is +24V or when the sensor self triggers (TRIGGER=SELF)."},
    {"GraphRGB",
     "Displays RED, GREEN, BLUE. \nLeft double click starts zooming. \nLeft click stops zooming."},
    {"GraphINT1",
     "Displays intensity INT. \nLeft double click starts zooming. \nLeft click stops zooming."},
    {"Graph2D", "The two graphs diplay the color and the intensity."},
    {"Graph2DInt", "The two graphs diplay the color and the intensity."},
    {"Graph3DXY",
     "The four graphs display a 3 sides view of the 3 dimensional color/intensity sphere \nplus "
     "the intensity of RED, GREEN, BLUE in an extra graph."},
    {"Graph3DXInt",
     "The four graphs display a 3 sides view of the 3 dimensional color/intensity sphere \nplus "
     "the intensity of RED, GREEN, BLUE in an extra graph."},
    {"Graph3DYInt",
     "The four graphs display a 3 sides view of the 3 dimensional color/intensity sphere \nplus "
     "the intensity of RED, GREEN, BLUE in an extra graph."},
    {"GraphRGB3D",
     "The four graphs display a 3 sides view of the 3 dimensional color/intensity sphere \nplus "
     "the intensity of RED, GREEN, BLUE in an extra graph."},
    {"ButtonShowGraph", "Switch to a graphical display for each signal."},
    {"EditSignal", "Select Signal to be displayed in the graph. "},
    {"PanelGraphGraph0", "Displays the signals selected with SIGNAL. "},
    {"PanelGraphGraph1", "Displays the signals selected with SIGNAL. "},
    {"PanelGraphGraph2", "Displays the signals selected with SIGNAL. "},
    {"PanelGraphGraph3", "Displays the signals selected with SIGNAL. "},
    {"PanelGraphGraph4", "Displays the signals selected with SIGNAL. "},
    {"PanelGraphGraph5", "Displays the signals selected with SIGNAL. "},
    {"PanelGraphGraph6", "Displays the signals selected with SIGNAL. "},
    {"ButtonTP1Capture",
     "Get frame of R,G,B,X,Y,INT \nrespectively R,G,B,s,i,M \nand assign to table. "},
    {"ButtonTP1Undo", "Remove the last frame from table. "},
    {"ButtonTP1ResetTable", "Set all table cells to 0."},
    {"ButtonTP1Teach",
     "Mean values are assigned to the \nTEACH TABLE row selected \nin the ROW No.: function "
     "field."},
    {"GridTP1Values", "Table to list the captured values. "},
    {"GridTP1Mean", "Table to list the mean values. "},
    {"DispTP1Counter", "Displays the amount of captured frames. "},
    {"DispTP1MaxDeltaXY", "Displays the maximum distance to the mean values."},
    {"DispTP1MaxDeltaInt", "Displays the maximum intensity distance to mean value."},
    {"EditTP1TeachCtoWith",
     "Choose to which value the tolerance \nshould be set in the TEACH TABLE."},
    {"EditTP1TeachItoWith",
     "Choose to which value the tolerance \nshould be set in the TEACH TABLE."},
    {"EditTP1ValueCto", "Select CTO respectively siTO respectively TOL. "},
    {"EditTP1ValueIto", "Select ITO respectively MTO. "},
    {"ButtonTP2Start", "Start recording of values \nand displaying in the graphs."},
    {"ButtonTP2Reset", "Reset graphs and counter."},
    {"ButtonTP2Teach",
     "Teach cursor position to the \nTEACH TABLE row selected \nin the ROW No.: function field."},
    {"GraphXYTP2",
     "Display for recorded values. \nMove cursor to select a position \nwhich should be teached to "
     "the table."},
    {"GraphXIntTP2",
     "Display for recorded values. \nMove cursor to select a position \nwhich should be teached to "
     "the table."},
    {"GraphYIntTP2",
     "Display for recorded values. \nMove cursor to select a position \nwhich should be teached to "
     "the table."},
    {"DispTP2Counter", "Displays the amount of recorded values. "},
    {"ButtonZoom11",
     "Zoom in: <Ctrl>+Left Mouse Button (drag to select).\nZoom out: Press ZOOM 1:1."},
    {"GraphScope",
     "Displays record results.\nRed line is RED or X or s. \nGreen line is GREEN or Y or i. \nBlue "
     "line is BLUE or INT or M. \n\nUpdate display deltaX and deltaY by moving the cursors. \nZoom "
     "in: <Ctrl>+Left Mouse Button (drag to select).\nZoom out: Press ZOOM 1:1."},
    {"EditScopeSignal", "Select a signal which should be displayed in the graph."},
    {"DispDeltaX",
     "Show delta X in [ms]. \nThe calculation is based on the cycle time shown\nin the display "
     "[ms] and the value of ScanRate."},
    {"DispDeltaY", "Show delta Y in [digit]."},
    {"ButtonPrintScopeGraph", "Print settings,scope graph and comment."},
};

const HelpEntry TABLE_ATTRIBUTES_HELP[] = {
    {"EditSetColor",
     "Set mode for the row indicator colors. \n\nManually: Indicator colors can be set manually. "
     "\n\nAutomatically: Indicator colors will be set automatically, \naccording to the color "
     "detected from the sensor."},
    {"EditRow", "Select a row, which should be set."},
    {"EditColorNumericRow", "Select a indicator color."},
    {"ButtonSetRowColor", "Assign selected color to row."},
    {"ButtonSaveArray",
     "Indicator colors and row specifications \nwill be saved to a selectable file. \nAttention! "
     "The table attributes will be stored \nat the hard disk and NOT in the sensor."},
    {"ButtonGetArray",
     "Indicator colors and row specifications will be \nread from a selectable file from the hard "
     "disk \nand assigned to the teach table and specification table."},
    {"ButtonTableAttrReset", "Set default row colors."},
};

}  // namespace

const HelpTable HELP_TABLES[] = {
    {"INFO!", INFO_HELP, sizeof INFO_HELP / sizeof INFO_HELP[0]},
    {"Info", TABLE_ATTRIBUTES_HELP, sizeof TABLE_ATTRIBUTES_HELP / sizeof TABLE_ATTRIBUTES_HELP[0]},
};
const int HELP_TABLE_COUNT = sizeof HELP_TABLES / sizeof HELP_TABLES[0];

const char* const TEACH_TABLE_HELP =
    "Change cell value with a left double click or with F2. \n\nSelect a range of cells by holding "
    "down the left mouse button and dragging the mouse over the cells to select. \n\nSet selection "
    "to: Set the selection to an adjustable value. \nIncrement selection with: Selected cells will "
    "be incremented with an adjustable value beginning with the first cell. \nReset selection: "
    "Reset the selected range.\nTeach tolerance off: Tolerance will not be changed. \nTeach "
    "tolerance on: Tolerance will be set automatically to a default value.";
