#pragma once
// "PanelSettings.cfg" in the program's directory: the operator's working state from
// one run to the next (window, file paths, IP history, link settings, sensor
// identification, row attributes).

#include <QString>

class MainWindow;
class CommunicationPage;
class TableAttributes;
class IniText;
class QLineEdit;

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
    // idField: the identification as the operator is typing it.
    PanelSettings(QString programDir, MainWindow& window, CommunicationPage& comm,
                  TableAttributes& attributes, RememberedPaths& paths, QLineEdit& idField);

    QString Path() const;
    // Start-up, before the window is shown: identification, geometry, paths, history,
    // row attributes. The caller shows what was read.
    void ReadPanelSettings();
    // Start-up, after the window is shown: the link settings onto the page.
    void ReadCommunicationSettings();
    // Always a complete new file, with the identification field's text as it stands
    // (also when its edit was not finished); false when it could not be written.
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
    QLineEdit& idField_;
};
