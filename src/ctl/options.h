#pragma once
// chromik-ctl's command line: the link options as the program's communication page
// names them, one command and its options, and the help texts.

#include <QString>
#include <QStringList>
#include <cstdint>

#include "core/flags.h"

enum class Command { None, Identify, Get, Send, Record, Watch, HwInfo };
enum class LinkKind { Com, Device, Tcp };

struct CtlOptions {
    Command command = Command::None;
    bool help = false;

    // The program's defaults: RS-232, COM1, 115200 Bd.
    LinkKind link = LinkKind::Com;
    uint16_t comPort = 1;
    QString device;
    QString host;
    QString port = "10001";
    uint16_t baudIndex = 4;

    int setIndex = 0;
    MemorySelect memory = MemorySelect::Ram;
    QString file;   // -o FILE, or the file that send reads
    int count = 0;  // records or frames; 0 = until interrupted
    double interval = 1.0;
    bool triggered = false;
    bool force = false;  // send a file whose header names another type or version
    QString panelId;
};

struct ParseResult {
    CtlOptions options;
    QString error;  // empty when the command line is usable
};

// Parses the arguments after the program name.
ParseResult ParseOptions(const QStringList& args);

// The program's help (Command::None) or a command's.
QString HelpText(Command command);
