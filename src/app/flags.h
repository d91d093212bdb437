#pragma once
// Flags and selections the subsystems share; one instance, owned by the program.

// Where SEND and GET go.
enum MemorySelect { MEMORY_RAM = 1, MEMORY_EEPROM = 2, MEMORY_FILE = 3 };

struct ProgramFlags {
    bool linkOk = false;
    bool tcpConnected = false;
    bool goRunning = false;
    bool sendPending = false;
    bool getPending = false;
    int memorySelect = MEMORY_RAM;
    int parameterSetIndex = 0;
    int teachToleranceOff = 0;
};
