#include "ui/settings/FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace {

class DialogFileChooser final : public FileChooser {
public:
    QString chooseFile(QWidget* parent, const QString& initialFile, const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, QString(), initialFile, filter);
    }
    QString chooseSaveFile(QWidget* parent, const QString& initialFile, const QString& filter) override {
        return QFileDialog::getSaveFileName(parent, QString(), initialFile, filter);
    }
    QString chooseFolder(QWidget* parent, const QString& title) override {
        // Rooted at the desktop, with no folder chosen beforehand.
        QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        if (!QDir(start).exists())
            start = QDir::homePath();
        return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
    }
};

FileChooser* g_replacement = nullptr;

} // namespace

FileChooser& FileChooser::instance() {
    static DialogFileChooser dialogs;
    return g_replacement ? *g_replacement : dialogs;
}

void FileChooser::setInstance(FileChooser* chooser) {
    g_replacement = chooser;
}
