#include "app/DataFiles.h"

#include "rom/ChestLabels.h"

namespace tarnwick {

EditorTexts readEditorTexts(const QStringList& folders, CharacterTable characterTable) {
    EditorTexts texts;
    texts.chestLocations = readDataFile(folders, chestLocationFileName);
    texts.animationNames = readDataFile(folders, "animdata.txt");
    texts.characterTable = std::move(characterTable);
    return texts;
}

} // namespace tarnwick
