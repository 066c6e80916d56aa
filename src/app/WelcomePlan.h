#pragma once
// What the welcome window shows for the running edition: its name and
// version, the what's-new note, which optional buttons it keeps and what its
// two main buttons say and send (data/welcome/buttons.json). The window only
// realises this plan.
#include <QRectF>
#include <QString>

class WelcomePlan {
public:
    struct Button {
        QString title;
        QString action;   // sent along the responder chain
    };

    QString windowTitle;   // "Welcome to " and the edition name
    QString appTitle;      // the edition name ("Zov" for the default edition)
    QString versionText;
    QString whatsNew;
    Button newButton;
    Button openButton;
    bool showUserGuide = false;
    bool showVideoTutorial = false;
    bool showPromotion = false;   // this program carries no promotions

    // The plan for the edition settings of this run.
    static WelcomePlan current();

    // The largest whole point size (5 to 299) at which text in the named font
    // fits rect; 4 when even 5 points do not fit.
    static int calcFontSizeToFitRect(const QString &text, const QString &fontName, const QRectF &rect);
    // The family drawn for a stored family name: the two families the
    // welcome window and the slideshows name are not on Linux, so they are
    // drawn with an installed look-alike (the stored name never changes).
    static void installFontSubstitutions();
};
