#include "link/commpage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextCursor>

#include "app/flags.h"
#include "link/iphistory.h"

constexpr int COM_PORT_COUNT = 32;

CommunicationPage::CommunicationPage(Panels& panels, SensorLink& link, ProgramFlags& flags,
                                     QString programDir, DimFn setButtonsDimmed)
    : ui_(panels.mainUi),
      data_(panels.datap.ui),
      link_(link),
      flags_(flags),
      programDir_(std::move(programDir)),
      setButtonsDimmed_(std::move(setButtonsDimmed)) {
    link_.SetReporter(this);
    RefreshComPortList();
    ui_.StringIpAdress->setStyleSheet("QComboBox { selection-background-color: #E0E0E0; }");

    connect(ui_.ButtonTryToConnect, &QPushButton::clicked, this,
            &CommunicationPage::OnButtonTryToConnect);
    connect(ui_.ButtonAccept, &QPushButton::clicked, this, &CommunicationPage::Accepted);
    connect(ui_.ButtonChangeBaudrate, &QPushButton::clicked, this,
            &CommunicationPage::OnButtonChangeBaudrate);
    connect(ui_.EditCommunicationProtocol, &QComboBox::activated, this, [this] {
        ApplyProtocolSwitch();
        DimLinkButtons();
    });
    connect(ui_.EditSelectComPort, &QComboBox::activated, this, &CommunicationPage::DimLinkButtons);
    connect(ui_.EditSelectBaudrate, &QComboBox::activated, this,
            [this] { ui_.ButtonAccept->setEnabled(false); });
    connect(ui_.StringIpAdress->lineEdit(), &QLineEdit::editingFinished, this,
            &CommunicationPage::CommitIpAddress);
    connect(ui_.StringIpAdress, &QComboBox::textActivated, this,
            &CommunicationPage::CommitIpAddress);
    connect(ui_.StringPortNumber, &QLineEdit::editingFinished, this,
            [this] { ui_.ButtonAccept->setEnabled(false); });
    data_.DispStatus->installEventFilter(this);
    SetLinkButtonsEnabled(false);
}

void CommunicationPage::ShowStatus(const QString& text) { data_.DispStatus->setText(text); }

void CommunicationPage::AppendLog(const QString& text) {
    QPlainTextEdit* log = ui_.TextCommunicationLog;
    QTextCursor end(log->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    log->verticalScrollBar()->setValue(log->verticalScrollBar()->maximum());
}

void CommunicationPage::DimLinkButtons() { SetLinkButtonsEnabled(false); }

void CommunicationPage::SetLinkButtonsEnabled(bool enabled) {
    ui_.ButtonAccept->setEnabled(enabled);
    ui_.ButtonGenHwInfoFile->setEnabled(enabled);
    ui_.ButtonChangeBaudrate->setEnabled(enabled);
}

void CommunicationPage::ShowCommunicationPage() {
    ui_.TabMain1->setCurrentIndex(PAGE_COMMUNICATION);
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

void CommunicationPage::RefreshComPortList() {
    QComboBox* box = ui_.EditSelectComPort;
    const int selected = box->currentIndex() < 0 ? 0 : box->currentIndex();
    box->clear();
    for (int n = 1; n <= COM_PORT_COUNT; ++n) {
        const QString device = ComPortDevice(n, programDir_);
        const QString target = QFileInfo(device).symLinkTarget();
        QString item = QString("COM%1   %2").arg(n).arg(device);
        if (!target.isEmpty()) item = QString("COM%1   %2").arg(n).arg(target);
        box->addItem(item, n);
    }
    box->setCurrentIndex(selected);
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
    const int port = ui_.EditSelectComPort->findData(static_cast<int>(s.comPort));
    ui_.EditSelectComPort->setCurrentIndex(port >= 0 ? port : 0);
    // An unknown rate index works as 115200, so the selector shows that.
    ui_.EditSelectBaudrate->setCurrentIndex(s.baudIndex < 5 ? s.baudIndex : 4);
    ui_.StringIpAdress->setCurrentText(s.ipAddress);
    ui_.StringPortNumber->setText(s.portNumber);
    ApplyProtocolSwitch();
}

void CommunicationPage::TryToConnect() {
    link_.CloseComPort();
    ShowStatus("TRY TO CONNECT!");
    AppendLog("TRY TO CONNECT!\n");
    link_.settings = PageSettings();
    QCoreApplication::processEvents();
    const LinkSettings& s = link_.settings;
    data_.DispComPort->setText(QString("COM%1").arg(s.comPort));
    data_.DispIpAdress->setText(s.ipAddress);
    const bool serial = s.protocol == PROTOCOL_RS232;
    data_.DispComPort->setVisible(serial);
    data_.DispIpAdress->setVisible(!serial);
    if (serial)
        link_.OpenComPort();
    else
        link_.ConnectTcp();
    if (link_.lastOpenStatus >= 0) IdentifySensor();
}

void CommunicationPage::IdentifySensor() {
    const int count = BuildFrame(link_.buffers, ORDER_GET_FIRMWARE, 0, 0, 0);
    if (link_.Transact(count) != 1) return;
    const uint8_t* text = link_.buffers.receive + HEADER_BYTES;
    const int limit = std::min<int>(link_.answer.length, FIRMWARE_ID_CHARS);
    int length = 0;
    while (length < limit && text[length] != 0) ++length;
    link_.firmwareId = QString::fromLatin1(reinterpret_cast<const char*>(text), length);
    ShowStatus(link_.firmwareId);
    AppendLog(link_.firmwareId + "\n\n");
    flags_.linkOk = true;
    if (afterIdentify) afterIdentify();
    if (flags_.linkOk) SetLinkButtonsEnabled(true);
}

void CommunicationPage::ChangeBaudrate() {
    const int baudIndex = ui_.EditSelectBaudrate->currentIndex();
    AppendLog("TRY TO CHANGE BAUDRATE!\n");
    const int count =
        BuildFrame(link_.buffers, ORDER_SET_BAUDRATE, 0, static_cast<uint16_t>(baudIndex), 0);
    if (link_.Transact(count) != 1) return;
    AppendLog("SUCCESS!\n");
    link_.settings.baudIndex = static_cast<uint16_t>(baudIndex);
    link_.OpenComPort();
    flags_.linkOk = true;
    TryToConnect();
    if (flags_.linkOk) AppendLog("ATTENTION!!!   CONFIRM NEW BAUDRATE WITH EEPROM AND SEND!\n\n");
}

void CommunicationPage::OnButtonTryToConnect() {
    setButtonsDimmed_(0, 1);
    TryToConnect();
    setButtonsDimmed_(0, 0);
}

void CommunicationPage::OnButtonChangeBaudrate() {
    setButtonsDimmed_(0, 1);
    DimLinkButtons();
    ChangeBaudrate();
    setButtonsDimmed_(0, 0);
}

bool CommunicationPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == data_.DispStatus && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        ui_.TextCommunicationLog->clear();
        return true;
    }
    return false;
}
