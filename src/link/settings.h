#pragma once
// How the program reaches the sensor: protocol, serial port and rate, TCP address.

#include <QString>
#include <cstdint>
#include <iterator>

enum Protocol : uint16_t { PROTOCOL_RS232 = 0, PROTOCOL_TCP = 1 };

struct LinkSettings {
    uint16_t protocol = PROTOCOL_RS232;
    uint16_t comPort = 1;
    uint16_t baudIndex = 4;
    QString ipAddress;
    QString portNumber = "10001";
};

constexpr int BAUD_RATES[] = {9600, 19200, 38400, 57600, 115200};
constexpr int BAUD_RATE_COUNT = static_cast<int>(std::size(BAUD_RATES));

// Baud rate of a baud-rate index; unknown indices give 115200.
int BaudRate(int baudIndex);

// COM port n is COM<n> in the program's directory when that exists (a symlink to
// any serial device, a by-id name or the simulated sensor's pseudo-terminal),
// otherwise /dev/ttyS<n-1>.
QString ComPortDevice(int comPort, const QString& programDir);

// The decimal value of the leading digits of a port-number text (0 without digits).
int PortNumberValue(const QString& text);
