#pragma once

#include <QHeaderView>

// The header of an event list. Its sort arrow stands above the caption instead of beside it, so a column is
// as wide as its caption and its cells need and no wider; a caption of several words wraps when its column is
// narrower than the caption on one line, and the header is as tall as the most lines a caption takes.
class ListHeader final : public QHeaderView {
    Q_OBJECT
public:
    explicit ListHeader(QWidget* parent = nullptr);

    // The narrowest a column can be for its caption: the caption wraps, so its longest word.
    int captionWidth(int logicalIndex) const;
    // The lines the caption takes in a column of that width.
    int captionLines(int logicalIndex, int width) const;
    // The header grows to show this many lines of caption.
    void setCaptionLines(int lines);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    QString caption(int logicalIndex) const;
    QFont captionFont() const;
    int textWidth(const QString& text) const;

    int m_captionLines = 1;
};
