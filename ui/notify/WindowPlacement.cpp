#include "ui/notify/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace WindowPlacement {

void centreOnDesktop(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->setGeometry(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(), screen->availableGeometry()));
}

void centreOnWindow(QWidget* window, const QWidget* other) {
    window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(), other->frameGeometry()));
}

} // namespace WindowPlacement
