#include "files/hwinfotext.h"

#include "files/paramtext.h"

QString HardwareDataString(std::span<const uint16_t> words) {
    QString data;
    data.reserve(4 * HARDWARE_WORDS);
    for (size_t k = 0; k < HARDWARE_WORDS; ++k) {
        const uint16_t word = k < words.size() ? words[k] : 0;
        data += QString("%1").arg(word, 4, 16, QChar('0')).toUpper();
    }
    return data;
}

IniText BuildHardwareInfoFile(const HardwareInfo& info) {
    IniText ini = NewSettingsFile("Hardware Initial File");
    ini.PutString(GENERAL_INFO, "FIRMWARE VERSION:", info.firmwareId);
    ini.PutString("HARDWARE INFO", "DATA", HardwareDataString(info.words));
    const std::pair<const char*, std::array<uint16_t, 3>> values[] = {
        {"CALIBRATION FACTOR", info.calibration.factors}, {"OFFSET", info.calibration.offsets}};
    for (const auto& [section, rgb] : values) {
        ini.PutInt(section, "RED", rgb[0]);
        ini.PutInt(section, "GREEN", rgb[1]);
        ini.PutInt(section, "BLUE", rgb[2]);
    }
    AppendParameterSections(ini, info.parameters);
    return ini;
}
