#pragma once

#include "ui/notify/NoticeWindow.h"

class QLabel;
class ShadowLabel;

// The birthday greeting with the alarm sound. Several may be open at once; destroyed when closed.
class TForm4 final : public SoundingNoticeWindow {
    Q_OBJECT
public:
    explicit TForm4(NotifyServices services);
    ~TForm4() override;

    // The greeting as the firing gave it; the label shows a bounded part of it.
    QString greeting;

    ShadowLabel* abel2 = nullptr;
    QLabel* BirthLabel = nullptr;

    void FormShow() override;

protected:
    QByteArray storeSnooze(TXMLIniFile& settings, qint64 untilMs) const override;
};
