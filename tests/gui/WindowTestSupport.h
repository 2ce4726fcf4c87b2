#pragma once

#include "GuiTestSupport.h"

#include "app/AppSettings.h"
#include "app/MainDialog.h"
#include "rom/EditHistory.h"

namespace tarnwick::testing {

// Settings of the test's own, in its folder, so tests never touch the user's.
inline std::unique_ptr<AppSettings> testSettings(const QTemporaryDir& folder) {
    return std::make_unique<AppSettings>(QDir(folder.path()).filePath(QStringLiteral("test.ini")));
}

// Stands in for the user at the window's questions: hands out chosen files in turn, answers
// the unsaved-edits question as told and records what it was asked and shown.
struct ScriptedUser {
    QStringList filesToChoose;
    UnsavedChoice unsavedAnswer = UnsavedChoice::Cancel;
    int fileDialogs = 0;
    int unsavedQuestions = 0;
    bool loadUnnamedImages = false;
    QStringList unnamedImageQuestions;
    QStringList failures;
    QStringList fileQuestions; // "title [purpose]" of the other file dialogs, in turn
    bool switchAgainstHeaderAnswer = false;
    QStringList switchWarnings;
    ChangedFileChoice changedFileAnswer = ChangedFileChoice::Cancel;
    QStringList changedFileQuestions;
    // The sides chosen at a merge's conflict list; nothing cancels it.
    std::optional<std::vector<MergeSide>> conflictAnswer;
    std::vector<ConflictWords> conflictsShown;

    MainDialog::Prompts prompts() {
        return {[this](QWidget*) {
                    ++fileDialogs;
                    return filesToChoose.isEmpty() ? QString() : filesToChoose.takeFirst();
                },
                [this](QWidget*) {
                    ++unsavedQuestions;
                    return unsavedAnswer;
                },
                [this](QWidget*, const QString& reason, const QString& release) {
                    unnamedImageQuestions << reason + QStringLiteral(" As ") + release;
                    return loadUnnamedImages;
                },
                [this](QWidget*, const QString& title, const QString& message) {
                    failures << title + QStringLiteral(": ") + message;
                },
                [this](QWidget*, const QString&) {
                    ++fileDialogs;
                    return filesToChoose.isEmpty() ? QString() : filesToChoose.takeFirst();
                },
                [this](QWidget*, const FileQuestion& question) {
                    ++fileDialogs;
                    fileQuestions << QStringLiteral("%1 [%2]").arg(question.title,
                                                                   question.purpose);
                    return filesToChoose.isEmpty() ? QString() : filesToChoose.takeFirst();
                },
                [this](QWidget*, const QString& warning) {
                    switchWarnings << warning;
                    return switchAgainstHeaderAnswer;
                },
                [this](QWidget*, const QString& change, const std::function<void()>&) {
                    changedFileQuestions << change;
                    return changedFileAnswer;
                },
                [this](QWidget*, const MergeConflictQuestion& question) {
                    conflictsShown = question.conflicts;
                    return conflictAnswer;
                }};
    }
};

// A main window with a demo image of the release loaded from a file, the scripted user
// answering its questions.
struct WindowOnDemoFile {
    QTemporaryDir folder;
    RomImage rom;
    EditHistory history;
    ScriptedUser user;
    MainDialog window{rom, history, nullptr, testSettings(folder)};
    QString path;

    explicit WindowOnDemoFile(RomVariant release, bool copierHeader = false)
        : path(writeDemoFile(folder, release, copierHeader)) {
        window.setPrompts(user.prompts());
        window.loadFile(path);
    }
};

} // namespace tarnwick::testing
