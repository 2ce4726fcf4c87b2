#pragma once

#include "io/ShownText.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <dirent.h>
#include <string>
#include <string_view>
#include <sys/stat.h>

// File names as the file system holds them (bytes, UTF-8 mostly) and as Qt code holds them
// (QString). A name is not always UTF-8, and Qt's own conversion turns such bytes into U+FFFD,
// which names no file. These helpers keep such a name intact: bytes that are not UTF-8 travel in
// a QString as the code points U+DC80-U+DCFF (lone low surrogates, which no UTF-8 text decodes
// to), one per byte, and turn back into those bytes on the way to the file system. Names are
// taken as UTF-8, as Qt takes them under every UTF-8 locale.
namespace tarnwick {

// The name as a QString that fileSystemBytes turns back into exactly these bytes: for argv and
// for names read from the file system.
inline QString nameFromFileSystem(std::string_view bytes) {
    QString name;
    std::size_t start = 0; // of the run of valid UTF-8 not yet appended
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t length = utf8SequenceLength(bytes.substr(at));
        if (length > 0) {
            at += length;
            continue;
        }
        name += QString::fromUtf8(bytes.data() + start, static_cast<qsizetype>(at - start));
        name += QChar(static_cast<char16_t>(0xDC00u + static_cast<unsigned char>(bytes[at])));
        start = ++at;
    }
    return name + QString::fromUtf8(bytes.data() + start, static_cast<qsizetype>(at - start));
}

// The bytes of a name that nameFromFileSystem made, or of any other QString name in UTF-8.
inline std::string fileSystemBytes(const QString& name) {
    std::string bytes;
    qsizetype start = 0; // of the run of text not yet appended
    const auto appendText = [&](qsizetype end) {
        bytes += QStringView(name).sliced(start, end - start).toUtf8().toStdString();
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name.at(i).unicode();
        const bool pairedWithPrevious = i > 0 && name.at(i - 1).isHighSurrogate();
        if (unit < 0xDC80u || unit > 0xDCFFu || pairedWithPrevious)
            continue;
        appendText(i);
        bytes += static_cast<char>(unit - 0xDC00u);
        start = i + 1;
    }
    appendText(name.size());
    return bytes;
}

// The file system's bytes for a path that arrived as a QString from Qt itself (a file dialog,
// a drop, QDir), where a name that is not UTF-8 has become U+FFFD. When the path's bytes name
// no existing file and its name holds U+FFFD, its folder is looked through for the one entry
// that Qt shows under that name, and that entry's bytes are used; with none or several, the
// path's own bytes are. Paths that fileSystemBytes keeps intact come out as it makes them.
inline std::string fileSystemName(const QString& path) {
    std::string bytes = fileSystemBytes(path);
    struct stat info {};
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString name = path.sliced(slash + 1);
    if (!name.contains(QChar::ReplacementCharacter) || ::lstat(bytes.c_str(), &info) == 0)
        return bytes;
    std::string folder; // with its slash
    if (slash == 0)
        folder = "/";
    else if (slash > 0)
        folder = fileSystemName(path.first(slash)) + "/";
    DIR* entries = ::opendir(folder.empty() ? "." : folder.c_str());
    if (entries == nullptr)
        return bytes;
    std::string found;
    int matches = 0;
    while (const dirent* entry = ::readdir(entries)) {
        if (QFile::decodeName(entry->d_name) == name && ++matches == 1)
            found = folder + entry->d_name;
    }
    ::closedir(entries);
    return matches == 1 ? found : bytes;
}

// A path as text a person reads: control characters and bytes that are not UTF-8 written as
// \xHH.
inline QString shownPath(const QString& path) {
    return QString::fromStdString(escapedText(fileSystemBytes(path)));
}

// A path as a message quotes it: in double quotes, control characters and bytes that are not
// UTF-8 written as \xHH.
inline QString quotedPath(const QString& path) {
    return QString::fromStdString(quotedName(fileSystemBytes(path)));
}

} // namespace tarnwick
