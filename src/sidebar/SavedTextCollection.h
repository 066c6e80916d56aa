#pragma once
// The user's library of saved text snippets, kept in the preferences under
// "savedTextArray" as a list of {"title", "textContent"} maps in insertion
// order. Every change reads the stored list, builds a new one and stores it
// whole, so that every window sharing the preferences sees the same list.
#include <QDateTime>
#include <QList>
#include <QString>

class SKTText;
class UndoManager;
class UserDefaults;

struct SavedTextRecord {
    QString title;
    QString textContent;
    bool operator==(const SavedTextRecord &) const = default;
};

class SavedTextCollection {
public:
    static QString defaultsKey() { return QStringLiteral("savedTextArray"); }

    // Works with the given preferences (the program's own by default).
    explicit SavedTextCollection(UserDefaults *defaults = nullptr);

    QList<SavedTextRecord> records() const;
    int count() const;
    void append(const SavedTextRecord &record);
    // Replaces the snippet at index when 0 <= index < count; any other index
    // (negative ones included) appends instead.
    void update(int index, const SavedTextRecord &record);
    // Removes the snippet at index; false (and nothing changes) when out of range.
    bool remove(int index);

    // "Added <date>" for a snippet taken from a text box at the given moment,
    // in English whatever the desktop's language, with the calendar year.
    static QString addedTitle(const QDateTime &when);

    // Appends "\n" and the snippet to the text box's text as one named undo step.
    static void pullInto(SKTText &text, const QString &snippet, UndoManager *undo);

private:
    void store(const QList<SavedTextRecord> &records);
    UserDefaults &defaults() const;

    UserDefaults *m_defaults = nullptr;
};
