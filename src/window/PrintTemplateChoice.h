#pragma once
// Choosing a print template in one of the window's seven template pop-ups:
// the titles they list, the name a chosen title stands for, and the change
// itself (asked first; then the page, and on request every page of the
// project, take the template and its sheet).
#include "config/LabelTemplateHelper.h"
#include "window/ProjectPages.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class PrintTemplateChoice {
public:
    // The seven pop-ups, in the order the window makes them.
    enum class PopUp { Label, Flyer, Manual, FoldingCard, BusinessCard, ECard, Envelope };
    static const QStringList &popUpNames();
    // The pop-up the edition's Templates sheet shows, and the label beside it.
    static PopUp popUpFor(const QString &edition);
    static QString popUpLabel(PopUp popUp);

    // "brand number description", trimmed: one title per template, in order.
    static QString templateTitle(const LabelTemplateHelper &helper);
    static QStringList templateTitles(const QList<LabelTemplateHelper> &templates);
    // The sheet name a title stands for: for the label pop-up the part from
    // its first "Label" on, for the others the whole title, trimmed.
    static QString chosenName(PopUp popUp, const QString &title);
    // The zoom title that goes with a handle scale ("35%").
    static QString zoomTitle(float handleScale);

    explicit PrintTemplateChoice(ProjectPages &project, ProjectWindowHost *host = nullptr);
    // The user picked the template at index in popUp: asks, then changes
    // when the answer comes, and tells `changed`. Answers whether the page
    // took the new template by the time it returns.
    bool templateSelectionUpdated(PopUp popUp, int index, std::function<void()> changed = {});

private:
    void applyChange(PopUp popUp, const LabelTemplateHelper &record, const QString &name);

    ProjectPages &project_;
    ProjectWindowHost defaultHost_;
    ProjectWindowHost *host_;
};
