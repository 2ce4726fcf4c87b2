#include "app/AppSettings.h"
#include "app/MergeConflictsDialog.h"
#include "app/WindowPrompts.h"

#include <QMessageBox>
#include <QPushButton>

#include <initializer_list>
#include <utility>

namespace tarnwick {
namespace {

// Gives the buttons texts with mnemonics, so each answer has its Alt key.
void nameButtons(QMessageBox& box,
                 std::initializer_list<std::pair<QMessageBox::StandardButton, QString>> names) {
    for (const auto& [button, text] : names)
        box.button(button)->setText(text);
}

bool askToLoadUnnamedImage(QWidget* parent, const QString& reason, const QString& release) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tarnwick"), reason,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setInformativeText(
        QStringLiteral("Load it anyway as %1? Its tables may show nonsense, and saving it writes "
                       "them into the file.")
            .arg(release));
    nameButtons(box, {{QMessageBox::Yes, QStringLiteral("&Load")},
                      {QMessageBox::No, QStringLiteral("&Don't Load")}});
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool askToSwitchAgainstHeader(QWidget* parent, const QString& warning) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarnwick"), warning,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setInformativeText(QStringLiteral("Switch the release anyway?"));
    nameButtons(box, {{QMessageBox::Ok, QStringLiteral("&Switch")},
                      {QMessageBox::Cancel, QStringLiteral("&Cancel")}});
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void reportWithMessageBox(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, parent);
    nameButtons(box, {{QMessageBox::Ok, QStringLiteral("&OK")}});
    box.exec();
}

// Asks until the user saves elsewhere, overwrites, merges or cancels; "Show Changes..." lists
// what the other program changed in between. Escape and the close box cancel.
ChangedFileChoice askAboutChangedFileWithMessageBox(QWidget* parent, const QString& change,
                                                    const std::function<void()>& showChanges) {
    for (;;) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarnwick"), change,
                        QMessageBox::Cancel, parent);
        box.setInformativeText(
            QStringLiteral("Merge brings the other program's changes into the open image, "
                           "asks where both of you changed one value, and then saves. Overwrite "
                           "writes the open image over the file: what the other program changed "
                           "inside the image is replaced. Save As keeps the file as it is now "
                           "and saves the open image under another name."));
        nameButtons(box, {{QMessageBox::Cancel, QStringLiteral("&Cancel")}});
        QPushButton* show =
            box.addButton(QStringLiteral("Show C&hanges..."), QMessageBox::ActionRole);
        QPushButton* saveAs = box.addButton(QStringLiteral("Save &As..."), QMessageBox::AcceptRole);
        QPushButton* merge = box.addButton(QStringLiteral("&Merge..."), QMessageBox::AcceptRole);
        QPushButton* overwrite =
            box.addButton(QStringLiteral("&Overwrite"), QMessageBox::DestructiveRole);
        box.setDefaultButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        box.exec();
        if (box.clickedButton() == show) {
            showChanges();
            continue;
        }
        if (box.clickedButton() == saveAs)
            return ChangedFileChoice::SaveAs;
        if (box.clickedButton() == merge)
            return ChangedFileChoice::Merge;
        if (box.clickedButton() == overwrite)
            return ChangedFileChoice::Overwrite;
        return ChangedFileChoice::Cancel;
    }
}

} // namespace

// Asks until the user saves, discards or cancels; "Show Changes..." lists them in between.
UnsavedChoice askAboutUnsavedEditsWithMessageBox(QWidget* parent,
                                                 const std::function<void()>& showChanges) {
    for (;;) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarnwick"),
                        QStringLiteral("The tables have changes that are not saved."),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
        box.setInformativeText(QStringLiteral("Save them into the image file first?"));
        nameButtons(box, {{QMessageBox::Save, QStringLiteral("&Save")},
                          {QMessageBox::Discard, QStringLiteral("&Don't Save")},
                          {QMessageBox::Cancel, QStringLiteral("&Cancel")}});
        box.setDefaultButton(QMessageBox::Save);
        QPushButton* show =
            box.addButton(QStringLiteral("Show C&hanges..."), QMessageBox::ActionRole);
        const int answer = box.exec();
        if (box.clickedButton() == show) {
            showChanges();
            continue;
        }
        switch (answer) {
        case QMessageBox::Save:
            return UnsavedChoice::Save;
        case QMessageBox::Discard:
            return UnsavedChoice::Discard;
        default:
            return UnsavedChoice::Cancel;
        }
    }
}

WindowPrompts standardWindowPrompts(AppSettings& settings) {
    return {[&settings](QWidget* parent) { return chooseRomFileWithDialog(parent, settings); },
            [](QWidget* parent) { return askAboutUnsavedEditsWithMessageBox(parent, [] {}); },
            askToLoadUnnamedImage,
            reportWithMessageBox,
            [&settings](QWidget* parent, const QString& current) {
                return chooseSaveFileWithDialog(parent, settings, current);
            },
            rememberingFolders(settings, chooseFileWithDialog),
            askToSwitchAgainstHeader,
            askAboutChangedFileWithMessageBox,
            settleMergeConflictsWithDialog};
}

} // namespace tarnwick
