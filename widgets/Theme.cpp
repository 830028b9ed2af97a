#include "widgets/Theme.h"

#include "widgets/FirstPaint.h"
#include "widgets/Icons.h"

#include <QApplication>
#include <QChildEvent>
#include <QFile>
#include <QHash>
#include <QPointer>
#include <QStyleFactory>
#include <QWidget>

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

namespace {

QString readStyleSheet() {
    QFile sheet(QStringLiteral(":/zentick.qss"));
    if (!sheet.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(sheet.readAll());
}

// The stylesheet left for later, and what brings it sooner. Watching every event of the application costs a
// comparison each until the stylesheet is applied; then the watch goes.
class HeldStyleSheet final : public QObject {
public:
    HeldStyleSheet(QApplication& app, QString sheet)
        : QObject(&app)
        , m_app(app)
        , m_sheet(std::move(sheet)) {
        app.installEventFilter(this);
    }

    // Whatever the start has built by now is its own: the first window and the windows made with it (its menus).
    void hold(QWidget* window) {
        m_window = window;
        for (QWidget* widget : QApplication::allWidgets())
            m_held.insert(widget, widget);
    }

    void apply() {
        if (m_applied)
            return;
        m_applied = true;
        m_app.removeEventFilter(this);
        m_app.setStyleSheet(m_sheet);
        deleteLater();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType()) // a QWindow is sent its Show too
            return false;
        switch (event->type()) {
        case QEvent::Polish:
            // Sent before the style polishes the widget: applied now, the stylesheet polishes it. Before the start
            // is held, its window is being built, and a window of its own (a menu) may be polished without being
            // shown; a window with no parent is not its own (a message box before it).
            if (m_window
                    ? !isHeld(watched)
                    : static_cast<QWidget*>(watched)->isWindow() && !static_cast<QWidget*>(watched)->parentWidget())
                apply();
            break;
        case QEvent::Show:
            // Any other window before it is put on the screen: polished again now, a menu takes its new size.
            if (watched != m_window && static_cast<QWidget*>(watched)->isWindow())
                apply();
            break;
        case QEvent::ChildAdded:
            // A widget being made: the held window's own were all made before it was held. A widget's
            // constructor may already ask the style for lengths, which the stylesheet changes.
            if (m_window && static_cast<QChildEvent*>(event)->child()->isWidgetType())
                apply();
            break;
        default:
            break;
        }
        return false;
    }

private:
    // A held widget's address taken by a new one after it went is not held: its pointer has gone null.
    bool isHeld(QObject* object) const {
        const auto found = m_held.constFind(object);
        return found != m_held.cend() && !found->isNull();
    }

    QApplication& m_app;
    const QString m_sheet;
    QPointer<QWidget> m_window;
    QHash<QObject*, QPointer<QWidget>> m_held;
    bool m_applied = false;
};

QPointer<HeldStyleSheet> heldStyleSheet;

} // namespace

bool apply(QApplication& app, WindowIcon icon, StyleSheet sheet) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QApplication::setPalette(palette());
    if (icon == WindowIcon::Now)
        QApplication::setWindowIcon(Icons::icon(Icons::application()));

    const QString text = readStyleSheet();
    if (text.isEmpty())
        return false;
    delete heldStyleSheet; // applied again (tests)
    if (sheet == StyleSheet::Later) {
        app.setStyleSheet(QString());
        heldStyleSheet = new HeldStyleSheet(app, text); // owned by the application
    } else {
        app.setStyleSheet(text);
    }
    return true;
}

void holdStyleSheetFor(QWidget* window) {
    if (heldStyleSheet)
        heldStyleSheet->hold(window);
}

void applyStyleSheetAfterFirstPaint(QWidget* window) {
    FirstPaint::runAfter(window, [] {
        if (heldStyleSheet)
            heldStyleSheet->apply();
    });
}

bool hasStyleSheet() {
    return !qApp->styleSheet().isEmpty();
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
