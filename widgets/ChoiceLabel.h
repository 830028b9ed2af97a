#pragma once

#include "widgets/ClickableLabel.h"

#include <QPointer>

class ChoiceGroup;

// One caption of a group of which one is chosen (the menu entries, "Zentick at:" / "Zentick after:", the power
// actions). The chosen caption is drawn in Theme::chosenColour(), the others in Theme::unchosenColour(); while the
// pointer is over a caption that is not chosen it is drawn in Theme::hoverColour() (switch off with
// setHoverLight(false)). The selection rule itself lives in ChoiceGroup; a lone ChoiceLabel only shows a state.
//
//   setChosen(bool) / isChosen()   the state; chosenChanged(bool) when it changes
//   isHighlighted()                chosen, or lit by the pointer: the moment to show an entry's highlighted icon;
//                                  highlightChanged(bool) when that changes
// Keyboard: Space / Enter choose the focused caption; in a group the arrow keys move to the previous (Up, Left) or
// next (Down, Right) caption of the group, round the end, and choose it as a click would.
class ChoiceLabel : public ClickableLabel {
    Q_OBJECT
    Q_PROPERTY(bool chosen READ isChosen WRITE setChosen NOTIFY chosenChanged)
public:
    explicit ChoiceLabel(QWidget* parent = nullptr);
    explicit ChoiceLabel(const QString& text, QWidget* parent = nullptr);

    bool isChosen() const { return m_chosen; }
    void setChosen(bool chosen);

    // One of several options (a radio button to a screen reader) or a switch of its own (a check box). Set by
    // ChoiceGroup; otherwise a caption that shares its layout with other choice captions is one of them.
    bool isInGroup() const;
    void setInGroup(bool inGroup) { m_inGroup = inGroup ? 1 : 0; }
    // The ChoiceGroup that holds it, if any: its captions, in its order, are the ones the arrow keys go through.
    void setGroup(const ChoiceGroup* group);
    // The enabled, shown captions of its group in their order, itself included; just itself when alone.
    QList<ChoiceLabel*> groupCaptions() const;

    bool hoverLight() const { return m_hoverLight; }
    void setHoverLight(bool on);

    bool isHighlighted() const;
    QColor captionColour() const override;

signals:
    void chosenChanged(bool chosen);
    void highlightChanged(bool highlighted);

protected:
    void hoverChange(bool hovered) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateHighlight(bool wasHighlighted);

    bool m_chosen = false;
    bool m_hoverLight = true;
    int m_inGroup = -1; // -1: not said, found from the layout
    QPointer<const ChoiceGroup> m_group;
};
