#include "qtio/FileNames.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace tarnwick {
namespace {

// A name that is not UTF-8 survives a QString both ways: through the lossless form the command
// lines use, and, when Qt itself turned its bytes into U+FFFD, through the folder's entries.
TEST(FileNames, ANameThatIsNotUtf8FindsItsFile) {
    QTemporaryDir dir;
    const std::string folder = QFile::encodeName(dir.path()).toStdString() + "/";
    const std::string names[] = {"plain.smc", "caf\xC3\xA9.smc", "bad\xFF\xFEname.smc",
                                 "\xED\xA0\x80surrogate", "line\nbreak\x80"};
    for (const std::string& name : names) {
        SCOPED_TRACE(escapedText(name));
        std::ofstream(folder + name) << "x";
        EXPECT_EQ(fileSystemBytes(nameFromFileSystem(folder + name)), folder + name);
        EXPECT_EQ(fileSystemName(QFile::decodeName(QByteArray::fromStdString(folder + name))),
                  folder + name);
    }
    // Two entries that Qt shows alike: neither is taken for the other.
    std::ofstream(folder + "twin\xFF") << "x";
    std::ofstream(folder + "twin\xFE") << "x";
    EXPECT_EQ(fileSystemName(dir.filePath(QStringLiteral("twin\uFFFD"))),
              folder + "twin\xEF\xBF\xBD");
    EXPECT_EQ(quotedPath(nameFromFileSystem("a\xFF\n")), "\"a\\xFF\\x0A\"");
}

} // namespace
} // namespace tarnwick
