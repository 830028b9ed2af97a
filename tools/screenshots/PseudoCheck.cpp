#include "PseudoCheck.h"

#include "store/StoredText.h"
#include "store/XMLIniFile.h"
#include "widgets/TextFit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>

#include <algorithm>

PseudoCheck::PseudoCheck() = default;

void PseudoCheck::addData(const TXMLIniFile& store) {
    for (const QByteArray& section : store.ReadSections())
        for (const QByteArray& key : store.ReadSection(section))
            addData(storedTextToDisplay(store.ReadString(section, key, {})));
}

void PseudoCheck::addData(const QString& text) {
    for (const QString& line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
            m_data.append(trimmed);
    }
}

QString PseudoCheck::untranslatedPart(QString text) const {
    static const QRegularExpression marked(QStringLiteral("\\[[^\\]]*~+\\]"));
    text.remove(marked);
    // Longest first, so a text that holds a shorter one is taken out whole.
    QStringList data = m_data;
    std::sort(data.begin(), data.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& piece : std::as_const(data))
        text.remove(piece);
    static const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
    QStringList left;
    for (auto it = word.globalMatch(text); it.hasNext();)
        left.append(it.next().captured());
    return left.join(u' ');
}

bool PseudoCheck::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched->isWidgetType())
        check(static_cast<QWidget*>(watched));
    return false;
}

void PseudoCheck::fault(const QWidget* widget, const QString& what, const QString& text) {
    const QString line = QStringLiteral("%1: %2 %3 \"%4\": %5")
                             .arg(m_shot, QLatin1String(widget->metaObject()->className()), widget->objectName(),
                                  QString(text).replace(u'\n', QLatin1String("\\n")), what);
    const QString key = QLatin1String(widget->metaObject()->className()) + widget->objectName() + text + what;
    if (m_reported.contains(key))
        return;
    m_reported.insert(key);
    m_faults.append(line);
}

void PseudoCheck::check(QWidget* widget) {
    if (!widget->isVisible())
        return;
    const auto translated = [this, widget](const QString& text) {
        const QString left = untranslatedPart(text);
        if (!left.isEmpty())
            fault(widget, QStringLiteral("not translated (%1)").arg(left), text);
    };
    const auto reportCut = [this, widget](const QString& text) {
        const QSize missing = TextFit::shortfall(widget);
        if (missing.width() > 0 || missing.height() > 0)
            fault(
                widget,
                QStringLiteral("cut off (%1 pixels too narrow, %2 too low)").arg(missing.width()).arg(missing.height()),
                text);
    };
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        const QString text = label->text();
        if (text.isEmpty() || label->textFormat() == Qt::RichText || Qt::mightBeRichText(text))
            return;
        translated(text);
        reportCut(text);
        return;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        const QString text = button->text();
        if (text.isEmpty())
            return;
        translated(text);
        reportCut(text);
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i)
            translated(combo->itemText(i));
        return;
    }
    if (auto* header = qobject_cast<QHeaderView*>(widget)) {
        const QAbstractItemModel* model = header->model();
        for (int i = 0; model && i < header->count(); ++i)
            translated(model->headerData(i, header->orientation()).toString());
    }
}

void PseudoCheck::checkMenus() {
    const QList<QMenu*> menus = [] {
        QList<QMenu*> found;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* menu = qobject_cast<QMenu*>(top))
                found.append(menu);
            found += top->findChildren<QMenu*>();
        }
        return found;
    }();
    for (QMenu* menu : menus)
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() || action->text().isEmpty())
                continue;
            const QString left = untranslatedPart(action->text());
            if (!left.isEmpty())
                fault(menu, QStringLiteral("menu entry not translated (%1)").arg(left), action->text());
        }
}
