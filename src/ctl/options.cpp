#include "ctl/options.h"

#include <functional>

#include "link/settings.h"

namespace {

// Commands an option belongs to, as bits.
constexpr unsigned Bit(Command c) { return 1u << static_cast<unsigned>(c); }
constexpr unsigned ALL_COMMANDS = ~0u;

struct CommandName {
    const char* name;
    Command command;
};
const CommandName COMMANDS[] = {{"identify", Command::Identify}, {"get", Command::Get},
                                {"send", Command::Send},         {"record", Command::Record},
                                {"watch", Command::Watch},       {"hwinfo", Command::HwInfo}};

// Sets a value; false when the value is not acceptable.
using Setter = std::function<bool(CtlOptions&, const QString&)>;

struct OptionRule {
    QString name;
    bool takesValue;
    unsigned commands;
    Setter set;
    bool selectsLink = false;  // --com, --device, --tcp: only one of them
};

bool ToInt(const QString& text, int low, int high, int& out) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high) return false;
    out = value;
    return true;
}

bool SetBaud(CtlOptions& o, const QString& text) {
    for (int i = 0; i < BAUD_RATE_COUNT; ++i)
        if (text == QString::number(BAUD_RATES[i])) {
            o.baudIndex = static_cast<uint16_t>(i);
            return true;
        }
    return false;
}

bool SetTcp(CtlOptions& o, const QString& text) {
    const qsizetype colon = text.lastIndexOf(':');
    o.link = LinkKind::Tcp;
    o.host = colon < 0 ? text : text.left(colon);
    if (colon >= 0) o.port = text.mid(colon + 1);
    int port = 0;
    return !o.host.isEmpty() && ToInt(o.port, 1, 65535, port);
}

bool SetMemory(CtlOptions& o, const QString& text) {
    if (text == "ram")
        o.memory = MemorySelect::Ram;
    else if (text == "eeprom")
        o.memory = MemorySelect::Eeprom;
    else
        return false;
    return true;
}

const unsigned TRANSFERS = Bit(Command::Get) | Bit(Command::Send) | Bit(Command::HwInfo);
const unsigned WRITERS = Bit(Command::Get) | Bit(Command::Record) | Bit(Command::HwInfo);

const QList<OptionRule>& Rules() {
    static const QList<OptionRule> rules = {
        {"--com", true, ALL_COMMANDS,
         [](CtlOptions& o, const QString& v) {
             int n = 0;
             o.link = LinkKind::Com;
             if (!ToInt(v, 1, 65535, n)) return false;
             o.comPort = static_cast<uint16_t>(n);
             return true;
         },
         true},
        {"--device", true, ALL_COMMANDS,
         [](CtlOptions& o, const QString& v) {
             o.link = LinkKind::Device;
             o.device = v;
             return !v.isEmpty();
         },
         true},
        {"--tcp", true, ALL_COMMANDS, SetTcp, true},
        {"--baud", true, ALL_COMMANDS, SetBaud},
        {"--set", true, TRANSFERS,
         [](CtlOptions& o, const QString& v) { return ToInt(v, 0, 1, o.setIndex); }},
        {"--from", true, Bit(Command::Get), SetMemory},
        {"--to", true, Bit(Command::Send), SetMemory},
        {"--force", false, Bit(Command::Send),
         [](CtlOptions& o, const QString&) { return o.force = true; }},
        {"-o", true, WRITERS,
         [](CtlOptions& o, const QString& v) {
             o.file = v;
             return !v.isEmpty();
         }},
        {"--count", true, Bit(Command::Record) | Bit(Command::Watch),
         [](CtlOptions& o, const QString& v) { return ToInt(v, 1, 1 << 30, o.count); }},
        {"--interval", true, Bit(Command::Record),
         [](CtlOptions& o, const QString& v) {
             bool ok = false;
             o.interval = v.toDouble(&ok);
             return ok && o.interval >= 0 && o.interval <= 86400.0 * 365;
         }},
        {"--triggered", false, Bit(Command::Record),
         [](CtlOptions& o, const QString&) { return o.triggered = true; }},
        {"--panel-id", true, Bit(Command::Record),
         [](CtlOptions& o, const QString& v) {
             o.panelId = v.left(100);
             return true;
         }},
    };
    return rules;
}

