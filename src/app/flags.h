#pragma once
// Flags and selections the subsystems share; one instance, owned by the program.

struct ProgramFlags {
    bool linkOk = false;
    bool tcpConnected = false;
    bool goRunning = false;
    bool sendPending = false;
    bool getPending = false;
    int memorySelect = 1;  // 1 RAM, 2 EEPROM, 3 FILE
    int parameterSetIndex = 0;
    int teachToleranceOff = 0;
};
