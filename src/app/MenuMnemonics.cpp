#include "app/MenuMnemonics.h"

#include <QHash>

namespace {
// The letters people expect on the menu bar, by plain title.
QChar customaryLetter(const QString &title)
{
    static const QHash<QString, QChar> letters = {
        {QStringLiteral("File"), QLatin1Char('f')},     {QStringLiteral("Edit"), QLatin1Char('e')},
        {QStringLiteral("View"), QLatin1Char('v')},     {QStringLiteral("Format"), QLatin1Char('o')},
        {QStringLiteral("Add New"), QLatin1Char('a')},  {QStringLiteral("Publish"), QLatin1Char('p')},
        {QStringLiteral("Print"), QLatin1Char('r')},    {QStringLiteral("Settings"), QLatin1Char('s')},
        {QStringLiteral("Windows"), QLatin1Char('w')},  {QStringLiteral("Help"), QLatin1Char('h')},
        {QStringLiteral("Photos"), QLatin1Char('t')},   {QStringLiteral("Quit"), QLatin1Char('q')},
        {QStringLiteral("Undo"), QLatin1Char('u')},     {QStringLiteral("Redo"), QLatin1Char('r')},
        {QStringLiteral("Cut"), QLatin1Char('t')},      {QStringLiteral("Copy"), QLatin1Char('c')},
        {QStringLiteral("Paste"), QLatin1Char('p')},    {QStringLiteral("Delete"), QLatin1Char('d')},
        {QStringLiteral("Save"), QLatin1Char('s')},     {QStringLiteral("Save As..."), QLatin1Char('a')},
        {QStringLiteral("Close"), QLatin1Char('c')},    {QStringLiteral("Open"), QLatin1Char('o')},
        {QStringLiteral("New"), QLatin1Char('n')},
    };
    return letters.value(title);
}

void assignLevel(QList<MenuNode> &nodes)
{
    QString taken;
    // Customary letters first, so that an earlier title does not take them.
    QList<qsizetype> chosen(nodes.size(), -2);
    for (qsizetype i = 0; i < nodes.size(); ++i) {
        const MenuNode &node = nodes[i];
        if (node.separator || node.hidden || node.title.contains(QLatin1Char('&')))
            continue;
        const QChar letter = customaryLetter(node.title);
        if (letter.isNull() || taken.contains(letter))
            continue;
        const qsizetype at = node.title.indexOf(letter, 0, Qt::CaseInsensitive);
        if (at >= 0) {
            chosen[i] = at;
            taken += letter;
        }
    }
    for (qsizetype i = 0; i < nodes.size(); ++i) {
        MenuNode &node = nodes[i];
        if (!node.items.isEmpty())
            assignLevel(node.items);
        if (node.separator || node.hidden || node.title.contains(QLatin1Char('&')))
            continue;
        qsizetype at = chosen[i];
        if (at == -2) {
            at = MenuMnemonics::choose(node.title, taken);
            if (at >= 0)
                taken += node.title.at(at).toLower();
        }
        if (at >= 0)
            node.title = MenuMnemonics::marked(node.title, at);
    }
}
} // namespace

void MenuMnemonics::assign(MainMenuModel &model)
{
    assignLevel(model.menus);
}

QString MenuMnemonics::marked(const QString &title, qsizetype index)
{
    QString out;
    out.reserve(title.size() + 2);
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (i == index)
            out += QLatin1Char('&');
        if (title.at(i) == QLatin1Char('&'))
            out += QLatin1Char('&');
        out += title.at(i);
    }
    return out;
}

qsizetype MenuMnemonics::choose(const QString &title, const QString &taken, QChar preferred)
{
    auto freeLetter = [&taken](QChar c) { return c.isLetterOrNumber() && !taken.contains(c.toLower()); };
    if (!preferred.isNull()) {
        const qsizetype at = title.indexOf(preferred, 0, Qt::CaseInsensitive);
        if (at >= 0 && freeLetter(title.at(at)))
            return at;
    }
    // Word starts first, then any letter.
    for (qsizetype i = 0; i < title.size(); ++i)
        if ((i == 0 || title.at(i - 1).isSpace()) && freeLetter(title.at(i)))
            return i;
    for (qsizetype i = 0; i < title.size(); ++i)
        if (freeLetter(title.at(i)))
            return i;
    return -1;
}
