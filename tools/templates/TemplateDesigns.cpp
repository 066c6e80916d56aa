#include "TemplateDesigns.h"

#include <QStringList>

namespace {

QColor colour(const QString &hex)
{
    return QColor(QLatin1Char('#') + hex);
}

bool number(const QString &text, double *value)
{
    bool ok = false;
    *value = text.toDouble(&ok);  // QString::toDouble reads the C locale
    return ok;
}

}  // namespace

bool TemplateDesigns::parse(const QString &text, QString *error)
{
    PageDesign *current = nullptr;
    int lineNumber = 0;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        ++lineNumber;
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        auto fail = [&](const QString &why) {
            if (error)
                *error = QStringLiteral("designs line %1: %2").arg(lineNumber).arg(why);
            return false;
        };
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString &keyword = words.first();
        auto numbers = [&](int from, int count, QList<double> *out) {
            if (words.size() < from + count)
                return false;
            for (int i = from; i < from + count; ++i) {
                double v = 0;
                if (!number(words.at(i), &v))
                    return false;
                out->append(v);
            }
            return true;
        };
        if (keyword == QLatin1String("design")) {
            QList<double> size;
            if (words.size() != 5 || !numbers(2, 2, &size) || !colour(words.at(4)).isValid())
                return fail(QStringLiteral("design NAME WIDTH HEIGHT BACKGROUND"));
            PageDesign design;
            design.name = words.at(1);
            design.width = int(size.at(0));
            design.height = int(size.at(1));
            design.background = colour(words.at(4));
            current = &(m_designs[design.name] = design);
        } else if (keyword == QLatin1String("folder")) {
            if (words.size() != 4)
                return fail(QStringLiteral("folder FOLDER DESIGN BLANKDESIGN"));
            m_folders.insert(words.at(1), {words.at(2), words.at(3)});
            current = nullptr;
        } else if (keyword == QLatin1String("field")) {
            const QStringList parts = line.mid(keyword.size()).split(QStringLiteral(" | "));
            if (parts.size() != 3)
                return fail(QStringLiteral("field SAMPLE | LABEL | VALUE"));
            QString value = parts.at(2).trimmed();
            value.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
            m_records[parts.at(0).trimmed()].insert(parts.at(1).trimmed(), value);
            current = nullptr;
        } else if (keyword == QLatin1String("sheet")) {
            if (words.size() < 4)
                return fail(QStringLiteral("sheet FOLDER CATEGORY SHEET"));
            m_sheets.insert(words.at(1) + QLatin1Char('/') + words.at(2), words.mid(3).join(QLatin1Char(' ')));
            current = nullptr;
        } else {
            if (!current)
                return fail(QStringLiteral("a piece outside a design"));
            DesignPiece piece;
            QList<double> n;
            if (keyword == QLatin1String("band") || keyword == QLatin1String("circle") || keyword == QLatin1String("line")) {
                if (words.size() != 6 || !numbers(1, 4, &n) || !colour(words.at(5)).isValid())
                    return fail(keyword + QStringLiteral(" X Y W H COLOUR"));
                piece.kind = keyword == QLatin1String("band")     ? DesignPiece::Kind::Band
                             : keyword == QLatin1String("circle") ? DesignPiece::Kind::Circle
                                                                  : DesignPiece::Kind::Line;
                piece.colour = colour(words.at(5));
                piece.box = keyword == QLatin1String("line") ? QRectF(QPointF(n[0], n[1]), QPointF(n[2], n[3]))
                                                             : QRectF(n[0], n[1], n[2], n[3]);
            } else if (keyword == QLatin1String("text")) {
                if (words.size() < 9 || !numbers(1, 5, &n) || !colour(words.at(6)).isValid())
                    return fail(QStringLiteral("text X Y W H SIZE COLOUR ALIGN TEXT"));
                piece.kind = DesignPiece::Kind::Text;
                piece.box = QRectF(n[0], n[1], n[2], n[3]);
                piece.size = n[4];
                piece.colour = colour(words.at(6));
                piece.centred = words.at(7) == QLatin1String("centre");
                piece.text = words.mid(8).join(QLatin1Char(' '));
            } else if (keyword == QLatin1String("box")) {
                if (words.size() < 9 || !numbers(1, 5, &n) || !colour(words.at(6)).isValid() || !colour(words.at(7)).isValid())
                    return fail(QStringLiteral("box X Y W H SIZE FILL COLOUR TEXT"));
                piece.kind = DesignPiece::Kind::Text;
                piece.box = QRectF(n[0], n[1], n[2], n[3]);
                piece.size = n[4];
                piece.fill = colour(words.at(6));
                piece.colour = colour(words.at(7));
                piece.centred = true;
                piece.text = words.mid(8).join(QLatin1Char(' '));
            } else if (keyword == QLatin1String("picture")) {
                if (words.size() != 6 || !numbers(1, 4, &n))
                    return fail(QStringLiteral("picture X Y W H SCENE"));
                piece.kind = DesignPiece::Kind::Picture;
                piece.box = QRectF(n[0], n[1], n[2], n[3]);
                piece.text = words.at(5);
            } else {
                return fail(QStringLiteral("unknown piece \"%1\"").arg(keyword));
            }
            current->pieces.append(piece);
        }
    }
    for (auto it = m_folders.cbegin(); it != m_folders.cend(); ++it)
        if (!m_designs.contains(it->first) || !m_designs.contains(it->second)) {
            if (error)
                *error = QStringLiteral("folder %1 names a design that is not described").arg(it.key());
            return false;
        }
    return true;
}

const PageDesign *TemplateDesigns::design(const QString &name) const
{
    const auto found = m_designs.constFind(name);
    return found == m_designs.constEnd() ? nullptr : &*found;
}

const PageDesign *TemplateDesigns::designFor(const QString &folder, bool blank) const
{
    const auto found = m_folders.constFind(folder);
    if (found == m_folders.constEnd())
        return nullptr;
    return design(blank ? found->second : found->first);
}

QString TemplateDesigns::sheetFor(const QString &folder, const QString &category) const
{
    return m_sheets.value(folder + QLatin1Char('/') + category);
}
