#include "datafiles/DataFileSearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// Which of the three folders hold the file, and which one the search must take.
struct SearchCase {
    bool inImageFolder;
    bool inProgramFolder;
    bool inUserFolder;
    int found; // 0 image, 1 program, 2 user, -1 none
};

TEST(DataFileSearch, TakesTheImagesFolderThenTheProgramsThenTheUsers) {
    QStandardPaths::setTestModeEnabled(true);
    const QString user = userDataFolders().constFirst();
    ASSERT_TRUE(QDir().mkpath(user));
    QTemporaryDir image;
    QTemporaryDir program;
    const QString imagePath = image.filePath("mod.gba");
    const QStringList folders = dataFileFolders(imagePath.toStdString(), program.path());
    ASSERT_GE(folders.size(), 3);
    EXPECT_EQ(folders.mid(0, 3), QStringList({image.path(), program.path(), user}));
    // A folder given twice (the image beside the program) is searched once.
    EXPECT_EQ(dataFileFolders(imagePath.toStdString(), image.path()).count(image.path()), 1);
    EXPECT_EQ(dataFileFolders({}, program.path()).constFirst(), program.path());

    const QString name =
        QStringLiteral("search-test-%1.txt").arg(QCoreApplication::applicationPid());
    const QStringList places{image.path(), program.path(), user};
    for (const SearchCase& c : std::initializer_list<SearchCase>{{true, true, true, 0},
                                                                 {false, true, true, 1},
                                                                 {true, false, true, 0},
                                                                 {false, false, true, 2},
                                                                 {false, false, false, -1}}) {
        SCOPED_TRACE(testing::Message() << c.inImageFolder << c.inProgramFolder << c.inUserFolder);
        const bool holds[] = {c.inImageFolder, c.inProgramFolder, c.inUserFolder};
        for (int i = 0; i < 3; ++i) {
            QFile file(QDir(places[i]).filePath(name));
            if (holds[i])
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            else
                file.remove();
        }
        EXPECT_EQ(locateDataFile(folders, name),
                  c.found < 0 ? QString() : QDir(places[c.found]).filePath(name));
    }
    // A folder of that name is not a file.
    ASSERT_TRUE(QDir(image.path()).mkdir(name));
    EXPECT_TRUE(locateDataFile(folders, name).isEmpty());
}

} // namespace
} // namespace tarnwick
