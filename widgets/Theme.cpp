#include "widgets/Theme.h"

#include "widgets/FirstPaint.h"
#include "widgets/Icons.h"

#include <QApplication>
#include <QFile>
#include <QStyleFactory>

namespace {
const QColor window(30, 37, 48);
const QColor base(20, 26, 34);
const QColor alternateBase(36, 44, 56);
const QColor button(44, 54, 68);
const QColor text(224, 224, 224);
const QColor dimText(108, 118, 134);
const QColor accent(58, 123, 213);
} // namespace

namespace Theme {

QColor chosenColour() {
    return QColor(230, 224, 0);
}

QColor unchosenColour() {
    return QColor(224, 224, 224);
}

QColor hoverColour() {
    return QColor(255, 255, 255);
}

QColor filterOffColour() {
    return QColor(192, 220, 192);
}

QColor filterOnColour() {
    return QColor(255, 255, 0);
}

QColor accentColour() {
    return accent;
}

QPalette palette() {
    QPalette p;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool off = group == QPalette::Disabled;
        p.setColor(group, QPalette::Window, window);
        p.setColor(group, QPalette::WindowText, off ? dimText : text);
        p.setColor(group, QPalette::Base, off ? window : base);
        p.setColor(group, QPalette::AlternateBase, alternateBase);
        p.setColor(group, QPalette::Text, off ? dimText : text);
        p.setColor(group, QPalette::PlaceholderText, QColor(138, 148, 163));
        p.setColor(group, QPalette::Button, button);
        p.setColor(group, QPalette::ButtonText, off ? dimText : QColor(236, 238, 242));
        p.setColor(group, QPalette::BrightText, QColor(255, 255, 255));
        p.setColor(group, QPalette::Light, QColor(70, 84, 104));
        p.setColor(group, QPalette::Midlight, QColor(56, 68, 84));
        p.setColor(group, QPalette::Mid, QColor(38, 46, 58));
        p.setColor(group, QPalette::Dark, QColor(16, 20, 27));
        p.setColor(group, QPalette::Shadow, QColor(8, 10, 14));
        p.setColor(group, QPalette::Highlight, off ? QColor(52, 64, 82) : accent);
        p.setColor(group, QPalette::HighlightedText, off ? dimText : QColor(255, 255, 255));
        p.setColor(group, QPalette::Link, QColor(127, 195, 255));
        p.setColor(group, QPalette::LinkVisited, QColor(180, 156, 255));
        p.setColor(group, QPalette::ToolTipBase, QColor(44, 54, 68));
        p.setColor(group, QPalette::ToolTipText, QColor(240, 240, 240));
    }
    return p;
}

bool apply(QApplication& app, WindowIcon icon) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QApplication::setPalette(palette());
    if (icon == WindowIcon::Now)
        QApplication::setWindowIcon(Icons::icon(Icons::application()));

    QFile sheet(QStringLiteral(":/zentick.qss"));
    if (!sheet.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    app.setStyleSheet(QString::fromUtf8(sheet.readAll()));
    return true;
}

namespace {
void setApplicationIcon() {
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(Icons::icon(Icons::application()));
}
} // namespace

void applyWindowIconAfterFirstPaint(QWidget* firstWindow) {
    FirstPaint::runAfter(firstWindow, &setApplicationIcon);
}

} // namespace Theme
