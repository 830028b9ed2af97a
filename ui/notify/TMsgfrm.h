#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;

// The one window through which the program tells the user something: a line of text and "OK".
// Created once and reused; closing only hides it.
class TMsgfrm final : public QDialog {
    Q_OBJECT
public:
    explicit TMsgfrm(QWidget* centreOn = nullptr);

    // Shows text below an empty first line and returns once the user has closed the window. Timers
    // keep firing meanwhile (a nested event loop). With ZENTICK_AUTO_DISMISS=1 in the environment the text
    // goes to stderr ("Zentick: " before it) and the call returns at once, as the error box does.
    void ShowMsg(const QString& text);

    // The window it centres on when that window is visible; the desktop otherwise.
    void setCentreOn(QWidget* window) { m_centreOn = window; }

    // For tests: while on, ShowMsg fills the label, records the text and returns at once, as if "OK"
    // had been pressed, so a flow that reports something can be driven without a person.
    // A run with ZENTICK_AUTO_DISMISS=1 in its environment writes the text to stderr instead of showing it.
    static void setAutoAnswer(bool on);
    static QStringList& autoAnswered();

    QLabel* Message = nullptr;
    QPushButton* Button1 = nullptr;

    void Button1Click();

private:
    void centre();

    QWidget* m_centreOn = nullptr;
};