const OptionRule* FindRule(const QString& name) {
    for (const OptionRule& rule : Rules())
        if (rule.name == name) return &rule;
    return nullptr;
}

Command CommandNamed(const QString& name) {
    for (const CommandName& c : COMMANDS)
        if (name == c.name) return c.command;
    return Command::None;
}

QString NameOf(Command command) {
    for (const CommandName& c : COMMANDS)
        if (c.command == command) return c.name;
    return {};
}

// A positional argument: the command, then the file of send.
QString TakePositional(CtlOptions& o, const QString& arg) {
    if (o.command == Command::None) {
        o.command = CommandNamed(arg);
        return o.command == Command::None ? "unknown command '" + arg + "'" : QString();
    }
    if (o.command == Command::Send && o.file.isEmpty()) {
        o.file = arg;
        return {};
    }
    return "unexpected argument '" + arg + "'";
}

// What a complete command still lacks or has too much of.
QString CheckComplete(const CtlOptions& o, int linkOptions) {
    if (linkOptions > 1) return "give only one of --com, --device, --tcp";
    if (o.command == Command::None) return "no command given";
    if (o.command == Command::Send && o.file.isEmpty()) return "send needs the parameter FILE";
    if ((o.command == Command::Get || o.command == Command::Record ||
         o.command == Command::HwInfo) &&
        o.file.isEmpty())
        return NameOf(o.command) + " needs -o FILE";
    return {};
}

}  // namespace

namespace {

struct ParseState {
    int linkOptions = 0;
    bool timed = false;  // --count or --interval given
};

// The option at args[i] and its value (inline after "=" or the next argument); an
// error text when it does not belong here or its value is bad.
QString TakeOption(const QStringList& args, qsizetype& i, CtlOptions& o, ParseState& state) {
    QString name = args[i];
    QString value;
    const qsizetype equals = name.indexOf('=');
    const bool inlineValue = name.startsWith("--") && equals > 0;
    if (inlineValue) {
        value = name.mid(equals + 1);
        name = name.left(equals);
    }
    const OptionRule* rule = FindRule(name);
    // Link options may also stand before the command.
    const bool allowed =
        rule && (rule->commands == ALL_COMMANDS ||
                 (o.command != Command::None && (rule->commands & Bit(o.command))));
    if (!allowed)
        return "unknown option '" + name + "'" +
               (o.command == Command::None ? QString() : " for " + NameOf(o.command));
    if (rule->takesValue && !inlineValue) {
        if (i + 1 >= args.size()) return name + " needs a value";
        value = args[++i];
    }
    if (!rule->set(o, value)) return "bad value '" + value + "' for " + name;
    if (rule->selectsLink) ++state.linkOptions;
    state.timed |= name == "--count" || name == "--interval";
    return {};
}

}  // namespace

ParseResult ParseOptions(const QStringList& args) {
    ParseResult r;
    CtlOptions& o = r.options;
    ParseState state;
    for (qsizetype i = 0; i < args.size() && r.error.isEmpty(); ++i) {
        const QString& arg = args[i];
        if (arg == "--help" || arg == "-h")
            o.help = true;
        else if (!arg.startsWith('-') || arg == "-")
            r.error = TakePositional(o, arg);
        else
            r.error = TakeOption(args, i, o, state);
    }
    if (!r.error.isEmpty() || o.help) return r;
    if (o.command == Command::Record && o.triggered && state.timed)
        r.error = "record takes --triggered or --count/--interval, not both";
    else
        r.error = CheckComplete(o, state.linkOptions);
    return r;
}

