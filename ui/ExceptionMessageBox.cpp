#include "ui/ExceptionMessageBox.h"

#include "store/Exception.h"

#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <exception>

namespace {

std::function<void(const QString&)>& observer() {
    static std::function<void(const QString&)> current;
    return current;
}

bool autoDismiss() {
    return qEnvironmentVariable("ZENTICK_AUTO_DISMISS") == QLatin1String("1");
}

} // namespace

namespace ExceptionMessageBox {

QString currentMessage() {
    try {
        throw;
    } catch (const Exception& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return {};
    }
}

void show(const QString& message) {
    if (observer()) {
        observer()(message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Zentick"), message, QMessageBox::Ok);
    if (autoDismiss()) {
        std::fprintf(stderr, "Zentick: %s\n", message.toLocal8Bit().constData());
        std::fflush(stderr);
        QTimer::singleShot(0, &box, &QMessageBox::accept);
    }
    box.exec();
}

void setObserver(std::function<void(const QString&)> newObserver) {
    observer() = std::move(newObserver);
}

} // namespace ExceptionMessageBox
