#include "app/MainMenuModel.h"

#include "platform/Bundle.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcMenus, "zov.menus")

namespace {

QJsonObject readObject(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return {};
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isObject()) {
        if (error)
            *error = QStringLiteral("%1 is not a table: %2").arg(path, parseError.errorString());
        return {};
    }
    return document.object();
}

QStringList stringsOf(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &entry : value.toArray())
        list << entry.toString();
    return list;
}

MenuNode nodeOf(const QJsonObject &object)
{
    MenuNode node;
    node.separator = object.value(QLatin1String("separator")).toBool();
    node.outlet = object.value(QLatin1String("outlet")).toString();
    node.menuOutlet = object.value(QLatin1String("menu")).toString();
    node.title = object.value(QLatin1String("title")).toString();
    node.shortcut = object.value(QLatin1String("shortcut")).toString();
    node.action = object.value(QLatin1String("action")).toString();
    for (const QJsonValue &item : object.value(QLatin1String("items")).toArray())
        node.items << nodeOf(item.toObject());
    return node;
}

template <typename Node>
Node *findIn(QList<MenuNode> &nodes, const QString &outlet)
{
    for (MenuNode &node : nodes) {
        if (node.outlet == outlet || (!node.menuOutlet.isEmpty() && node.menuOutlet == outlet))
            return &node;
        if (MenuNode *found = findIn<Node>(node.items, outlet))
            return found;
    }
    return nullptr;
}

void collectOutlets(const QList<MenuNode> &nodes, QStringList &list)
{
    for (const MenuNode &node : nodes) {
        if (!node.outlet.isEmpty())
            list << node.outlet;
        if (!node.menuOutlet.isEmpty())
            list << node.menuOutlet;
        collectOutlets(node.items, list);
    }
}

}  // namespace

bool MainMenuModel::load(const QString &path, QString *error)
{
    const QJsonObject root = readObject(path, error);
    if (root.isEmpty())
        return false;
    menus.clear();
    for (const QJsonValue &menu : root.value(QLatin1String("menus")).toArray())
        menus << nodeOf(menu.toObject());
    if (menus.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1 holds no menus").arg(path);
        return false;
    }
    return true;
}

MainMenuModel MainMenuModel::standard()
{
    MainMenuModel model;
    QString error;
    if (!model.load(Bundle::pathForData(QStringLiteral("menus/mainmenu.json")), &error))
        qCWarning(lcMenus).noquote() << "No main menu:" << error;
    return model;
}

MenuNode *MainMenuModel::find(const QString &outlet)
{
    if (outlet.isEmpty())
        return nullptr;
    return findIn<MenuNode>(menus, outlet);
}

const MenuNode *MainMenuModel::find(const QString &outlet) const
{
    return const_cast<MainMenuModel *>(this)->find(outlet);
}

QStringList MainMenuModel::outlets() const
{
    QStringList list;
    collectOutlets(menus, list);
    return list;
}

bool EditionMenuTable::load(const QString &path, QString *error)
{
    const QJsonObject root = readObject(path, error);
    if (root.isEmpty())
        return false;
    m_named = stringsOf(root.value(QLatin1String("namedEditions")));
    m_hidden.clear();
    m_titles.clear();
    m_actions.clear();
    const QJsonObject hidden = root.value(QLatin1String("hidden")).toObject();
    for (auto it = hidden.begin(); it != hidden.end(); ++it) {
        const QJsonObject who = it.value().toObject();
        Row row;
        row.outlet = it.key();
        if (who.value(QLatin1String("all")).toBool()) {
            row.editions = m_named;
        } else if (who.contains(QLatin1String("allExcept"))) {
            const QStringList except = stringsOf(who.value(QLatin1String("allExcept")));
            for (const QString &name : m_named) {
                if (!except.contains(name))
                    row.editions << name;
            }
        } else {
            row.editions = stringsOf(who.value(QLatin1String("in")));
        }
        m_hidden << row;
    }
    auto readRows = [&root](const char *key, const char *valueKey, QList<Row> &rows) {
        for (const QJsonValue &value : root.value(QLatin1String(key)).toArray()) {
            const QJsonObject object = value.toObject();
            rows << Row{object.value(QLatin1String("outlet")).toString(),
                        object.value(QLatin1String(valueKey)).toString(),
                        stringsOf(object.value(QLatin1String("editions")))};
        }
    };
    readRows("titles", "title", m_titles);
    readRows("actions", "action", m_actions);
    return true;
}

const EditionMenuTable &EditionMenuTable::standard()
{
    static const EditionMenuTable table = [] {
        EditionMenuTable t;
        QString error;
        if (!t.load(Bundle::pathForData(QStringLiteral("menus/editions.json")), &error))
            qCWarning(lcMenus).noquote() << "No edition menu table:" << error;
        return t;
    }();
    return table;
}

EditionMenuChanges EditionMenuTable::changesFor(const QString &edition) const
{
    EditionMenuChanges changes;
    if (!m_named.contains(edition))
        return changes;
    for (const Row &row : m_hidden) {
        if (row.editions.contains(edition))
            changes.hidden << row.outlet;
    }
    for (const Row &row : m_titles) {
        if (row.editions.contains(edition))
            changes.titles << qMakePair(row.outlet, row.value);
    }
    for (const Row &row : m_actions) {
        if (row.editions.contains(edition))
            changes.actions << qMakePair(row.outlet, row.value);
    }
    return changes;
}

QStringList EditionMenuTable::outlets() const
{
    QStringList list;
    for (const QList<Row> *rows : {&m_hidden, &m_titles, &m_actions}) {
        for (const Row &row : *rows) {
            if (!list.contains(row.outlet))
                list << row.outlet;
        }
    }
    return list;
}
