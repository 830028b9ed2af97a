#pragma once

#include "app/AppOnly.h"

#include <QWidget>

#include <array>

class ChoiceLabel;
class FancyButton;
class IconLabel;
class ShadowLabel;
class TForm1;
class QAction;
class QButtonGroup;
class QMenu;
class QRadioButton;

// The main menu: eight entries in two columns, "Next>>" opening the chosen one, the About and update icons. Which entry
// is chosen is the main window's menuChoice, since the tray menu and start-up choose entries too. While the menu is the
// page control's keyboard menu (from the moment the page is shown until "Next>>"), the arrow keys move the choice and
// Enter runs "Next>>".
class MainMenuPage final : public QWidget {
    Q_OBJECT
public:
    explicit MainMenuPage(TForm1& form, QWidget* parent = nullptr);

    // The page each entry's "Next>>" opens, by menuChoice; entry 4 depends on the settings and is resolved there.
    static int pageOfEntry(int choice);
    // Where an arrow key leads from entry `from` (1 to 8); 0 stays 0.
    enum class Move { Up, Down, Left, Right };
    static int entryAfter(int from, Move move);

    ShadowLabel* myaSuperLabel48 = nullptr; // "Zentick" behind the menu

    // Entries 1 to 8 as menuChoice numbers them.
    ChoiceLabel* myLabel3d1 = nullptr;  // "New Alarm"
    ChoiceLabel* myLabel3d2 = nullptr;  // "Schedule Shut Down"
    ChoiceLabel* myLabel3d3 = nullptr;  // "Add Birthday"
    ChoiceLabel* myLabel3d4 = nullptr;  // "View/Edit Events"
    ChoiceLabel* myLabel3d26 = nullptr; // "Timer-Countdown"
    ChoiceLabel* myLabel3d20 = nullptr; // "Address Book"
    ChoiceLabel* myLabel3d19 = nullptr; // "Diary"
    ChoiceLabel* myLabel3d21 = nullptr; // "Settings"
    IconLabel* Image9 = nullptr;
    IconLabel* Image5 = nullptr;
    IconLabel* Image7 = nullptr;
    IconLabel* Image6 = nullptr;
    IconLabel* Image3 = nullptr;
    IconLabel* Image8 = nullptr;
    IconLabel* Image4 = nullptr;
    IconLabel* Image10 = nullptr;
    // Never shown: they keep "exactly one entry chosen" the way a radio group does.
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QRadioButton* RadioButton5 = nullptr;
    QRadioButton* RadioButton6 = nullptr;
    QRadioButton* RadioButton11 = nullptr;
    QRadioButton* RadioButton9 = nullptr;
    QRadioButton* RadioButton10 = nullptr;
    QRadioButton* RadioButton12 = nullptr;

    FancyButton* DsFancyButton1 = nullptr; // "Next>>"
    // The About icon answers for itself what a transparent label over a picture used to catch.
    IconLabel* Image12 = nullptr; // hint "About Zentick..."
    IconLabel* Image11 = nullptr; // hint "Check for Updates"

    // The keyboard menu: never popped up, only its shortcuts act while it is attached.
    QMenu* PopupMenu4 = nullptr;
    QAction* fdsf1 = nullptr;  // Up
    QAction* Down1 = nullptr;  // Down
    QAction* Left1 = nullptr;  // Left
    QAction* Right1 = nullptr; // Right
    QAction* Enter1 = nullptr; // Enter

    ChoiceLabel* caption(int choice) const;
    IconLabel* image(int choice) const;
    QRadioButton* marker(int choice) const;

    void myLabel3d1Click();
    void myLabel3d2Click();
    void myLabel3d3Click();
    void myLabel3d4Click();
    void myLabel3d26Click();
    void myLabel3d20Click();
    void myLabel3d19Click();
    void myLabel3d21Click();
    // What every entry's click does: choose entry k (1 to 8).
    void selectEntry(int choice);

    void myLabel3d1MouseEnter();
    void myLabel3d1MouseLeave();
    void myLabel3d2MouseEnter();
    void myLabel3d2MouseLeave();
    void myLabel3d3MouseEnter();
    void myLabel3d3MouseLeave();
    void myLabel3d4MouseEnter();
    void myLabel3d4MouseLeave();
    void myLabel3d26MouseEnter();
    void myLabel3d26MouseLeave();
    void myLabel3d20MouseEnter();
    void myLabel3d20MouseLeave();
    void myLabel3d19MouseEnter();
    void myLabel3d19MouseLeave();
    void myLabel3d21MouseEnter();
    void myLabel3d21MouseLeave();
    void entryMouseEnter(int choice);
    void entryMouseLeave(int choice);

    void DsFancyButton1Click();
    void MainTabShow();

    void fdsf1Click();
    void Down1Click();
    void Left1Click();
    void Right1Click();
    void Enter1Click();

    void myLabel3d14Click();
    void myLabel3d14MouseEnter();
    void myLabel3d14MouseLeave();
    void Label1Click();

    bool keyboardMenuAttached() const { return m_attached; }

signals:
    // The update icon was clicked; the update check answers it.
    void updateCheckRequested();

private:
    struct Entry {
        ChoiceLabel* caption;
        IconLabel* image;
        QRadioButton* marker;
    };

    void buildEntries();
    void buildKeyboardMenu();
    void buildLayout();
    void moveSelection(Move move);
    void attachKeyboardMenu();
    void detachKeyboardMenu();
    void describeNextButton();

    TForm1& m_form;
    std::array<Entry, 8> m_entries{};
    QButtonGroup* m_markers = nullptr;
    bool m_attached = false;
};
