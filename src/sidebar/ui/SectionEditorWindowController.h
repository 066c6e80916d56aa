#pragma once
// "Configure Section Grid": the non-modal editor of a section's columns. The
// column count pop-up shows that many SectionView panes side by side in a
// splitter at half scale; a pane's button shows its column's grid spans in
// the four screen-size pop-ups, which store into that column at once. Save
// writes everything into the section as one undo step and hides the window.
// One editor per canvas, reused from one opening to the next.
#include "sidebar/SectionColumnEditing.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class GridInsertion;
class QComboBox;
class QLabel;
class QPushButton;
class QSplitter;
class SKTDocument;
class SKTTable;
class SectionView;

class SectionEditorWindowController : public QWidget {
    Q_OBJECT
public:
    explicit SectionEditorWindowController(QWidget *parent = nullptr);
    ~SectionEditorWindowController() override;

    // configureSectionWindowController: fills the editor from the section and shows it.
    void configure(SKTDocument &document, GridInsertion &insertion, SKTTable &section);
    // The Save button: writes back and hides the window; false when the
    // section is gone or the count is out of range.
    bool saveSectionEditorWindowController();

    QComboBox *numOfColumnsPopupButton() const { return m_count; }
    QComboBox *xsPopUpButton() const { return m_spans[0]; }
    QComboBox *smallPopUpButton() const { return m_spans[1]; }
    QComboBox *mediumPopUpButton() const { return m_spans[2]; }
    QComboBox *largePopUpButton() const { return m_spans[3]; }
    QPushButton *saveButton() const { return m_save; }
    QLabel *columnGridLabel() const { return m_caption; }
    QSplitter *columnSplitView() const { return m_split; }
    const QList<SectionView *> &splitViewMutableArray() const { return m_views; }
    SectionView *selectedSectionView() const { return m_selected; }

    void columnUpdated();
    void updateSectionViewGridEditor(SectionView *view);
    void saveSectionViewGridProperties();

private:
    void prepSectionViews();

    QPointer<QWidget> m_mainView;
    QComboBox *m_count = nullptr;
    QComboBox *m_spans[4] = {nullptr, nullptr, nullptr, nullptr};
    QLabel *m_caption = nullptr;
    QPushButton *m_save = nullptr;
    QSplitter *m_split = nullptr;
    QList<SectionView *> m_views;
    SectionView *m_selected = nullptr;
    SKTDocument *m_document = nullptr;
    GridInsertion *m_insertion = nullptr;
    SKTTable *m_section = nullptr;
    bool m_filling = false;
};
