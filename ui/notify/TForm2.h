#pragma once

#include "ui/notify/NoticeWindow.h"

#include <QStringList>
#include <QTimer>

class ClickableLabel;
class QLabel;
class ShadowLabel;

// The window an alarm shows when it fires: when it was due, its description seven lines at a time,
// its sound, and for a repeating alarm the way to end the repetition. It stays on top with its own
// taskbar entry, so it is seen while the main window sits in the tray. Destroyed when closed.
class TForm2 final : public SoundingNoticeWindow {
    Q_OBJECT
public:
    explicit TForm2(NotifyServices services);
    ~TForm2() override;

    // Filled by the firing before the window is shown.
    QStringList lines;

    int pageStart = 0;

    ShadowLabel* BackMain = nullptr;
    QLabel* ProgLabel = nullptr;
    ClickableLabel* Label = nullptr;
    FancyButton* Button2 = nullptr;    // "Disable Repetition"
    FancyButton* SkipButton = nullptr; // "Skip Next", beside it for a repeating alarm
    QTimer Timer;

    void FormShow() override;
    void TimerTimer();
    void LabelClick();
    void Button2Click();
    // The next occurrence of the repeating alarm is passed over; the alarm stays on.
    void SkipButtonClick();

protected:
    void prepareContent() override;
    void closeEvent(QCloseEvent* event) override;
    QByteArray storeSnooze(TXMLIniFile& settings, qint64 untilMs) const override;

private:
    bool repeating() const;
    // False when the record this window was opened for is gone or its number now belongs to another one.
    bool standsForRecord() const;

    // The description as the firing gave it, before the window cut it down to what it shows.
    QStringList m_allLines;
};
