#pragma once

#include "ui/tools/UpdateCheck.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class ClickableLabel;
class IconLabel;
class UpdateFetch;

class QProgressBar;
class ShadowLabel;

// "Update Checking": asks the product's site whether a newer version exists and shows the answer, with a link to
// the product page when there is one. Created once and reused; closing only hides it. The request runs in the
// background, so the program stays responsive; one check at a time.
class TForm8 final : public QWidget {
    Q_OBJECT
public:
    // Where to ask and how long to wait, read afresh for every check. Placed over the centre of parent.
    explicit TForm8(std::function<UpdateCheck::Config()> config, QWidget* parent = nullptr);
    ~TForm8() override;

    ShadowLabel* myaSuperLabel48 = nullptr; // "Zentick"
    IconLabel* Image1 = nullptr;
    ClickableLabel* Label1 = nullptr; // the status line; a link while an update is available
    QProgressBar* ProgressBar1 = nullptr;
    QTimer Timer1; // moves the progress bar while the request runs
    QElapsedTimer startTick;

    // The update icon of the main menu: starts a check, or only brings the window up while one runs.
    void Image11Click();
    void Timer1Timer();
    void Label1Click();

    bool isChecking() const { return m_checking; }
    bool statusIsLink() const { return m_link; }

signals:
    // A check has ended, whatever its outcome.
    void checkFinished();

private:
    void showOverParent();
    void setStatus(const QString& text, const QColor& colour, bool link);
    void fetched(bool ok, const QByteArray& body);
    void timedOut();
    void finish(const UpdateCheck::Answer& answer);

    std::function<UpdateCheck::Config()> m_config;
    // From the network plugin, at the first check.
    std::unique_ptr<UpdateFetch> m_fetch;
    bool m_checking = false;
    QTimer m_deadline;
    bool m_link = false;
    QUrl m_site;
};
