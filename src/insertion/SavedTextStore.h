#pragma once
// The saved-text collection: the user default "savedTextArray", a list of
// records with "title" and "textContent". One store is shared by the canvas
// commands and the collection window, so both see every record at once.
#include <QList>
#include <QObject>
#include <QString>

struct SavedText {
    QString title;
    QString textContent;
    bool operator==(const SavedText &) const = default;
};

class SavedTextStore : public QObject {
    Q_OBJECT
public:
    explicit SavedTextStore(QObject *parent = nullptr) : QObject(parent) {}

    // Records without a text are skipped when reading.
    QList<SavedText> records() const;
    int count() const { return int(records().size()); }
    void append(const SavedText &record);

signals:
    void changed();
};
