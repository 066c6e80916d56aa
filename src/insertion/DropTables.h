#pragma once
// The table behind palette drops, read once from data/: the code names the
// canvas understands (what each one does, and whether a drop goes on to the
// next name). The presets many of them build are the insertion side's
// (PalettePresets).
#include <QString>
#include <QStringList>
#include <optional>

struct DropCodeName {
    QString name;
    // "preset", "callout", "line", or the name of an insertion operation.
    QString action;
    QStringList arguments;
    bool goesOn = false;
};

class DropTables {
public:
    DropTables() = delete;

    static const QList<DropCodeName> &codeNames();
    static std::optional<DropCodeName> codeName(const QString &name);
    // Parses table texts (tests, loading).
    static void loadCodeNames(const QString &text);
};
