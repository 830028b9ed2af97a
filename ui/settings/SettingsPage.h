#pragma once

#include <QWidget>

class Autostart;
class ChoiceLabel;
class ClickableLabel;
class FancyButton;
class ShadowLabel;
struct PageContext;
class QGridLayout;
class QLabel;
class QLineEdit;

// "Settings": the tray icon, the alarm sound and the data folder. The page re-reads the settings every time it
// is shown; which sound choice is selected is held by the two captions alone. "Apply" moves the four data files
// into the new folder and reopens the stores there, so every page and the scheduler go on with them at once.
class SettingsPage final : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* myaSuperLabel64 = nullptr; // "Settings"
    FancyButton* DsFancyButton47 = nullptr; // "<<Back"
    ClickableLabel* myLabel3d13 = nullptr;  // "Enable Tray" / "Disable Tray": names the next switch
    // "Start Zentick when I log in": chosen while the desktop's autostart entry is there. Hidden when the main
    // window was given no autostart folder.
    ChoiceLabel* autostartLabel = nullptr;
    QLabel* myaSuperLabel65 = nullptr;      // "Alarm Sound:"
    ChoiceLabel* myLabel3d22 = nullptr;     // "Use Default."
    ChoiceLabel* myLabel3d23 = nullptr;     // "Custom:"
    QLineEdit* Edit11 = nullptr;            // the chosen sound file
    FancyButton* DsFancyButton49 = nullptr; // "..." sound file
    QLabel* myaSuperLabel66 = nullptr;      // "Change Alarms' Directory:"
    QLineEdit* Edit12 = nullptr;            // the data folder
    FancyButton* DsFancyButton50 = nullptr; // "..." folder
    FancyButton* DsFancyButton48 = nullptr; // "Apply"
    // Below the data folder, where the page had room: the desktop notices beside the alarm windows ("desktopnotices",
    // on unless stored "0"), and the page of calendar files and the sync.
    ChoiceLabel* noticesLabel = nullptr;
    FancyButton* calendarsButton = nullptr;
    // The row of switches under the title; the tray label stands first in it.
    QGridLayout* toggleRow = nullptr;

    void SetTabShow();
    void myLabel3d13Click();
    void autostartLabelClick();
    void noticesLabelClick();
    void myLabel3d22Click();
    void myLabel3d23Click();
    void DsFancyButton49Click();
    void DsFancyButton50Click();
    void DsFancyButton48Click();
    void DsFancyButton47Click();

    // The tray label as it stands while the icon is shown or hidden.
    void showTrayState(bool shown);

    // The file-open dialog's filter: all five kinds, then each kind alone.
    static QString soundFilter();
    // What the folder field shows for a chosen folder: the folder "Alarms Directory" in it, unless it is that
    // folder already.
    static QString dataFolderFor(const QString& chosen);

private:
    Autostart autostart() const;
    void showAutostartState();
    QString storedDataFolder(const QString& fallback) const;
    QString defaultDataFolder() const;
    void applySound();
    void moveDataFolder(const QString& newFolder, bool created);

    PageContext& m_context;
    QString m_initialSoundFile;
    bool m_trayFollowed = false;
};
