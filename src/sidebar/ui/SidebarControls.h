#pragma once
// The inspector's controls of one window, made once by control name and
// attached to the bindings: a typed field edits when editing ends, a slider
// drag is one undo step, and values shown from the selection never come back
// as edits. A refused entry shows its reason beside the field.
#include "sidebar/SidebarBindings.h"

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class SKTGraphic;

class InspectorControls : public QObject {
    Q_OBJECT
public:
    InspectorControls(InspectorBindings &bindings, QObject *parent = nullptr);
    ~InspectorControls() override;
    // The control of that name, made on first use; null for unknown names.
    QWidget *control(const QString &name);
    // The label that says why the last entry of a field was refused.
    QLabel *refusalLabel(const QString &name);
    void show(const QString &name, const ControlDisplay &display);
    // Controls the edition never shows: they stay hidden whatever the
    // selection, and wherever they are placed.
    void setEditionHidden(const QStringList &names);
    bool editionHides(const QString &name) const { return m_editionHidden.contains(name); }
    // Restyles a colour button for the colour (invalid or clear: "Clear").
    void setSwatchColor(const QString &name, const QColor &colour);
    // createColorButton: the swatch image with the colour's hex (or "Clear")
    // written over it in the inverted colour; the button keeps its place.
    static QPushButton *createColorButton(const QColor &colour, QPushButton *button);
    static QColor returnInvertedColor(const QColor &colour);

    // Who carries out a control's edit: by default the bindings alone; the
    // window hands in its actions so that each edit also runs its action.
    using EditHandler = std::function<EditResult(const QString &name, const QVariant &input)>;
    void setEditHandler(EditHandler handler) { m_editHandler = std::move(handler); }
    // The five graphic colour buttons show the first selected graphic's colours
    // (clear with nothing selected); the canvas button shows the page colour.
    void showSelectionColours(const QList<SKTGraphic *> &selected, const QString &pageColourHex);

signals:
    // A colour button was pressed (its control name): the window opens the
    // swatch pop-over for that colour. The mask button opens the mask chooser.
    void colorButtonClicked(const QString &name, QWidget *button);
    void maskButtonClicked(QWidget *button);

private:
    QWidget *make(const QString &name);
    void report(const QString &name, const QString &message);
    EditResult edit(const QString &name, const QVariant &input);

    InspectorBindings &m_bindings;
    QHash<QString, QPointer<QWidget>> m_controls;
    QHash<QString, QPointer<QLabel>> m_refusals;
    bool m_showing = false;
    EditHandler m_editHandler;
    QStringList m_editionHidden;
};
