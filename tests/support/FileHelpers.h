#pragma once
// Small file helpers for tests: write and read whole files, list a folder's contents.
#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

namespace testfiles {

// Writes data to path, creating the folders on the way. False when it could not.
inline bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// The file's bytes; empty when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file and folder below folder, relative to it, sorted.
inline QStringList filesBelow(const QString &folder)
{
    QStringList list;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        list << QDir(folder).relativeFilePath(it.next());
    list.sort();
    return list;
}

}  // namespace testfiles
