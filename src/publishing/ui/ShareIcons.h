#pragma once
// The share buttons' pictures, drawn here: a coloured tile with a sign for each.
#include <QIcon>
#include <QString>

class ShareIcons {
public:
    ShareIcons() = delete;
    // A 70 x 70 picture for the icon name of the share table; a plain tile for
    // a name it does not know.
    static QIcon icon(const QString &name);
};
