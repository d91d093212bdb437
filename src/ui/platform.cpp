#include "ui/platform.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <chrono>

double Platform::Seconds() const {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

QDateTime Platform::Now() const { return QDateTime::currentDateTime(); }

void QtPlatform::Message(const QString& title, const QString& text) {
    QMessageBox::information(parent_, title, text);
}

bool QtPlatform::Confirm(const QString& title, const QString& text) {
    return QMessageBox::question(parent_, title, text) == QMessageBox::Yes;
}

std::optional<QString> QtPlatform::Prompt(const QString& title, const QString& text,
                                          int maxChars) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(title);
    dialog.setLabelText(text);
    dialog.setInputMode(QInputDialog::TextInput);
    if (auto* field = dialog.findChild<QLineEdit*>()) field->setMaxLength(maxChars);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

std::optional<uint32_t> QtPlatform::SelectColour(const QString& title, uint32_t initial) {
    const QColor colour = QColorDialog::getColor(QColor::fromRgb(initial), parent_, title);
    if (!colour.isValid()) return std::nullopt;
    return colour.rgb() & 0xFFFFFF;
}

FileChoice QtPlatform::SelectFile(const FileRequest& request) {
    const QString filter = request.filter + ";;*";
    const QString path =
        request.forWriting
            ? QFileDialog::getSaveFileName(parent_, request.title, request.startPath, filter,
                                           nullptr, QFileDialog::DontConfirmOverwrite)
            : QFileDialog::getOpenFileName(parent_, request.title, request.startPath, filter);
    if (path.isEmpty()) return {};
    return {QFileInfo::exists(path) ? FileChoice::Existing : FileChoice::New, path};
}

bool QtPlatform::ChoosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}
