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

    ShadowLabel* abel2 = nullptr;
    QLabel* BirthLabel = nullptr;

    void FormShow() override;
};
