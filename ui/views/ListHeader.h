#pragma once

#include <QHeaderView>

// The header of an event list: the sort arrow stands above the caption instead of beside it, so a column is as
// wide as its caption and its cells need and no wider. The list sizes the columns, makes long captions wrap
// (their alignment carries Qt::TextWordWrap) and the header tall enough for them (the captions' size hints).
class ListHeader final : public QHeaderView {
    Q_OBJECT
public:
    explicit ListHeader(QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
