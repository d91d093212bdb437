#include "files/ini.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

bool SameName(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// The text between the quotes of a quoted value (escapes kept); an unquoted value as
// it stands; a missing closing quote takes the rest of the line.
QString Unquote(const QString& value) {
    if (!value.startsWith('"')) return value;
    for (qsizetype i = 1; i < value.size(); ++i) {
        if (value[i] == '\\') {
            ++i;
        } else if (value[i] == '"') {
            return value.mid(1, i - 1);
        }
    }
    return value.mid(1);
}

bool IsDecimalInteger(const QString& text) {
    const qsizetype digits = text.size() - (text.startsWith('-') ? 1 : 0);
    if (digits < 1 || digits > 18) return false;
    for (qsizetype i = text.size() - digits; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

QString LineTag(const QString& tag, int n) {
    return QString("%1 Line%2").arg(tag.trimmed()).arg(n, 4, 10, QChar('0'));
}

QString Decode(const QByteArray& bytes) {
    // Files are written in UTF-8; older files in a single-byte code page still read.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    return QString::fromLatin1(bytes);
}

int HexDigit(QChar c) {
    if (c >= '0' && c <= '9') return c.unicode() - '0';
    if (c >= 'a' && c <= 'f') return c.unicode() - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c.unicode() - 'A' + 10;
    return -1;
}

}  // namespace

QString EscapeIniString(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                    out += QString("\\x%1").arg(c.unicode(), 2, 16, QChar('0'));
                else
                    out += c;
        }
    }
    return out;
}

QString UnescapeIniString(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;  // a dangling backslash stays as it is
            continue;
        }
        const QChar e = text[++i];
        switch (e.unicode()) {
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 'x': {
                // Exactly two hexadecimal digits, or the sequence stays as it is.
                const int high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
                const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
                if (low >= 0) {
                    out += QChar(high * 16 + low);
                    i += 2;
                } else {
                    out += "\\x";
                }
                break;
            }
            default:
                out += e;  // \" and \\ and anything unknown: the character itself
        }
    }
    return out;
}

IniText NewSettingsFile(const QString& fileType) {
    IniText ini;
    ini.PutString(GENERAL_INFO, FILE_TYPE_TAG, fileType);
    ini.PutString(GENERAL_INFO, SCOPE_VERSION_TAG, SCOPE_VERSION);
    return ini;
}

QStringList HeaderProblems(const IniText& ini, const QString& fileType, const QString& typeProblem) {
    QStringList problems;
    if (ini.GetString(GENERAL_INFO, FILE_TYPE_TAG).value_or(QString()) != fileType)
        problems << typeProblem;
    if (ini.GetString(GENERAL_INFO, SCOPE_VERSION_TAG).value_or(QString()) != SCOPE_VERSION)
        problems << VERSION_MISMATCH;
    return problems;
}

IniText::Section& IniText::SectionFor(const QString& name) {
    for (Section& s : sections_)
        if (SameName(s.name, name)) return s;
    sections_.push_back({name.trimmed(), {}});
    return sections_.back();
}

const IniText::Section* IniText::FindSection(const QString& name) const {
    for (const Section& s : sections_)
        if (SameName(s.name, name)) return &s;
    return nullptr;
}

const QString* IniText::FindValue(const QString& section, const QString& tag) const {
    const Section* s = FindSection(section);
    if (!s) return nullptr;
    for (const Item& item : s->items)
        if (SameName(item.tag, tag)) return &item.value;
    return nullptr;
}

void IniText::PutInt(const QString& section, const QString& tag, int value) {
    SectionFor(section).items.push_back({tag.trimmed(), QString::number(value)});
}

