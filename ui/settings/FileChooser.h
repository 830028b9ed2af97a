#pragma once

#include <QString>

class QWidget;

// The file-open and folder-browse dialogs of the settings page. Tests put an answering replacement in place,
// so that no test ever opens a real dialog.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file, or an empty text when the user cancels. filter is in Qt's form ("All (*.mid);;...").
    virtual QString chooseFile(QWidget* parent, const QString& initialFile, const QString& filter) = 0;
    // The file to write, or an empty text when the user cancels; the dialog asks before an existing file is named.
    virtual QString chooseSaveFile(QWidget* parent, const QString& initialFile, const QString& filter) = 0;
    // The chosen folder, or an empty text when the user cancels.
    virtual QString chooseFolder(QWidget* parent, const QString& title) = 0;

    // The desktop's dialogs unless a replacement is installed.
    static FileChooser& instance();
    // The replacement stays owned by the caller; nullptr brings back the desktop's dialogs.
    static void setInstance(FileChooser* chooser);
};
