#pragma once
// Flags and selections the subsystems share; one instance, owned by the program.

// Where SEND and GET go.
enum class MemorySelect { Ram = 1, Eeprom = 2, File = 3 };

struct ProgramFlags {
    bool linkOk = false;
    bool tcpConnected = false;
    // The one run flag of every continuous loop (GO, recording, teach recordings).
    bool goRunning = false;
    bool sendPending = false;
    bool getPending = false;
    // The program is ending: every wait gives up at once, so no transaction holds
    // the close back for its time-outs.
    bool closeRequested = false;
    MemorySelect memorySelect = MemorySelect::Ram;
    int parameterSetIndex = 0;
    bool teachToleranceOff = false;
};
