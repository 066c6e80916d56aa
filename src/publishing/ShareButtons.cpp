#include "publishing/ShareButtons.h"

#include "platform/Bundle.h"

#include <QDebug>
#include <QFile>
#include <QHash>
#include <QSize>
#include <QStringList>

namespace {

struct Table {
    QList<ShareButtons::Button> buttons;
    QHash<QString, QStringList> editions;
    QHash<QString, QHash<QString, QString>> retitles;  // edition -> property -> title
    bool loaded = false;
};

Table &table()
{
    static Table t;
    return t;
}

void parse(const QString &text)
{
    Table &t = table();
    t = Table{};
    t.loaded = true;
    for (const QString &line : text.split(u'\n')) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList f = line.split(u'\t');
        if (f.at(0) == QLatin1String("button") && f.size() >= 5)
            t.buttons.append({f.at(1), f.at(2), f.at(3), f.at(4)});
        else if (f.at(0) == QLatin1String("edition") && f.size() >= 3)
            t.editions.insert(f.at(1), f.at(2).split(u' ', Qt::SkipEmptyParts));
        else if (f.at(0) == QLatin1String("retitle") && f.size() >= 4)
            t.retitles[f.at(1)].insert(f.at(2), f.at(3));
        else
            qWarning() << "share_buttons.tsv: a row not understood:" << line;
    }
}

const Table &loadedTable()
{
    if (!table().loaded) {
        QFile file(ShareButtons::dataFilePath());
        if (file.open(QIODevice::ReadOnly | QIODevice::Text))
            parse(QString::fromUtf8(file.readAll()));
        else {
            qWarning("data/share/share_buttons.tsv not found: the share window shows no buttons");
            table().loaded = true;
        }
    }
    return table();
}

}  // namespace

QString ShareButtons::dataFilePath()
{
    return Bundle::pathForData(QStringLiteral("share/share_buttons.tsv"));
}

void ShareButtons::loadFromText(const QString &text)
{
    if (text.isEmpty())
        table() = Table{};
    else
        parse(text);
}

QList<ShareButtons::Button> ShareButtons::allButtons(const QString &appName)
{
    const Table &t = loadedTable();
    QList<Button> buttons = t.buttons;
    const QHash<QString, QString> retitles = t.retitles.value(appName);
    for (Button &b : buttons)
        b.title = retitles.value(b.property, b.title);
    return buttons;
}

QList<ShareButtons::Button> ShareButtons::buttonsForEdition(const QString &appName, const QString &storePage)
{
    const QList<Button> all = allButtons(appName);
    QList<Button> shown;
    for (const QString &name : loadedTable().editions.value(appName)) {
        const QString property = name + QStringLiteral("Button");
        if (property == QLatin1String("rateAppButton") && storePage.isEmpty())
            continue;
        for (const Button &b : all)
            if (b.property == property)
                shown.append(b);
    }
    return shown;
}

QPoint ShareButtons::gridPosition(int index)
{
    return {(index % kColumns) * (kButtonSide + kGap), (index / kColumns) * (kButtonSide + kGap)};
}

QSize ShareButtons::gridSize(int count)
{
    if (count <= 0)
        return {0, 0};
    const int columns = qMin(count, kColumns);
    const int rows = (count + kColumns - 1) / kColumns;
    return {columns * kButtonSide + (columns - 1) * kGap, rows * kButtonSide + (rows - 1) * kGap};
}
