#include "datafiles/DataFileSearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(DataFileSearch, TakesTheImagesFolderThenTheProgramsThenTheUsers) {
    QStandardPaths::setTestModeEnabled(true);
    const QString user = userDataFolders().constFirst();
    ASSERT_TRUE(QDir().mkpath(user));
    QTemporaryDir image;
    QTemporaryDir program;
    const std::string imagePath = image.filePath("mod.gba").toStdString();
    const QStringList folders = dataFileFolders(imagePath, program.path());
    EXPECT_EQ(folders.mid(0, 3), QStringList({image.path(), program.path(), user}));
    EXPECT_EQ(dataFileFolders(imagePath, image.path()).count(image.path()), 1); // once only
    EXPECT_EQ(dataFileFolders({}, program.path()).constFirst(), program.path());

    const QString name = QStringLiteral("search-%1.txt").arg(QCoreApplication::applicationPid());
    const QStringList places{image.path(), program.path(), user};
    // Which of the three folders hold the file, and the index of the one found (-1: none).
    const std::pair<std::array<bool, 3>, int> cases[] = {{{true, true, true}, 0},
                                                         {{false, true, true}, 1},
                                                         {{true, false, true}, 0},
                                                         {{false, false, true}, 2},
                                                         {{false, false, false}, -1}};
    for (const auto& [holds, found] : cases) {
        SCOPED_TRACE(found);
        for (int i = 0; i < 3; ++i) {
            QFile file(QDir(places[i]).filePath(name));
            ASSERT_TRUE(holds[i] ? file.open(QIODevice::WriteOnly)
                                 : !file.exists() || file.remove());
        }
        EXPECT_EQ(locateDataFile(folders, name),
                  found < 0 ? QString() : QDir(places[found]).filePath(name));
    }
    ASSERT_TRUE(QDir(image.path()).mkdir(name)); // a folder of that name is not a file
    EXPECT_TRUE(locateDataFile(folders, name).isEmpty());
}

} // namespace
} // namespace tarnwick
