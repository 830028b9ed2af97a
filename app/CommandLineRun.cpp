#include "app/CommandLineRun.h"

#include "app/LegacyImport.h"
#include "app/Translations.h"
#include "context/SettingsKeys.h"
#include "platform/FilesLock.h"
#include "platform/SingleInstance.h"
#include "scheduler/SchedulerClock.h"
#include "scripting/ScriptActions.h"
#include "store/Exception.h"
#include "store/XMLIniFile.h"
#include "ui/settings/DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>

#include <cstdio>
#include <memory>
#include <optional>

namespace CommandLineRun {

namespace {

void print(std::FILE* stream, const QString& text) {
    if (!text.isEmpty())
        std::fputs(text.toLocal8Bit().constData(), stream);
}

int report(const Script::Reply& reply) {
    print(stdout, reply.out);
    if (!reply.error.isEmpty())
        print(stderr, QStringLiteral("zentick: %1\n").arg(reply.error));
    return reply.status;
}

std::optional<Script::Reply> askInstance(const QString& serverPath, const QByteArray& payload) {
    const std::optional<QByteArray> answer = SingleInstance::requestTo(serverPath, payload);
    if (!answer)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(*answer);
    if (!document.isObject())
        return Script::Reply::failed(QCoreApplication::translate(
            "CommandLineRun", "The running Zentick gave an answer that could not be read."));
    return Script::Reply::fromJson(document.object());
}

Script::Reply notReached() {
    return Script::Reply::failed(
        QCoreApplication::translate("CommandLineRun", "Zentick runs but did not answer; nothing was changed."));
}

// The data folder the program would use, as its start finds it; empty with a reason when a script must leave the
// files to the program's own start.
QString dataFolder(const QString& exeFolder, const TXMLIniFile& settings, QString& refusal) {
    if (settings.HasKey(SettingsKey::Section, SettingsKey::DataFolderMovingFrom)) {
        refusal = QCoreApplication::translate("CommandLineRun",
                                              "The data folder is being moved: start Zentick once to finish the move.");
        return {};
    }
    const QString fallback = exeFolder + QStringLiteral("/Alarms Directory");
    QString folder =
        QString::fromUtf8(settings.ReadString(SettingsKey::Section, SettingsKey::DataFolder, fallback.toUtf8()));
    if (LegacyImport::isWindowsPath(folder) || QDir::isRelativePath(folder))
        folder = fallback;
    if (DataFolders::unusableReason(folder) != 0) {
        refusal = DataFolders::dataFolderMessage(folder, DataFolders::unusableReason(folder), false);
        return {};
    }
    return folder;
}

// No instance runs in this session: the files are changed here, under the same locks a start takes.
Script::Reply runHere(const Script::Request& request, const QByteArray& payload) {
    const QString exeFolder = DataFolders::exeFolder(false);
    const QString settingsPath = exeFolder + QStringLiteral("/Settings.xml");
    // A first start sets up the folders and imports the files of the earlier version: that is its job.
    if (!QFileInfo::exists(settingsPath))
        return Script::Reply::failed(QCoreApplication::translate(
            "CommandLineRun", "Zentick has not been set up here yet: start it once first."));
    FilesLock files(exeFolder);
    const ExclusiveLock::Result taken = files.take();
    if (taken == ExclusiveLock::Result::HeldByOther)
        return askInstance(files.holderChannel(), payload).value_or(notReached());
    if (taken != ExclusiveLock::Result::Taken)
        return Script::Reply::failed(
            QCoreApplication::translate("CommandLineRun", "Cannot lock the files in %1.").arg(exeFolder));
    const TXMLIniFile settings(settingsPath);
    QString refusal;
    const QString folder = dataFolder(exeFolder, settings, refusal);
    if (folder.isEmpty())
        return Script::Reply::failed(refusal);
    std::optional<FilesLock> dataLock;
    if (QFileInfo(folder).canonicalFilePath() != QFileInfo(exeFolder).canonicalFilePath()) {
        dataLock.emplace(folder);
        const ExclusiveLock::Result data = dataLock->take();
        if (data == ExclusiveLock::Result::HeldByOther)
            return askInstance(dataLock->holderChannel(), payload).value_or(notReached());
        if (data != ExclusiveLock::Result::Taken)
            return Script::Reply::failed(
                QCoreApplication::translate("CommandLineRun", "Cannot lock the files in %1.").arg(folder));
    }
    TXMLIniFile events(folder + QStringLiteral("/Alarms.xml"));
    TXMLIniFile pastAlarms(folder + QStringLiteral("/PAlarms.xml"));
    TXMLIniFile diary(folder + QStringLiteral("/Calendar.xml"));
    // A damaged file is the program's to keep aside and report; a script does not write over it.
    for (TXMLIniFile* store : {&events, &pastAlarms, &diary}) {
        if (store->isDamaged() && request.action != Script::Action::List && request.action != Script::Action::Export)
            return Script::Reply::failed(
                QCoreApplication::translate("CommandLineRun",
                                            "A data file in %1 is damaged: start Zentick, which keeps a copy of it.")
                    .arg(folder));
    }
    const SystemClock clock;
    const QLocale locale = QLocale::system();
    return Script::perform(request, {&events, &pastAlarms, &settings, &diary}, clock.now(), locale);
}

} // namespace

bool isRequested(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return Script::isRequested(arguments);
}

int run(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    // What a person reads comes in the user's language; what a script reads (--list, --json, the section of a new
    // event in "Added ...") stays as it is everywhere.
    Translations::install(application);
    const Script::Parsed parsed = Script::parseArguments(QCoreApplication::arguments().mid(1));
    if (!parsed.error.isEmpty())
        return report(Script::Reply::refused(parsed.error));
    Script::Request request = parsed.request;
    if (request.action == Script::Action::Help) {
        print(stdout, Script::helpText());
        return Script::Done;
    }
    // Bad input is refused as such, also where there are no files to change.
    if (const std::optional<Script::Reply> refused = Script::refusalOf(request, SystemClock().now()))
        return report(*refused);
    request.locale = QLocale::system().name();
    // A file is named from the folder the command was typed in, not the running instance's.
    if (!request.file.isEmpty())
        request.file = QFileInfo(request.file).absoluteFilePath();
    const QByteArray payload = QJsonDocument(request.toJson()).toJson(QJsonDocument::Compact);
    try {
        SingleInstance instance;
        if (!instance.hasFolder())
            return report(Script::Reply::failed(
                QCoreApplication::translate("CommandLineRun", "No private folder for the single-instance lock.")));
        if (!instance.acquire())
            return report(askInstance(instance.serverPath(), payload).value_or(notReached()));
        return report(runHere(request, payload));
    } catch (const Exception& e) {
        return report(Script::Reply::failed(e.message()));
    } catch (const std::exception& e) {
        return report(Script::Reply::failed(QString::fromUtf8(e.what())));
    }
}

} // namespace CommandLineRun
