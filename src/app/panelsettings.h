#pragma once
// "PanelSettings.cfg" in the program's directory: the operator's working state from
// one run to the next (window, file paths, IP history, link settings, sensor
// identification, row attributes).

#include <QString>
#include <functional>

class MainWindow;
class CommunicationPage;
class TableAttributes;
class IniText;

// The last paths of the four kinds of files; the file dialogs start there.
struct RememberedPaths {
    QString parameterFile;
    QString recordFile;
    QString hardwareIniFile;
    QString tableAttributesFile;
};

constexpr const char* PANEL_SETTINGS_FILE = "PanelSettings.cfg";
constexpr int SENSOR_ID_CHARS = 100;

class PanelSettings {
  public:
    PanelSettings(QString programDir, MainWindow& window, CommunicationPage& comm,
                  TableAttributes& attributes, RememberedPaths& paths);

    QString Path() const;
    // Start-up, before the window is shown: identification, geometry, paths, history,
    // row attributes. The caller shows what was read.
    void ReadPanelSettings();
    // Start-up, after the window is shown: the link settings onto the page.
    void ReadCommunicationSettings();
    // Always a complete new file; false when it could not be written.
    bool WritePanelSettings();

    QString sensorId;

  private:
    // The file's content when it is a panel settings file; nothing otherwise.
    bool Load(IniText& ini) const;
    void ApplyGeometry(const IniText& ini);

    QString programDir_;
    MainWindow& window_;
    CommunicationPage& comm_;
    TableAttributes& attributes_;
    RememberedPaths& paths_;
};
