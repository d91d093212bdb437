#include "app/panelsettings.h"

#include <QDir>
#include <QLineEdit>

#include "app/mainwindow.h"
#include "app/commpage.h"
#include "link/iphistory.h"
#include "files/ini.h"
#include "params/tableattributes.h"

namespace {

const char* const POSITION = "PANEL POSITION";
const char* const DIRECTORIES = "DIRECTORIES";
const char* const ADDRESSES = "IP ADDRESSES";
const char* const COMMUNICATION = "COMMUNICATION SETTINGS";
const QString FILE_TYPE = "Panel Settings";

struct GeometryKey {
    const char* tag;
    int fallback;
};
const GeometryKey LEFT = {"MAINPANEL LEFT", 10};
const GeometryKey TOP = {"MAINPANEL TOP", 40};
const GeometryKey WIDTH = {"MAINPANEL WIDTH", 790};
const GeometryKey HEIGHT = {"MAINPANEL HEIGHT", 548};
constexpr int ZOOM_NORMAL = 0, ZOOM_MINIMISED = 1, ZOOM_MAXIMISED = 2;

// The four path keys and the members they fill, with their start file names.
struct PathKey {
    const char* tag;
    QString RememberedPaths::*path;
    const char* fileName;
};
const PathKey PATH_KEYS[] = {
    {"PARAMETER FILE", &RememberedPaths::parameterFile, "Parameter.ini"},
    {"RECORDER FILE", &RememberedPaths::recordFile, "RecordFile.dat"},
    {"HARDWARE INI FILE", &RememberedPaths::hardwareIniFile, "HardwareInitialFile.ini"},
    {"TABLE ATTRIBUTES FILE", &RememberedPaths::tableAttributesFile, "TableAttributes.ini"},
};
constexpr int PATH_CHARS = 260;

int IntOr(const IniText& ini, const char* section, const GeometryKey& key) {
    const auto value = ini.GetInt(section, key.tag);
    return value ? static_cast<int>(std::clamp<long long>(*value, -100000, 100000)) : key.fallback;
}

QString IpKey(int n) { return QString("IP ADDR %1").arg(n); }

}  // namespace

PanelSettings::PanelSettings(QString programDir, MainWindow& window, CommunicationPage& comm,
                             TableAttributes& attributes, RememberedPaths& paths,
                             QLineEdit& idField)
    : programDir_(std::move(programDir)),
      window_(window),
      comm_(comm),
      attributes_(attributes),
      paths_(paths),
      idField_(idField) {}

QString PanelSettings::Path() const { return QDir(programDir_).filePath(PANEL_SETTINGS_FILE); }

bool PanelSettings::Load(IniText& ini) const {
    return ini.ReadFromFile(Path()) &&
           ini.GetString(GENERAL_INFO, FILE_TYPE_TAG).value_or(QString()) == FILE_TYPE;
}

void PanelSettings::ReadPanelSettings() {
    for (const PathKey& key : PATH_KEYS)
        paths_.*key.path = QDir(programDir_).filePath(key.fileName);
    attributes_.rowColors = DefaultRowColors();
    sensorId.clear();
    IniText ini;
    if (!Load(ini)) return;
    sensorId = ini.GetString(GENERAL_INFO, "PANEL ID:", SENSOR_ID_CHARS).value_or(QString());
    ApplyGeometry(ini);
    for (const PathKey& key : PATH_KEYS)
        if (auto path = ini.GetString(DIRECTORIES, key.tag, PATH_CHARS)) paths_.*key.path = *path;
    if (const auto items = ini.GetInt(ADDRESSES, "LIST ITEMS")) {
        QStringList history;
        const int n = static_cast<int>(std::clamp<long long>(*items, 0, IP_HISTORY_MAX));
        for (int i = 1; i <= n; ++i)
            if (auto address = ini.GetString(ADDRESSES, IpKey(i), 256)) history << *address;
        comm_.SetIpHistory(history);
    }
    attributes_.ReadTableAttributeSections(ini, false);
}

void PanelSettings::ApplyGeometry(const IniText& ini) {
    const auto zoom = ini.GetInt(POSITION, "MAINPANEL FULLSCREEN");
    if (!zoom) return;  // the designed place and size
    if (*zoom == ZOOM_MAXIMISED) {
        window_.setWindowState(Qt::WindowMaximized);
        return;
    }
    window_.setWindowState(Qt::WindowNoState);
    window_.move(IntOr(ini, POSITION, LEFT), IntOr(ini, POSITION, TOP));
    window_.resize(std::max(100, IntOr(ini, POSITION, WIDTH)),
                   std::max(100, IntOr(ini, POSITION, HEIGHT)));
}

void PanelSettings::ReadCommunicationSettings() {
    LinkSettings s;
    IniText ini;
    if (Load(ini)) {
        auto word = [&](const char* tag, uint16_t& field) {
            if (auto v = ini.GetInt(COMMUNICATION, tag); v && *v >= 0 && *v <= 0xFFFF)
                field = static_cast<uint16_t>(*v);
        };
        word("COMPROTOCOL", s.protocol);
        word("COMPORT", s.comPort);
        word("BAUDRATE", s.baudIndex);
        s.ipAddress = ini.GetString(COMMUNICATION, "IP ADRESS", 256).value_or(QString());
        s.portNumber = ini.GetString(COMMUNICATION, "PORT NUMBER", 32).value_or("10001");
    }
    comm_.ShowLinkSettings(s);
}

bool PanelSettings::WritePanelSettings() {
    IniText ini = NewSettingsFile(FILE_TYPE);
    sensorId = idField_.text().left(SENSOR_ID_CHARS);
    ini.PutString(GENERAL_INFO, "PANEL ID:", sensorId);
    const int zoom = window_.isMaximized()   ? ZOOM_MAXIMISED
                     : window_.isMinimized() ? ZOOM_MINIMISED
                                             : ZOOM_NORMAL;
    ini.PutInt(POSITION, "MAINPANEL FULLSCREEN", zoom);
    ini.PutInt(POSITION, LEFT.tag, window_.x());
    ini.PutInt(POSITION, TOP.tag, window_.y());
    ini.PutInt(POSITION, WIDTH.tag, window_.width());
    ini.PutInt(POSITION, HEIGHT.tag, window_.height());
    for (const PathKey& key : PATH_KEYS) ini.PutString(DIRECTORIES, key.tag, paths_.*key.path);
    const QStringList history = comm_.IpHistory().mid(0, IP_HISTORY_MAX);
    ini.PutInt(ADDRESSES, "LIST ITEMS", static_cast<int>(history.size()));
    for (int i = 0; i < history.size(); ++i) ini.PutString(ADDRESSES, IpKey(i + 1), history[i]);
    const LinkSettings s = comm_.PageSettings();
    ini.PutInt(COMMUNICATION, "COMPROTOCOL", s.protocol);
    ini.PutInt(COMMUNICATION, "COMPORT", s.comPort);
    ini.PutInt(COMMUNICATION, "BAUDRATE", s.baudIndex);
    ini.PutString(COMMUNICATION, "IP ADRESS", s.ipAddress);
    ini.PutString(COMMUNICATION, "PORT NUMBER", s.portNumber);
    attributes_.WriteTableAttributeSections(ini);
    return ini.WriteToFile(Path());
}
