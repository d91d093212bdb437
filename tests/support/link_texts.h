#pragma once
// The link's reports as the operator reads them, written out here rather than taken
// from the program, so a changed text fails the tests.

#include <QString>

namespace ExpectedText {
inline const QString TIMEOUT =
    "TIMEOUT! \nNO DATA RECEIVED! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. "
    "\nTRY TO CONNECT AGAIN!";
inline const QString PORT_ERROR =
    "TIMEOUT! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. \nTRY TO CONNECT "
    "AGAIN!";
inline const QString BAD_HEADER = "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!";
inline const QString BAD_DATA = "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!";
inline const QString INVALID_ORDER = "INVALIDE ORDER NUMBER!\nVERIFY PC AND SENSOR SOFTWARE!";
inline const QString CONTROL_UNIT =
    "COMMUNICATION ERROR ON CONTROL UNIT!\nYOU MAY HAVE TO REDUCE THE BAUDRATE!";
inline const QString SERVER_CLOSED = "SERVER HAS CLOSED CONNECTION!";
}  // namespace ExpectedText
