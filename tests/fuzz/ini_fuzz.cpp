// libFuzzer target: the INI reader must take any bytes without a crash, a leak or
// unbounded work, and every lookup on what it read must stay safe.
#include <cstddef>
#include <cstdint>

#include "files/ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const IniText ini = IniText::FromBytes(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    for (const char* section :
         {"GENERAL INFO", "PARAMETER", "S", "TEACH VECTOR 0", "HARDWARE INFO"}) {
        for (const char* tag : {"FILE TYPE:", "POWER", "T", "CELL 0", "DATA"}) {
            (void)ini.GetInt(section, tag);
            (void)ini.GetString(section, tag, 4096);
        }
    }
    // What was read must write out and read back without trouble too.
    (void)IniText::FromBytes(ini.ToBytes());
    return 0;
}
