#pragma once

#include "datafiles/DataFileSearch.h"
#include "editors/EditorTexts.h"
#include "rom/CharacterTable.h"

#include <QStringList>

namespace tarnwick {

// The text files the editors show, read now from the first of the folders that has each
// (dataFileFolders), with the character table given.
EditorTexts readEditorTexts(const QStringList& folders, CharacterTable characterTable);

} // namespace tarnwick
