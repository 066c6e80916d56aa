#pragma once
// The inspector's icons (palette entries, FORMAT and LAYER rows, the sample
// photo), drawn from the small drawing programs of data/panel_icons.tsv
// on a 60 x 60 board. A program is a list of steps separated by ";":
//   fill RRGGBB | fill none        stroke RRGGBB WIDTH | stroke none
//   dash on|off                    rect X Y W H [RADIUS]    ellipse X Y W H
//   line X1 Y1 X2 Y2               poly X1 Y1 X2 Y2 ... (closed)
//   text X Y W H SIZE WORDS        table ROWS WIDTHS        section WIDTHS
// "table 2 1,1,2" draws a two-row grid of columns in the ratio 1:1:2;
// "section 4,8" draws column blocks in a dashed page band.
#include <QHash>
#include <QImage>
#include <QString>

class InspectorIcons {
public:
    InspectorIcons() = delete;
    // The icon of that name at side x side pixels; a null image for a name
    // the table does not know.
    static QImage image(const QString &name, int side = 60);
    static bool contains(const QString &name);
    // Draws one program (tests, and names outside the table).
    static QImage draw(const QString &program, int side = 60);
    // The table's programs by name.
    static const QHash<QString, QString> &programs();
    static QHash<QString, QString> parse(const QString &text, QString *error = nullptr);
};
