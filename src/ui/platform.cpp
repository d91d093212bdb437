#include "ui/platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <chrono>

double Platform::Seconds() const {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

void QtPlatform::Message(const QString& title, const QString& text) {
    QMessageBox::information(parent_, title, text);
}

bool QtPlatform::Confirm(const QString& title, const QString& text) {
    return QMessageBox::question(parent_, title, text) == QMessageBox::Yes;
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
