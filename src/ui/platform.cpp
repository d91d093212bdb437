#include "ui/platform.h"

#include <QMessageBox>
#include <chrono>

double Platform::Seconds() const {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void QtPlatform::Message(const QString& title, const QString& text) {
    QMessageBox::information(parent_, title, text);
}

bool QtPlatform::Confirm(const QString& title, const QString& text) {
    return QMessageBox::question(parent_, title, text) == QMessageBox::Yes;
}
