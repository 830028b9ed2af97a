#include "widgets/AccessibleLabels.h"

#include "widgets/ChoiceLabel.h"
#include "widgets/ClickableLabel.h"
#include "widgets/IconLabel.h"
#include "widgets/LabelToggle.h"
#include "widgets/LinkLabel.h"

#include <QAbstractButton>

#include <QAccessibleWidget>

namespace {

class AccessibleClickableLabel final : public QAccessibleWidget {
public:
    explicit AccessibleClickableLabel(ClickableLabel* label)
        : QAccessibleWidget(label, QAccessible::Button) {}

    ClickableLabel* label() const { return static_cast<ClickableLabel*>(widget()); }

    QAccessible::Role role() const override {
        if (const auto* choice = qobject_cast<const ChoiceLabel*>(label()))
            return choice->isInGroup() ? QAccessible::RadioButton : QAccessible::CheckBox;
        // The text beside a tick box, the picture beside a menu caption: part of that control, not one more.
        if (label()->buddy())
            return QAccessible::StaticText;
        if (!label()->isClickable())
            return qobject_cast<const IconLabel*>(label()) ? QAccessible::Graphic : QAccessible::StaticText;
        if (qobject_cast<const LinkLabel*>(label()))
            return QAccessible::Link;
        return QAccessible::Button;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (const auto* choice = qobject_cast<const ChoiceLabel*>(label())) {
            state.checkable = true;
            state.checked = choice->isChosen();
        }
        return state;
    }

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name:
            return name();
        case QAccessible::Description: {
            QString description = label()->accessibleDescription();
            if (description.isEmpty() && label()->toolTip() != name())
                description = label()->toolTip();
            return description;
        }
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override {
        auto relations = QAccessibleWidget::relations(match);
        if (QWidget* buddy = label()->buddy(); buddy && (match & QAccessible::Labelled)) {
            if (QAccessibleInterface* named = QAccessible::queryAccessibleInterface(buddy))
                relations.append({named, QAccessible::Labelled});
        }
        return relations;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (label()->isEnabled() && label()->isClickable())
            names << (qobject_cast<const ChoiceLabel*>(label()) ? toggleAction() : pressAction());
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == pressAction() || action == toggleAction())
            label()->click();
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        if (action != pressAction() && action != toggleAction())
            return QAccessibleWidget::keyBindingsForAction(action);
        // The Alt key of the caption first: it works from anywhere in the window, Space only once focused.
        QStringList keys;
        if (label()->marksKey()) {
            if (const QKeySequence key = QKeySequence::mnemonic(label()->text()); !key.isEmpty())
                keys << key.toString();
        }
        if (label()->focusPolicy() & Qt::TabFocus)
            keys << QStringLiteral("Space");
        return keys;
    }

private:
    QString name() const {
        if (!label()->accessibleName().isEmpty())
            return label()->accessibleName();
        if (!label()->text().isEmpty())
            return label()->shownText();
        return label()->toolTip();
    }
};

QAccessibleInterface* clickableLabelFactory(const QString& /*className*/, QObject* object) {
    if (auto* label = qobject_cast<ClickableLabel*>(object))
        return new AccessibleClickableLabel(label); // owned by Qt's accessibility cache
    return nullptr;
}

} // namespace

void AccessibleLabels::install() {
    static const bool installed = [] {
        QAccessible::installFactory(&clickableLabelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
