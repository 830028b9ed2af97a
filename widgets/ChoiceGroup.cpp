#include "widgets/ChoiceGroup.h"

#include "widgets/ChoiceLabel.h"

ChoiceGroup::ChoiceGroup(QObject* parent)
    : QObject(parent) {}

void ChoiceGroup::addChoice(ChoiceLabel* label, int id) {
    Q_ASSERT(label);
    m_labels.insert(id, label);
    label->setGroup(this);
    label->setChosen(id == m_chosen);
    connect(label, &ChoiceLabel::clicked, this, [this, id] {
        setChosen(id);
        emit clicked(id);
    });
    connect(label, &ChoiceLabel::doubleClicked, this, [this, id] {
        setChosen(id);
        emit doubleClicked(id);
    });
}

void ChoiceGroup::setChosen(int id) {
    if (id == m_chosen)
        return;
    m_chosen = id;
    for (auto it = m_labels.cbegin(); it != m_labels.cend(); ++it) {
        if (it.value())
            it.value()->setChosen(it.key() == id);
    }
    emit chosenChanged(id);
}

ChoiceLabel* ChoiceGroup::label(int id) const {
    return m_labels.value(id).data();
}
