#include "app/helptexts.h"

const HelpEntry HELP_TEXTS[] = {
    // Main panel
    {"TabMain1", "Select TAB-window."},
    // Communication page
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
    // DATAP
    {"TabDataP1", "Select TAB-window."},
};
const int HELP_TEXT_COUNT = sizeof HELP_TEXTS / sizeof HELP_TEXTS[0];
