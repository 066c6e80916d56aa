#pragma once
// The table of editions (data/editions/editions.json): for each edition key,
// in the order the display name is tested, the settings that edition writes.
// Entries that derive from another ("base") are resolved when the table is
// loaded, so every EditionEntry is complete on its own.
#include "config/LabelTemplateHelper.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

struct EditionEntry {
    // Edition key; empty for the default edition.
    QString key;
    // Setting name -> value: QString, bool, double or QStringList. A string
    // starting with "@" names an address fixed at build time.
    QVariantMap settings;
    // Flags written 1.
    QStringList flags;
    // Image name of the edition icon; empty: no icon.
    QString icon;
    // "A", "B" or "C"; empty: the palette is not written.
    QString palette;
    // Starter documents after gGettingStartedFile.
    QStringList moreStarterTemplates;
    std::optional<LabelTemplateHelper> defaultLabelTemplate;
    // Sheet templates listed in the table, or read from the bundle's labels file.
    std::optional<QList<LabelTemplateHelper>> labelTemplates;
    bool labelTemplatesFromFile = false;
    // Sheet applied at launch (looked up and sized); empty: none.
    QString defaultPrintSheet;
    // After the sheet, the shared print-sheet settings (side panel, page icons,
    // hidden link and position commands...). The sheet is the first template's
    // when defaultPrintSheet is empty.
    bool printSheetStep = false;
    // The user's saved category names replace gDefaultCategories.
    bool categoryOverride = false;
    // Category names go through translation.
    bool localizeCategories = false;
};

class EditionTable {
public:
    // Reads and resolves the table at path. On failure the table is empty and
    // *error says why.
    static EditionTable load(const QString &path, QString *error = nullptr);
    // The table shipped with the program (read once).
    static const EditionTable &shared();

    const QList<EditionEntry> &editions() const { return editions_; }
    const EditionEntry &defaultEdition() const { return default_; }
    bool isEmpty() const { return editions_.isEmpty(); }

    // The first edition whose key equals displayName exactly (case-sensitive,
    // no trimming), else the default edition.
    const EditionEntry &select(const QString &displayName) const;

private:
    QList<EditionEntry> editions_;
    EditionEntry default_;
};
