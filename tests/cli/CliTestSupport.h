#pragma once

#include "cli/Commands.h"
#include "demo/DemoImage.h"
#include "rom/Releases.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <string>

namespace tarnwick::test {

// What one run of the command line produced.
struct CliRun {
    int code = -1;
    QString out;
    QString err;
};

inline CliRun runCommand(const QStringList& args) {
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = runCli(args, out, err);
    out.flush();
    err.flush();
    return run;
}

// A command line that must fail: its exit code and a part of the one line it writes to stderr.
struct FailingRun {
    QStringList args;
    int code;
    QString message;
};

inline void expectOneLineFailure(const FailingRun& c) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const CliRun run = runCommand(c.args);
    EXPECT_EQ(run.code, c.code);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith("tarnwick-cli")) << run.err.toStdString();
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QString writeDemo(const QTemporaryDir& dir, const QString& name,
                         const DemoImageOptions& options) {
    const QString path = dir.filePath(name);
    const Status written =
        writeDemoImage(options, QFile::encodeName(path).toStdString(), ExistingFile::Replace);
    EXPECT_TRUE(written.isOk()) << written.message();
    return path;
}

inline QJsonObject parseObject(const QByteArray& text) {
    return QJsonDocument::fromJson(text).object();
}

// A record's values: the object of an export written with labels holds them under "values".
inline QString valuesKey(const QJsonValue& node) {
    return node.isObject() && node.toObject().contains("values") ? QStringLiteral("values")
                                                                 : QString();
}

// The value at a dotted path such as "tables.chestTable.10.2" (numbers index arrays; an index
// into a labelled record indexes its values).
inline QJsonValue valueAt(const QJsonValue& root, const QString& path) {
    QJsonValue node = root;
    for (const QString& part : path.split(QLatin1Char('.'))) {
        bool isIndex = false;
        const int index = part.toInt(&isIndex);
        if (isIndex && !valuesKey(node).isEmpty())
            node = node.toObject().value(valuesKey(node));
        node = isIndex ? node.toArray().at(index) : node.toObject().value(part);
    }
    return node;
}

// root with the value at a dotted path replaced; an undefined value removes an object key.
inline QJsonValue withValue(const QJsonValue& root, QStringList path, const QJsonValue& value) {
    if (path.isEmpty())
        return value;
    const QString head = path.front();
    bool isIndex = false;
    const int index = head.toInt(&isIndex);
    if (isIndex && !valuesKey(root).isEmpty()) {
        QJsonObject record = root.toObject();
        record["values"] = withValue(record.value("values"), path, value);
        return record;
    }
    path.removeFirst();
    if (isIndex) {
        QJsonArray array = root.toArray();
        array[index] = withValue(array.at(index), path, value);
        return array;
    }
    QJsonObject object = root.toObject();
    if (path.isEmpty() && value.isUndefined())
        object.remove(head);
    else
        object[head] = withValue(object.value(head), path, value);
    return object;
}

inline void setValue(QJsonObject& json, const QString& path, const QJsonValue& value) {
    json = withValue(json, path.split(QLatin1Char('.')), value).toObject();
}

} // namespace tarnwick::test
