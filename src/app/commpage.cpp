#include "app/commpage.h"

#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextCursor>

#include "core/buttons.h"
#include "core/flags.h"
#include "link/iphistory.h"
#include "link/sensorops.h"
#include "params/transfer.h"
#include "ui/platform.h"

constexpr int COM_PORT_COUNT = 32;

CommunicationReport::CommunicationReport(Panels& panels)
    : ui_(panels.mainUi), data_(panels.datap.ui) {}

void CommunicationReport::ShowStatus(const QString& text) { data_.DispStatus->setText(text); }

void CommunicationReport::AppendLog(const QString& text) {
    QPlainTextEdit* log = ui_.TextCommunicationLog;
    QTextCursor end(log->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    log->verticalScrollBar()->setValue(log->verticalScrollBar()->maximum());
}

void CommunicationReport::DimLinkButtons() { SetLinkButtonsEnabled(false); }

void CommunicationReport::SetLinkButtonsEnabled(bool enabled) {
    ui_.ButtonAccept->setEnabled(enabled);
    ui_.ButtonGenHwInfoFile->setEnabled(enabled);
    ui_.ButtonChangeBaudrate->setEnabled(enabled);
}

void CommunicationReport::ShowCommunicationPage() {
    ui_.TabMain1->setCurrentIndex(PAGE_COMMUNICATION);
}

CommunicationPage::CommunicationPage(Panels& panels, SensorLink& link, ProgramFlags& flags,
                                     CommunicationReport& report, CommandButtons& buttons,
                                     ParameterTransfer& transfer, QString programDir)
    : ui_(panels.mainUi),
      data_(panels.datap.ui),
      link_(link),
      flags_(flags),
      report_(report),
      buttons_(buttons),
      transfer_(transfer),
      programDir_(std::move(programDir)) {
    RefreshComPortList();
    ui_.StringIpAdress->setStyleSheet("QComboBox { selection-background-color: #E0E0E0; }");

    const auto dimLinkButtons = [this] { report_.DimLinkButtons(); };
    connect(ui_.ButtonTryToConnect, &QPushButton::clicked, this,
            &CommunicationPage::OnButtonTryToConnect);
    connect(ui_.ButtonAccept, &QPushButton::clicked, this, &CommunicationPage::Accepted);
    connect(ui_.ButtonChangeBaudrate, &QPushButton::clicked, this,
            &CommunicationPage::OnButtonChangeBaudrate);
    connect(ui_.EditCommunicationProtocol, &QComboBox::activated, this, [=, this] {
        ApplyProtocolSwitch();
        dimLinkButtons();
    });
    connect(ui_.EditSelectComPort, &QComboBox::activated, this, dimLinkButtons);
    connect(ui_.EditSelectBaudrate, &QComboBox::activated, this,
            [this] { ui_.ButtonAccept->setEnabled(false); });
    connect(ui_.StringIpAdress->lineEdit(), &QLineEdit::editingFinished, this,
            &CommunicationPage::CommitIpAddress);
    connect(ui_.StringIpAdress, &QComboBox::textActivated, this,
            &CommunicationPage::CommitIpAddress);
    connect(ui_.StringPortNumber, &QLineEdit::editingFinished, this,
            [this] { ui_.ButtonAccept->setEnabled(false); });
    data_.DispStatus->installEventFilter(this);
    report_.DimLinkButtons();
}

void CommunicationPage::ApplyProtocolSwitch() {
    const int protocol = ui_.EditCommunicationProtocol->currentIndex();
    if (protocol != PROTOCOL_RS232 && protocol != PROTOCOL_TCP) return;
    const bool serial = protocol == PROTOCOL_RS232;
    ui_.FormLink->setRowVisible(ui_.EditSelectComPort, serial);
    ui_.FormLink->setRowVisible(ui_.EditSelectBaudrate, serial);
    ui_.ButtonChangeBaudrate->setVisible(serial);
    ui_.FormLink->setRowVisible(ui_.StringIpAdress, !serial);
    ui_.FormLink->setRowVisible(ui_.StringPortNumber, !serial);
}

namespace {

void AddComPort(QComboBox* box, int n, const QString& programDir) {
    const QString device = ComPortDevice(n, programDir);
    const QString target = QFileInfo(device).symLinkTarget();
    box->addItem(QString("COM%1   %2").arg(n).arg(target.isEmpty() ? device : target), n);
}

}  // namespace

void CommunicationPage::RefreshComPortList() {
    QComboBox* box = ui_.EditSelectComPort;
    const int selected = box->currentIndex() < 0 ? 1 : box->currentData().toInt();
    box->clear();
    for (int n = 1; n <= COM_PORT_COUNT; ++n) AddComPort(box, n, programDir_);
    // A port number beyond the list (from the settings file) is the operator's: keep it.
    if (box->findData(selected) < 0) AddComPort(box, selected, programDir_);
    box->setCurrentIndex(box->findData(selected));
}

QStringList CommunicationPage::IpHistory() const {
    QStringList list;
    for (int i = 0; i < ui_.StringIpAdress->count(); ++i) list << ui_.StringIpAdress->itemText(i);
    return list;
}

void CommunicationPage::CommitIpAddress() {
    ui_.ButtonAccept->setEnabled(false);
    QComboBox* box = ui_.StringIpAdress;
    const QString text = box->currentText().trimmed();
    if (text.isEmpty()) return;
    QStringList history = IpHistory();
    AddToIpHistory(history, text);
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(history);
    box->setCurrentIndex(0);
}

void CommunicationPage::SetIpHistory(const QStringList& history) {
    QComboBox* box = ui_.StringIpAdress;
    const QString current = box->currentText();
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(history.mid(0, IP_HISTORY_MAX));
    box->setCurrentText(current);
}

LinkSettings CommunicationPage::PageSettings() const {
    LinkSettings s;
    s.protocol = static_cast<uint16_t>(ui_.EditCommunicationProtocol->currentIndex());
    s.comPort = static_cast<uint16_t>(ui_.EditSelectComPort->currentData().toInt());
    s.baudIndex = static_cast<uint16_t>(ui_.EditSelectBaudrate->currentIndex());
    s.ipAddress = ui_.StringIpAdress->currentText().trimmed();
    s.portNumber = ui_.StringPortNumber->text();
    return s;
}

void CommunicationPage::ShowLinkSettings(const LinkSettings& s) {
    ui_.EditCommunicationProtocol->setCurrentIndex(s.protocol == PROTOCOL_TCP ? PROTOCOL_TCP
                                                                              : PROTOCOL_RS232);
    QComboBox* ports = ui_.EditSelectComPort;
    if (ports->findData(static_cast<int>(s.comPort)) < 0)
        AddComPort(ports, s.comPort, programDir_);
    ports->setCurrentIndex(ports->findData(static_cast<int>(s.comPort)));
    // An unknown rate index works as 115200, so the selector shows that.
    ui_.EditSelectBaudrate->setCurrentIndex(s.baudIndex < 5 ? s.baudIndex : 4);
    ui_.StringIpAdress->setCurrentText(s.ipAddress);
    ui_.StringPortNumber->setText(s.portNumber);
    ApplyProtocolSwitch();
}

void CommunicationPage::TryToConnect() {
    link_.CloseComPort();
    report_.ShowStatus("TRY TO CONNECT!");
    report_.AppendLog("TRY TO CONNECT!\n");
    link_.settings = PageSettings();
    QApplication::processEvents();
    const LinkSettings& s = link_.settings;
    data_.DispComPort->setText(QString("COM%1").arg(s.comPort));
    data_.DispIpAdress->setText(s.ipAddress);
    const bool serial = s.protocol == PROTOCOL_RS232;
    data_.DispComPort->setVisible(serial);
    data_.DispIpAdress->setVisible(!serial);
    if (OpenLink(serial)) IdentifySensor();
}

bool CommunicationPage::OpenLink(bool serial) {
    // A TCP connect can take seconds: show that the program is busy, not hung.
    const BusyCursor busy;
    return serial ? link_.OpenComPort() : link_.ConnectTcp();
}

void CommunicationPage::IdentifySensor() {
    if (!ReadFirmwareId(link_)) return;
    report_.ShowStatus(link_.firmwareId);
    report_.AppendLog(link_.firmwareId + "\n\n");
    flags_.linkOk = true;
    transfer_.GetParameters();
    if (flags_.linkOk) report_.SetLinkButtonsEnabled(true);
}

void CommunicationPage::ChangeBaudrate() {
    const int baudIndex = ui_.EditSelectBaudrate->currentIndex();
    report_.AppendLog("TRY TO CHANGE BAUDRATE!\n");
    if (!link_.Request({.order = ORDER_SET_BAUDRATE, .param = static_cast<uint16_t>(baudIndex)}))
        return;
    report_.AppendLog("SUCCESS!\n");
    link_.settings.baudIndex = static_cast<uint16_t>(baudIndex);
    link_.OpenComPort();
    flags_.linkOk = true;
    TryToConnect();
    if (flags_.linkOk) report_.AppendLog("ATTENTION!!!   CONFIRM NEW BAUDRATE WITH EEPROM AND SEND!\n\n");
}

void CommunicationPage::OnButtonTryToConnect() {
    const ButtonsDimmed dimmed(buttons_, DimMode::Transfer);
    TryToConnect();
}

void CommunicationPage::OnButtonChangeBaudrate() {
    const ButtonsDimmed dimmed(buttons_, DimMode::Transfer);
    report_.DimLinkButtons();
    ChangeBaudrate();
}

bool CommunicationPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == data_.DispStatus && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        ui_.TextCommunicationLog->clear();
        return true;
    }
    return false;
}
