#pragma once
// The template chooser window: the categories down the left, the thumbnails
// of the category shown in a three-column grid on the right, and the cancel,
// open and select buttons. Everything it shows comes from the application
// delegate, and every click goes back to it.
#include "app/TemplateChooser.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QPushButton;
class QScrollArea;
class SKTAppDelegate;
class TemplateIconButton;

class TemplateWindowController : public QWidget, public TemplateChooser {
    Q_OBJECT
public:
    explicit TemplateWindowController(SKTAppDelegate &delegate, QWidget *parent = nullptr);
    ~TemplateWindowController() override;

    void displayTemplate() override;
    void refreshTemplate() override;
    void updateSelection() override;
    bool isVisible() const override { return QWidget::isVisible(); }
    void setVisible(bool visible) override;

    QScrollArea *categoryScrollView() const { return m_categoryScrollView; }
    QScrollArea *scrollView() const { return m_scrollView; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    QPushButton *selectButton() const { return m_selectButton; }
    QPushButton *openButton() const { return m_openButton; }
    QCheckBox *baseTemplateCheckbox() const { return m_baseTemplateCheckbox; }
    const QList<QPushButton *> &templateCategoryButtonArray() const { return m_categoryButtons; }
    // The thumbnails of the grid shown, in grid order (tag = position).
    const QList<TemplateIconButton *> &gridButtons() const { return m_gridButtons; }

    // Lets the delegate make this window.
    static void install(SKTAppDelegate &delegate);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void saveFrame();
    void colourCategoryButtons();

    SKTAppDelegate &m_delegate;
    QScrollArea *m_categoryScrollView = nullptr;
    QScrollArea *m_scrollView = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_selectButton = nullptr;
    QPushButton *m_openButton = nullptr;
    QCheckBox *m_baseTemplateCheckbox = nullptr;
    QList<QPushButton *> m_categoryButtons;
    QList<TemplateIconButton *> m_gridButtons;
    QList<int> m_gridIconIndexes;
};
