#pragma once
// The inspector of the editions without the sidebar: a header that always
// shows (position and size, the lock, the section tabs) over one of three
// sections, "Style", "Color" and "Effects", built from the window's shared
// controls at fixed places.
#include <QList>
#include <QPointer>
#include <QWidget>

class InspectorBindings;
class InspectorControls;
class QButtonGroup;
class QLabel;
class SKTGraphic;

class FixedInspectorPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 270;
    FixedInspectorPanel(InspectorBindings &bindings, QWidget *parent = nullptr);
    ~FixedInspectorPanel() override;

    // 0 "Style", 1 "Color", 2 "Effects".
    void switchInspectorView(int section);
    int currentSection() const { return m_section; }
    QWidget *sectionView(int section) const;
    InspectorControls &controls() { return *m_controls; }
    // The selection changed: the controls and colour buttons show it again.
    void graphicTouched(const QList<SKTGraphic *> &selected, const QString &pageColourHex);
    // The Color section's six captions, made anew (hover captions only in
    // editions that show hover colours).
    void refreshColorLabels();
    // The colour buttons restyled for the selection and the page colour and
    // placed under their captions.
    void refreshColorButtons(const QList<SKTGraphic *> &selected, const QString &pageColourHex);
    QList<QLabel *> colorLabels() const;
    // The edition's hiding set: the named controls and captions (link,
    // link option, tooltip, scrolling ...) never show.
    void hideEditionControls(const QStringList &names);

private:
    QLabel *caption(QWidget *parent, const QString &text, const QRect &frame, bool header = false);
    void place(const QString &name, QWidget *parent, const QRect &frame, bool centred = false);
    void buildHeader();
    void buildStyle();
    void buildColor();
    void buildEffects();

    InspectorBindings &m_bindings;
    InspectorControls *m_controls = nullptr;
    QWidget *m_sections[3] = {nullptr, nullptr, nullptr};
    QButtonGroup *m_tabs = nullptr;
    int m_section = 0;
    QList<QPointer<QLabel>> m_colorLabels;
};