QString HelpText(Command command) {
    const QString link =
        "Link options (the program's defaults: RS-232, COM1, 115200 Bd):\n"
        "  --com N            COM port N: COM<N> in the program's directory,\n"
        "                     else /dev/ttyS<N-1>\n"
        "  --device PATH      a serial device by its path\n"
        "  --tcp HOST[:PORT]  the sensor's TCP server (port 10001 by default)\n"
        "  --baud RATE        9600, 19200, 38400, 57600 or 115200 (serial links)\n";
    switch (command) {
        case Command::Identify:
            return "Usage: chromik-ctl identify [link options]\n"
                   "Prints the sensor's firmware text.\n\n" +
                   link;
        case Command::Get:
            return "Usage: chromik-ctl get [--set 0|1] [--from ram|eeprom] -o FILE [link options]\n"
                   "Reads parameter set 0 or 1 (default 0) from the sensor's RAM (default)\n"
                   "or EEPROM and writes it as the program's parameter file (its SEND and\n"
                   "GET with FILE write and read the same). A non-zero plausibility count\n"
                   "of the EEPROM load is reported and gives exit status 1; the file is\n"
                   "written all the same.\n\n" +
                   link;
        case Command::Send:
            return "Usage: chromik-ctl send [--set 0|1] [--to ram|eeprom] [--force] FILE [link options]\n"
                   "Reads a parameter file and sends it to parameter set 0 or 1 (default 0)\n"
                   "in the sensor's RAM (default) or EEPROM, as the program's SEND does, and\n"
                   "prints the sensor's plausibility counts; a failed EEPROM save gives exit\n"
                   "status 1. A file of another type or\n"
                   "program version is refused unless --force is given. The teach rows'\n"
                   "reserved words, which no file holds, are read from the sensor first and\n"
                   "go back unchanged.\n\n" +
                   link;
        case Command::Record:
            return "Usage: chromik-ctl record [--count N] [--interval SECONDS] -o FILE [link options]\n"
                   "       chromik-ctl record --triggered -o FILE [link options]\n"
                   "Writes the record file as the recording page does, header first\n"
                   "(--panel-id TEXT adds its PANEL ID line). With --count, N frames one\n"
                   "interval apart (start to start, at least 0.25 s, default 1 s); without\n"
                   "it, until Ctrl+C. With --triggered, one frame per trigger of the sensor\n"
                   "until Ctrl+C; triggered sending is switched off again at the end.\n\n" +
                   link;
        case Command::Watch:
            return "Usage: chromik-ctl watch [--count N] [link options]\n"
                   "Requests data frames back to back and prints one tab-separated line per\n"
                   "frame (the record file's columns, named in the first line) until Ctrl+C\n"
                   "or N frames.\n\n" +
                   link;
        case Command::HwInfo:
            return "Usage: chromik-ctl hwinfo [--set 0|1] -o FILE [link options]\n"
                   "Writes the hardware information file as the program's HW INFO FILE\n"
                   "does: firmware text, hardware words, calibration factors and offsets,\n"
                   "and the parameters of set 0 or 1 (default 0) from the sensor's RAM.\n\n" +
                   link;
        case Command::None:
            break;
    }
    return "Usage: chromik-ctl COMMAND [options] [link options]\n"
           "The colour sensor from the command line, without a display.\n\n"
           "Commands:\n"
           "  identify   print the firmware text\n"
           "  get        read a parameter set into a parameter file\n"
           "  send       send a parameter file to a parameter set\n"
           "  record     write a record file\n"
           "  watch      print data frames as tab-separated lines\n"
           "  hwinfo     write the hardware information file\n\n" +
           link +
           "\n'chromik-ctl COMMAND --help' describes a command.\n"
           "Exit status: 0 success, 1 link or sensor failure, 2 usage or file error.\n";
}
