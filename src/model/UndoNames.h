#pragma once
// The undo keys of the graphic kinds and their action names, read once from
// data/undo_names.tsv (class, key, name). Rows of "SKTGraphic" apply to every
// class; a class's own rows add to them.
#include <QString>
#include <QStringList>

class UndoNames {
public:
    UndoNames() = delete;
    static QStringList keysForClass(const QString &className);
    // Null when the key is not an undo key of the class.
    static QString nameForKey(const QString &className, const QString &key);
    // Parses the table text; used by the loader and by tests.
    static void loadFromText(const QString &text);
    static QString dataFilePath();
};