void IniText::PutString(const QString& section, const QString& tag, const QString& value) {
    const QString escaped = EscapeIniString(value);
    Section& s = SectionFor(section);
    if (escaped.size() <= LINE_CHARS) {
        s.items.push_back({tag.trimmed(), '"' + escaped + '"'});
        return;
    }
    // Pieces of up to 80 characters; an escape sequence is never cut in two, or the
    // piece would end in a backslash that escapes its own closing quote.
    QString piece;
    int n = 0;
    auto flushPiece = [&] {
        s.items.push_back({LineTag(tag, ++n), '"' + piece + '"'});
        piece.clear();
    };
    for (qsizetype i = 0; i < escaped.size();) {
        const qsizetype length = escaped[i] != '\\' || i + 1 >= escaped.size() ? 1
                                 : escaped[i + 1] == 'x'                       ? 4
                                                                               : 2;
        if (piece.size() + length > LINE_CHARS) flushPiece();
        piece += escaped.mid(i, length);
        i += length;
    }
    flushPiece();
}

QByteArray IniText::ToBytes() const {
    QString text;
    for (const Section& s : sections_) {
        text += '[' + s.name + "]\r\n";
        for (const Item& item : s.items) text += item.tag + " = " + item.value + "\r\n";
        text += "\r\n";
    }
    return text.toUtf8();
}

bool IniText::WriteToFile(const QString& path) const {
    QSaveFile file(path);  // temporary file beside the target, synced and renamed on commit
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = ToBytes();
    // A short write (disk full, size limit) must not replace the old file.
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

IniText IniText::FromBytes(const QByteArray& bytes) {
    IniText ini;
    Section* current = nullptr;
    const QString text = Decode(bytes);
    for (QStringView line : QStringView(text).split('\n')) {
        const QString trimmed = line.trimmed().toString();
        if (trimmed.isEmpty() || trimmed.startsWith(';')) continue;
        if (trimmed.startsWith('[')) {
            const qsizetype close = trimmed.indexOf(']');
            if (close > 0) {
                ini.sections_.push_back({trimmed.mid(1, close - 1).trimmed(), {}});
                current = &ini.sections_.back();
            }
            continue;
        }
        const qsizetype equals = trimmed.indexOf('=');
        if (!current || equals <= 0) continue;
        const QString value = trimmed.mid(equals + 1).trimmed();
        if (value.isEmpty()) continue;
        current->items.push_back({trimmed.left(equals).trimmed(), value});
    }
    return ini;
}

bool IniText::ReadFromFile(const QString& path) {
    sections_.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MAX_FILE_BYTES) return false;
    *this = FromBytes(file.read(MAX_FILE_BYTES));
    return true;
}

std::optional<long long> IniText::GetInt(const QString& section, const QString& tag) const {
    const QString* value = FindValue(section, tag);
    if (!value) return std::nullopt;
    if (!IsDecimalInteger(*value)) return std::nullopt;
    return value->toLongLong();
}

std::optional<QString> IniText::RawString(const QString& section, const QString& tag) const {
    if (const QString* value = FindValue(section, tag)) return Unquote(*value);
    // A long string split into a " Line" run: join the pieces 0001, 0002, ... up to
    // the first one missing.
    const Section* s = FindSection(section);
    if (!s) return std::nullopt;
    const QString prefix = tag.trimmed() + " Line";
    std::vector<const QString*> pieces;
    for (const Item& item : s->items) {
        const QString t = item.tag.trimmed();
        if (t.size() != prefix.size() + 4 || !t.startsWith(prefix, Qt::CaseInsensitive)) continue;
        const QString digits = t.right(4);
        if (!IsDecimalInteger(digits)) continue;
        const size_t n = digits.toUInt();
        if (n == 0) continue;
        if (pieces.size() < n) pieces.resize(n, nullptr);
        if (!pieces[n - 1]) pieces[n - 1] = &item.value;
    }
    if (pieces.empty() || !pieces[0]) return std::nullopt;
    QString joined;
    for (const QString* piece : pieces) {
        if (!piece) break;
        joined += Unquote(*piece);
    }
    return joined;
}

std::optional<QString> IniText::GetString(const QString& section, const QString& tag,
                                          int maxChars) const {
    const std::optional<QString> raw = RawString(section, tag);
    if (!raw) return std::nullopt;
    return UnescapeIniString(*raw).left(maxChars);
}
