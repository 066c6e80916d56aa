#pragma once
// The text descriptions of the starting templates (data/templates/designs.txt):
// page designs made of bands, circles, lines, text boxes and drawn pictures,
// which design each templates folder uses, and the print sheets of print
// categories.
#include <QColor>
#include <QHash>
#include <QList>
#include <QMap>
#include <QRectF>
#include <QString>

struct DesignPiece {
    enum class Kind { Band, Circle, Line, Text, Picture };
    Kind kind = Kind::Band;
    QRectF box;        // per cent of the page (a line: from topLeft to bottomRight)
    QColor colour;
    QColor fill;       // text: the box's own fill (a box); invalid: none
    double size = 0;   // text: per cent of the page height
    bool centred = false;
    QString text;      // text, or the picture's scene
};

struct PageDesign {
    QString name;
    int width = 0;     // 0: the print sheet's canvas
    int height = 0;
    QColor background = Qt::white;
    QList<DesignPiece> pieces;
};

class TemplateDesigns {
public:
    // Reads the descriptions; false with *error naming the line on a mistake.
    bool parse(const QString &text, QString *error);

    const PageDesign *design(const QString &name) const;
    // The designs of a templates folder (for "blank" pages and for the others).
    bool hasFolder(const QString &folder) const { return m_folders.contains(folder); }
    const PageDesign *designFor(const QString &folder, bool blank) const;
    QString sheetFor(const QString &folder, const QString &category) const;
    // The fields of a sample record, by its file's base name (empty: none).
    QMap<QString, QString> recordFor(const QString &sample) const { return m_records.value(sample); }

private:
    QHash<QString, PageDesign> m_designs;
    QHash<QString, QPair<QString, QString>> m_folders;
    QHash<QString, QString> m_sheets;  // "folder/category" -> sheet
    QHash<QString, QMap<QString, QString>> m_records;
};
