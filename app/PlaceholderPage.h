#pragma once

#include <QWidget>

class FancyButton;
class IconLabel;
class ShadowLabel;
class QLabel;

// Stands at the index of a page that is not built yet, so that the navigation reaches every index and the way
// back works. Its title is the one the finished page will carry.
class PlaceholderPage final : public QWidget {
    Q_OBJECT
public:
    explicit PlaceholderPage(const QString& title, QWidget* parent = nullptr);

    ShadowLabel* Title = nullptr;
    IconLabel* Picture = nullptr;
    QLabel* Note = nullptr;
    FancyButton* BackButton = nullptr; // "<<Back", also Escape

signals:
    void backClicked();
};
