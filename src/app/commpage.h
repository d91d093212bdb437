#pragma once
// The communication page: link settings, connecting, identifying the sensor and
// changing its baud rate, and the link's reports on the status line and in the log.

#include <QObject>

#include "link/link.h"
#include "ui/panels.h"

struct ProgramFlags;
class CommandButtons;
class ParameterTransfer;

// Where the link's reports appear: the status line, the communication log, the link
// buttons and the communication page itself.
class CommunicationReport : public LinkReporter {
  public:
    explicit CommunicationReport(Panels& panels);
    void ShowStatus(const QString& text) override;
    void AppendLog(const QString& text) override;
    void DimLinkButtons() override;
    void ShowCommunicationPage() override;
    void SetLinkButtonsEnabled(bool enabled);

  private:
    Ui::MAINP& ui_;
    Ui::DATAP& data_;
};

class CommunicationPage : public QObject {
    Q_OBJECT
  public:
    CommunicationPage(Panels& panels, SensorLink& link, ProgramFlags& flags,
                      CommunicationReport& report, CommandButtons& buttons,
                      ParameterTransfer& transfer, QString programDir);

    void TryToConnect();
    void IdentifySensor();
    void ChangeBaudrate();
    void ApplyProtocolSwitch();
    // Lists COM 1..32, and a higher number in use, with the device each resolves to.
    void RefreshComPortList();
    QStringList IpHistory() const;
    void SetIpHistory(const QStringList& history);
    // The link settings as they stand on the page, and the page set to given ones.
    LinkSettings PageSettings() const;
    void ShowLinkSettings(const LinkSettings& settings);

  signals:
    // The accept button was pressed: settings are final, go to the parameter page.
    void Accepted();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CommitIpAddress();
    void OnButtonTryToConnect();
    void OnButtonChangeBaudrate();
    // Opens the port or connects; false after a reported failure.
    bool OpenLink(bool serial);

    Ui::MAINP& ui_;
    Ui::DATAP& data_;
    SensorLink& link_;
    ProgramFlags& flags_;
    CommunicationReport& report_;
    CommandButtons& buttons_;
    ParameterTransfer& transfer_;
    QString programDir_;
};
