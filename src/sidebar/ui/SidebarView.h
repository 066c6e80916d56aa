#pragma once
// The window's side panel in the sidebar editions: the ADD, FORMAT and LAYER
// tabs over one scrolling list. The palette entries, the FORMAT rows and the
// controls are made once per window and shown, hidden and placed as the
// plans say; rebuilds asked for during one event-loop turn happen once.
#include "sidebar/SidebarPlans.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

class DragIconView;
class FormatIconView;
class InspectorBindings;
class InspectorControls;
class QLabel;
class QScrollArea;
class QTabBar;
class SKTGraphic;
class SelectionProxy;

class InspectorView : public QWidget {
    Q_OBJECT
public:
    struct Page {
        std::function<QList<SKTGraphic *>()> graphics;  // the page's graphics, in list order
        QString fileExtension;                          // the page's publish extension
        std::function<QString()> colourHex;             // the page's background colour string
    };
    InspectorView(InspectorBindings &bindings, SelectionProxy &selection, Page page, QWidget *parent = nullptr);
    ~InspectorView() override;

    enum Tab { Add = 0, Format = 1, Layer = 2 };
    int currentTab() const;
    void setCurrentTab(int tab);

    // The selection or the page's graphics changed: the tab shown is rebuilt
    // once, at the end of this event-loop turn.
    void graphicTouched();
    void rebuildNow();

    InspectorControls &controls() { return *m_controls; }
    const QList<DragIconView *> &paletteEntries() const { return m_palette; }
    const QList<FormatIconView *> &formatRows() const { return m_formatRows; }
    const QList<FormatIconView *> &layerRows() const { return m_layerRows; }
    QLabel *headerLabel() const { return m_header; }
    // The edition's hiding set: FORMAT rows of only these controls never show.
    void setHiddenControls(const QStringList &names);

signals:
    // A LAYER row was clicked: add the graphic at this index to the selection.
    void layerRowClicked(int objectIndex);
    // A palette entry was clicked (not dragged).
    void paletteEntryActivated(const QString &codeName);

protected:
    // The lists are laid out for the panel's width: a new width lays them out again.
    void resizeEvent(QResizeEvent *event) override;

private:
    void showObjectsList();
    void showFormattingOptions();
    void showLayers();
    void hideAllRows();

    InspectorBindings &m_bindings;
    SelectionProxy &m_selection;
    Page m_page;
    QTabBar *m_tabs = nullptr;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_content = nullptr;
    QLabel *m_header = nullptr;
    InspectorControls *m_controls = nullptr;
    QList<DragIconView *> m_palette;
    QList<FormatIconView *> m_formatRows;
    QList<FormatIconView *> m_layerRows;
    QHash<FormatIconView *, QHash<QString, QLabel *>> m_captions;
    bool m_rebuildPending = false;
    QStringList m_hiddenControls;
};
