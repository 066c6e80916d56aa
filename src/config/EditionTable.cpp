#include "config/EditionTable.h"

#include "platform/Bundle.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcEditions, "zov.editions")

// Keys of an entry that describe how to derive it; never inherited.
const QStringList kDerivationKeys = {QStringLiteral("base"), QStringLiteral("unset"), QStringLiteral("clearFlags")};

QVariant settingValue(const QJsonValue &value, const QJsonObject &lists, QString *error)
{
    if (value.isString()) {
        const QString text = value.toString();
        if (text.startsWith(QLatin1Char('$'))) {
            const QJsonValue list = lists.value(text.mid(1));
            if (!list.isArray()) {
                *error = QStringLiteral("unknown list %1").arg(text);
                return {};
            }
            return list.toVariant().toStringList();
        }
        return text;
    }
    if (value.isArray())
        return value.toVariant().toStringList();
    if (value.isBool() || value.isDouble())
        return value.toVariant();
    *error = QStringLiteral("unsupported value");
    return {};
}

LabelTemplateHelper templateRecord(const QJsonObject &object)
{
    LabelTemplateHelper record;
    record.brand = object.value(QStringLiteral("brand")).toString(QStringLiteral(""));
    record.templateNumber = object.value(QStringLiteral("templateNumber")).toString(QStringLiteral(""));
    record.paperSize = object.value(QStringLiteral("paperSize")).toString(QStringLiteral(""));
    record.templateDescription = object.value(QStringLiteral("templateDescription")).toString(QStringLiteral(""));
    return record;
}

QStringList stringList(const QJsonValue &value)
{
    return value.toVariant().toStringList();
}

// Applies a derived entry onto its base's resolved object.
QJsonObject derive(QJsonObject base, const QJsonObject &entry)
{
    for (const QString &key : kDerivationKeys)
        base.remove(key);
    QJsonObject settings = base.value(QStringLiteral("settings")).toObject();
    const QJsonObject own = entry.value(QStringLiteral("settings")).toObject();
    for (auto it = own.begin(); it != own.end(); ++it)
        settings.insert(it.key(), it.value());
    for (const QString &name : stringList(entry.value(QStringLiteral("unset"))))
        settings.remove(name);

    QStringList flags = stringList(base.value(QStringLiteral("flags")));
    for (const QString &flag : stringList(entry.value(QStringLiteral("flags")))) {
        if (!flags.contains(flag))
            flags.append(flag);
    }
    for (const QString &flag : stringList(entry.value(QStringLiteral("clearFlags"))))
        flags.removeAll(flag);

    for (auto it = entry.begin(); it != entry.end(); ++it) {
        if (it.key() == QLatin1String("settings") || it.key() == QLatin1String("flags")
            || kDerivationKeys.contains(it.key()))
            continue;
        if (it.value().isNull())
            base.remove(it.key());
        else
            base.insert(it.key(), it.value());
    }
    base.insert(QStringLiteral("settings"), settings);
    base.insert(QStringLiteral("flags"), QJsonArray::fromStringList(flags));
    return base;
}

