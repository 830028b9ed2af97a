#pragma once

#include <QHeaderView>

// A list's column header that the keyboard can reach. While its sections answer clicks (the lists that sort by
// column), Shift+Tab from the list's rows moves to it, as if it stood just before them in the Tab order; Left and
// Right (Home, End) choose a column, Space or Enter acts as a click on it, so the list sorts by that column or
// turns its order round; Tab goes back to the rows, Shift+Tab on to what comes before the list. The chosen column
// carries a focus frame. Mouse clicks leave the focus where it was.
//
// It is no stop of its own in the window's Tab chain: a page reorders its controls after building its list, and
// the header has to stay beside its rows whatever that order is.
class SortHeader final : public QHeaderView {
    Q_OBJECT
public:
    // parent: the list (a QAbstractItemView), which then hands Shift+Tab to the header.
    explicit SortHeader(Qt::Orientation orientation, QWidget* parent = nullptr);

    // The column Space would sort by (logical index), -1 before there are columns.
    int chosenSection() const;

    // The sort arrow stands in the section's top padding, centred above the caption, instead of beside it: a
    // column is then as wide as its caption and cells need, and no wider. The list makes room for the arrow
    // (the header's top padding) and lets long captions wrap.
    void setSortArrowAbove(bool above);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool reachable() const;
    void choose(int visual);
    void reveal(int logical);
    void focusBeforeList();

    void paintArrowAbove(QPainter* painter, const QRect& rect, int logicalIndex) const;

    int m_chosenVisual = 0;
    bool m_arrowAbove = false;
};
