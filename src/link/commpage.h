#pragma once
// The communication page: link settings, connecting, identifying the sensor and
// changing its baud rate, and the link's reports on the status line and in the log.

#include <QObject>
#include <functional>

#include "link/link.h"
#include "ui/panels.h"

struct ProgramFlags;

class CommunicationPage : public QObject, public LinkReporter {
    Q_OBJECT
  public:
    using DimFn = std::function<void(int goMode, int dimmed)>;
    CommunicationPage(Panels& panels, SensorLink& link, ProgramFlags& flags, QString programDir,
                      DimFn setButtonsDimmed);

    // LinkReporter
    void ShowStatus(const QString& text) override;
    void AppendLog(const QString& text) override;
    void DimLinkButtons() override;
    void ShowCommunicationPage() override;

    void TryToConnect();
    void IdentifySensor();
    void ChangeBaudrate();
    void ApplyProtocolSwitch();
    // Lists COM 1..n with the device each resolves to.
    void RefreshComPortList();
    QStringList IpHistory() const;
    void SetIpHistory(const QStringList& history);
    // The link settings as they stand on the page, and the page set to given ones.
    LinkSettings PageSettings() const;
    void ShowLinkSettings(const LinkSettings& settings);

    // Runs after a successful identification, before the link buttons come back
    // (reading the sensor's parameters).
    std::function<void()> afterIdentify;

  signals:
    // The accept button was pressed: settings are final, go to the parameter page.
    void Accepted();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SetLinkButtonsEnabled(bool enabled);
    void CommitIpAddress();
    void OnButtonTryToConnect();
    void OnButtonChangeBaudrate();

    Ui::MAINP& ui_;
    Ui::DATAP& data_;
    SensorLink& link_;
    ProgramFlags& flags_;
    QString programDir_;
    DimFn setButtonsDimmed_;
};