bool parseEntry(const QJsonObject &object, const QJsonObject &lists, EditionEntry *entry, QString *error)
{
    entry->key = object.value(QStringLiteral("key")).toString();
    const QJsonObject settings = object.value(QStringLiteral("settings")).toObject();
    for (auto it = settings.begin(); it != settings.end(); ++it) {
        QString why;
        const QVariant value = settingValue(it.value(), lists, &why);
        if (!value.isValid()) {
            *error = QStringLiteral("%1: %2: %3").arg(entry->key, it.key(), why);
            return false;
        }
        entry->settings.insert(it.key(), value);
    }
    entry->flags = stringList(object.value(QStringLiteral("flags")));
    entry->icon = object.value(QStringLiteral("icon")).toString();
    entry->palette = object.value(QStringLiteral("palette")).toString();
    entry->moreStarterTemplates = stringList(object.value(QStringLiteral("moreStarterTemplates")));
    if (object.value(QStringLiteral("defaultLabelTemplate")).isObject())
        entry->defaultLabelTemplate = templateRecord(object.value(QStringLiteral("defaultLabelTemplate")).toObject());
    const QJsonValue templates = object.value(QStringLiteral("labelTemplates"));
    if (templates.isString() && templates.toString() == QLatin1String("labelsFile")) {
        entry->labelTemplatesFromFile = true;
    } else if (templates.isArray()) {
        QList<LabelTemplateHelper> records;
        for (const QJsonValue &row : templates.toArray()) {
            const QJsonArray pair = row.toArray();
            if (pair.size() != 2) {
                *error = QStringLiteral("%1: a sheet template needs a paper size and a description").arg(entry->key);
                return false;
            }
            LabelTemplateHelper record;
            record.brand = QStringLiteral("");
            record.templateNumber = QStringLiteral("");
            record.paperSize = pair.at(0).toString();
            record.templateDescription = pair.at(1).toString();
            records.append(record);
        }
        entry->labelTemplates = records;
    }
    entry->defaultPrintSheet = object.value(QStringLiteral("defaultPrintSheet")).toString();
    entry->printSheetStep = object.value(QStringLiteral("printSheetStep")).toBool();
    entry->categoryOverride = object.value(QStringLiteral("categoryOverride")).toBool();
    entry->localizeCategories = object.value(QStringLiteral("localizeCategories")).toBool();
    return true;
}

} // namespace

EditionTable EditionTable::load(const QString &path, QString *error)
{
    EditionTable table;
    QString why;
    auto fail = [&](const QString &reason) {
        if (error)
            *error = reason;
        // Without its table the program still runs as a plain page editor.
        EditionTable fallback;
        fallback.default_.settings.insert(QStringLiteral("gDocumentExtension"), QStringLiteral("zovpage"));
        return fallback;
    };

    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read the edition table %1").arg(path));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isObject())
        return fail(QStringLiteral("%1: %2").arg(path, parseError.errorString()));

    const QJsonObject root = document.object();
    const QJsonObject lists = root.value(QStringLiteral("lists")).toObject();
    QHash<QString, QJsonObject> resolved;
    for (const QJsonValue &value : root.value(QStringLiteral("editions")).toArray()) {
        QJsonObject object = value.toObject();
        const QString key = object.value(QStringLiteral("key")).toString();
        if (key.isEmpty() || resolved.contains(key))
            return fail(QStringLiteral("edition key missing or repeated: \"%1\"").arg(key));
        const QString base = object.value(QStringLiteral("base")).toString();
        if (!base.isEmpty()) {
            if (!resolved.contains(base))
                return fail(QStringLiteral("%1: base edition \"%2\" must come earlier").arg(key, base));
            object = derive(resolved.value(base), object);
        }
        resolved.insert(key, object);
        EditionEntry entry;
        if (!parseEntry(object, lists, &entry, &why))
            return fail(why);
        table.editions_.append(entry);
    }
    if (!parseEntry(root.value(QStringLiteral("default")).toObject(), lists, &table.default_, &why))
        return fail(why);
    table.default_.key.clear();
    return table;
}

const EditionTable &EditionTable::shared()
{
    static const EditionTable table = [] {
        const QString path = Bundle::pathForData(QStringLiteral("editions/editions.json"));
        QString error;
        EditionTable loaded = load(path, &error);
        if (loaded.isEmpty())
            qCCritical(lcEditions).noquote() << "Starting as the default edition:" << error;
        return loaded;
    }();
    return table;
}

const EditionEntry &EditionTable::select(const QString &displayName) const
{
    if (!displayName.isEmpty()) {
        for (const EditionEntry &entry : editions_) {
            if (entry.key == displayName)
                return entry;
        }
    }
    return default_;
}
