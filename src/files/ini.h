#pragma once
// The settings files' INI syntax: CR LF lines, "[section]", "tag = value", strings in
// quotes with escapes, strings over 80 characters split into " Line0001".. items,
// sections in the order they were added and an empty line after each.
//
// Reading trusts nothing: any bytes give the items that can be read and no more.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class IniText {
  public:
    IniText() = default;  // a new, empty content

    void PutInt(const QString& section, const QString& tag, int value);
    void PutString(const QString& section, const QString& tag, const QString& value);

    QByteArray ToBytes() const;
    // Writes a temporary file beside path, flushes it to disk and renames it over
    // path; on failure the old file stays whole. Returns false on failure.
    bool WriteToFile(const QString& path) const;

    static IniText FromBytes(const QByteArray& bytes);
    // False when the file cannot be read (the content is then empty).
    bool ReadFromFile(const QString& path);

    // A decimal integer item; nothing when missing or not an integer.
    std::optional<long long> GetInt(const QString& section, const QString& tag) const;
    // A string item with its escapes decoded, at most maxChars characters; a split
    // " Line" run is joined back. Unquoted values are returned as they stand.
    std::optional<QString> GetString(const QString& section, const QString& tag,
                                     int maxChars = 1024) const;

    // Largest file the reader takes in; anything beyond is not a settings file.
    static constexpr qint64 MAX_FILE_BYTES = 16 * 1024 * 1024;
    static constexpr int LINE_CHARS = 80;

  private:
    struct Item {
        QString tag;
        QString value;  // as written after " = " (strings with their quotes)
    };
    struct Section {
        QString name;
        std::vector<Item> items;
    };
    Section& SectionFor(const QString& name);
    const Section* FindSection(const QString& name) const;
    const QString* FindValue(const QString& section, const QString& tag) const;
    std::optional<QString> RawString(const QString& section, const QString& tag) const;

    std::vector<Section> sections_;
};

// The header every settings file of the program starts with.
inline const QString GENERAL_INFO = "GENERAL INFO";
inline const QString FILE_TYPE_TAG = "FILE TYPE:";
inline const QString SCOPE_VERSION_TAG = "SCOPE VERSION:";
inline const QString SCOPE_VERSION = "CHROMIK3-DLS-Scope V4.2";
// A new content holding the header for a file of the given type.
IniText NewSettingsFile(const QString& fileType);

inline const QString VERSION_MISMATCH = "Selected file and scope version do not match! ";
inline const QString PROCEED_QUESTION = "\nDo you want to proceed anyway?";
inline const QString NOTHING_READ = "No parameter where read!";
// What a file's header does not match, in the order the operator is asked about it:
// typeProblem for a file of another type, then VERSION_MISMATCH. Empty when it matches.
QStringList HeaderProblems(const IniText& ini, const QString& fileType, const QString& typeProblem);

// Escapes for writing inside quotes, and their decoding.
QString EscapeIniString(const QString& text);
QString UnescapeIniString(const QString& text);
