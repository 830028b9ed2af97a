#pragma once

#include "ui/settings/FileChooser.h"

// Answers the settings pages' file and folder dialogs with what the test set, and keeps what it was asked.
class AnsweringChooser final : public FileChooser {
public:
    QString chooseFile(QWidget*, const QString& initialFile, const QString& filter) override {
        askedInitial = initialFile;
        askedFilter = filter;
        return file;
    }
    QString chooseSaveFile(QWidget*, const QString& initialFile, const QString& filter) override {
        askedInitial = initialFile;
        askedFilter = filter;
        return saveFile;
    }
    QString chooseFolder(QWidget*, const QString& title) override {
        askedTitle = title;
        return folder;
    }
    QString file;
    QString saveFile;
    QString folder;
    QString askedInitial;
    QString askedFilter;
    QString askedTitle;
};
