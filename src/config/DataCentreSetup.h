#pragma once
// Class-level operations of DataCentre: see DataCentre.h.
// Start-up: choosing the edition, writing its settings, and the defaults that
// do not depend on the edition.
#include <QString>
#include <QStringList>

struct EditionEntry;
class UserDefaults;
class WorkFolder;

class DataCentreSetup {
public:
    // The start-up step, run once at launch before any window exists: web
    // fonts, the edition chain, image defaults, preset styles and shapes, the
    // work folders, print and zoom factors. The work folder is this
    // instance's own folder of WorkFolder::shared().
    static void initializeData();
    // The same with a given work folder (tests run two instances side by side).
    static void initializeData(WorkFolder &workFolder);

    // Builds the print-sheet catalogue, reads the bundle's name, version and
    // identifier, and writes the settings of the edition whose key equals the
    // display name exactly (the default edition when none does).
    static void runAppSpecificSetups();

    // Writes the settings of one edition table entry, then the final step
    // (gBaseTemplateName). Expects the print-sheet catalogue to be built.
    static void applyEdition(const EditionEntry &entry);

    // The category names saved by the user when "TextCategoryOverRide" is set,
    // keeping only the string entries of "CustomTextCategoryDescriptions";
    // fallback when the override is off.
    static QStringList overriddenCategories(UserDefaults &defaults, const QStringList &fallback);

    // The customise-categories window: saving gives the preset text styles the
    // texts (in order) and remembers them as the user's category names;
    // resetting forgets them and puts the edition's own names back, into
    // gDefaultCategories and the styles alike, and returns those names.
    static void saveCategories(const QStringList &texts);
    static QStringList resetCategories();

    // The address or key that the build supplies for an "@name" table value;
    // empty for an unknown name or when the build gave none.
    static QString buildAddress(const QString &name);
};
