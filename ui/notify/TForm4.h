#pragma once

#include "ui/notify/NotifyServices.h"

#include <QByteArray>
#include <QWidget>

class AlarmSound;
class FancyButton;
class QLabel;
class ShadowLabel;

// The birthday greeting with the alarm sound. Several may be open at once; destroyed when closed.
class TForm4 final : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(NotifyServices services);
    ~TForm4() override;

    bool sound = true;
    QByteArray section;
    double scheduled = 0; // the moment the greeting was due, as a day count

    bool playing() const;
    int playCount() const;

    ShadowLabel* abel2 = nullptr;
    QLabel* BirthLabel = nullptr;
    FancyButton* Button1 = nullptr;        // "OK"
    FancyButton* DsFancyButton1 = nullptr; // "Stop Sound"
    AlarmSound* MediaPlayer1 = nullptr;

    void FormShow();
    void Button1Click();
    void DsFancyButton1Click();

protected:
    void showEvent(QShowEvent* event) override;
    // Escape answers the window as "OK" does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    NotifyServices m_services;
    QString m_soundFile;
    bool m_shown = false;
};
