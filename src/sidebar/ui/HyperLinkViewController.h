#pragma once
// The link pop-over's content: the link, where it opens, whether it is a
// text or shape link, a page of the project to pick, and the element ids
// shown or hidden on click. Save writes the selection through LinkEditing; a
// refused link is reported and the pop-over stays open with the text.
#include "sidebar/LinkEditing.h"

#include <QFrame>

#include <functional>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ZovNSTextField;

class HyperLinkViewController : public QFrame {
    Q_OBJECT
public:
    static QString pagePlaceholder() { return QStringLiteral("---- Select a page within the website ----"); }
    // The pieces the slide's link window shares with this pop-over: a row of
    // exclusive buttons (the first one pressed) whose ids are their places,
    // and the page menu, the placeholder first and hidden without pages.
    static QWidget *segmentRow(QWidget *parent, QButtonGroup *group, const QStringList &titles);
    static void fillPageMenu(QComboBox *menu, const QList<ProjectPage> &pages);

    // The on-click rows are for responsive editions other than e-mail.
    explicit HyperLinkViewController(bool onClickRows, QWidget *parent = nullptr);

    ZovNSTextField *linkTextbox() const { return m_link; }
    QPushButton *saveLinkButton() const { return m_save; }
    QButtonGroup *linkOptionSegmentedControl() const { return m_option; }
    QButtonGroup *linkTypeSegmentedControl() const { return m_type; }
    QComboBox *selectPagePopButton() const { return m_pages; }
    QLineEdit *onClickShowTextField() const { return m_show; }
    QLineEdit *onClickHideTextField() const { return m_hide; }
    QLabel *refusalLabel() const { return m_refusal; }

    // Fills the pop-over for the selection; done closes the pop-over after a save.
    void applyLinkPopOver(SelectionProxy &selection, const QList<ProjectPage> &pages, const QString &existingLink,
                          const QString &existingShow, const QString &existingHide, std::function<void()> done);
    void updateHyperLink();
    void saveLink();

private:
    SelectionProxy *m_selection = nullptr;
    std::function<void()> m_done;
    ZovNSTextField *m_link;
    QPushButton *m_save;
    QButtonGroup *m_option, *m_type;
    QComboBox *m_pages;
    QLineEdit *m_show, *m_hide;
    QLabel *m_typeLabel, *m_refusal;
    QList<QWidget *> m_typeWidgets;
};
