#pragma once
// The program's only door to modal popups and the clock. The real one shows Qt
// dialogs; tests put in a scripted one that records what would have been shown.

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

class QWidget;
class QPrinter;

// What the file-selection dialog returned.
struct FileChoice {
    enum Kind { None, Existing, New } kind = None;
    QString path;
};

struct FileRequest {
    QString title;
    QString startPath;  // directory and proposed file name
    QString filter;     // for example "*.ini"
    bool forWriting = false;
};

class Platform {
  public:
    virtual ~Platform() = default;
    virtual FileChoice SelectFile(const FileRequest& request) = 0;
    virtual void Message(const QString& title, const QString& text) = 0;
    virtual bool Confirm(const QString& title, const QString& text) = 0;
    // A colour 0xRRGGBB; nothing when cancelled.
    virtual std::optional<uint32_t> SelectColour(const QString& title, uint32_t initial) = 0;
    // A one-line reply of at most maxChars characters; nothing when cancelled.
    virtual std::optional<QString> Prompt(const QString& title, const QString& text,
                                          int maxChars) = 0;
    // The print dialog: false when cancelled, otherwise the printer is set up.
    virtual bool ChoosePrinter(QPrinter& printer) = 0;
    // Free-running clock in seconds.
    virtual double Seconds() const;
    // The date and time of the PC.
    virtual QDateTime Now() const;
};

// The wait cursor for as long as it lives: connecting can take seconds.
class BusyCursor {
  public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

class QtPlatform : public Platform {
  public:
    explicit QtPlatform(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Message(const QString& title, const QString& text) override;
    bool Confirm(const QString& title, const QString& text) override;
    std::optional<QString> Prompt(const QString& title, const QString& text,
                                  int maxChars) override;
    std::optional<uint32_t> SelectColour(const QString& title, uint32_t initial) override;
    FileChoice SelectFile(const FileRequest& request) override;
    bool ChoosePrinter(QPrinter& printer) override;

  private:
    QWidget* parent_;
};
