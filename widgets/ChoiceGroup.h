#pragma once

#include <QMap>
#include <QObject>
#include <QPointer>

class ChoiceLabel;

// Keeps exactly one ChoiceLabel of a set chosen, like radio buttons without the buttons. A click (or Space /
// Enter, or an arrow key from the caption before or after it) on a caption chooses it; the page reacts to the
// signals.
//
//   addChoice(label, id)   add a caption under an id (ids need not be contiguous; menu entries use 1..8)
//   setChosen(id)          choose by program (-1: none); nothing happens when id is already chosen
//   chosen()               the chosen id, -1 when none
//   label(id)              the caption of an id
//   chosenChanged(id)      the choice changed, by the user or by program
//   clicked(id)            the user activated a caption, also the one already chosen
//   doubleClicked(id)      the user double-clicked a caption (it is chosen by the click before)
class ChoiceGroup : public QObject {
    Q_OBJECT
public:
    explicit ChoiceGroup(QObject* parent = nullptr);

    void addChoice(ChoiceLabel* label, int id);
    void setChosen(int id);
    int chosen() const { return m_chosen; }
    ChoiceLabel* label(int id) const;
    QList<int> ids() const { return m_labels.keys(); }

signals:
    void chosenChanged(int id);
    void clicked(int id);
    void doubleClicked(int id);

private:
    QMap<int, QPointer<ChoiceLabel>> m_labels;
    int m_chosen = -1;
};
