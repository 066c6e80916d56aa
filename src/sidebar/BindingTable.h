#pragma once
// The inspector's bindings, read once from data/control_bindings.tsv in the
// order they are made: which control shows and edits which attribute key of
// the selected graphics, and how it shows no selection or mixed values.
#include <QList>
#include <QString>

struct BindingSpec {
    enum class Type { Int, Double, Float, String };
    enum class Options { None, P, S, L, T };
    QString control;
    QString binding;  // "value", "selectedIndex", "selectedValue", "selectedLabel"
    QString key;
    Type type = Type::String;
    Options options = Options::None;
};

class BindingTable {
public:
    BindingTable() = delete;
    static const QList<BindingSpec> &bindings();
    static QList<BindingSpec> parse(const QString &text, QString *error = nullptr);
    static QString dataFilePath();
};
