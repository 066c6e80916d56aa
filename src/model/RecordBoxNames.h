#pragma once
// The template names of the text boxes in which a record page shows its
// record (its name, its fields, its notes). Reading a page keeps them, so the
// page finds its boxes again instead of making new ones.
#include <QStringList>

inline const QStringList &recordBoxNames()
{
    static const QStringList names{QStringLiteral("profilename"), QStringLiteral("profiletable"),
                                   QStringLiteral("profilenotes")};
    return names;
}
