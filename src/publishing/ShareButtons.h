#pragma once
// The share window's buttons: the ones every window makes, the ones an edition
// shows (in its order, under its titles) and where each sits in the grid. The
// table lives in data/share/share_buttons.tsv.
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

class ShareButtons {
public:
    ShareButtons() = delete;

    struct Button {
        QString property;  // "saveAsPNGButton"
        QString icon;      // drawing name
        QString title;
        QString action;    // the document action it runs
    };

    static constexpr int kButtonSide = 100;
    static constexpr int kGap = 30;
    static constexpr int kColumns = 4;

    // Every button, in the order the window makes them, with the titles the
    // edition shows.
    static QList<Button> allButtons(const QString &appName);
    // The buttons an edition shows, in order; none for an edition the table does
    // not name. The rate button is left out when there is no store page.
    static QList<Button> buttonsForEdition(const QString &appName, const QString &storePage);
    // Top-left corner of the button at list index k: 4 to a row, 130 points apart.
    static QPoint gridPosition(int index);
    // The grid's size for count buttons.
    static QSize gridSize(int count);

    static QString dataFilePath();
    // Replaces the table (tests); an empty text reloads the shipped one.
    static void loadFromText(const QString &text);
};
