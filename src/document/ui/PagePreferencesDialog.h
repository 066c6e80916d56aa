#pragma once
// The "Page Preferences" panel: a window-modal dialog over the page window
// that shows PagePreferencesValues and hands them back on Save.
#include "document/PagePreferences.h"
#include "document/PageSettingsRules.h"

#include <QDialog>

class QButtonGroup;
class QFormLayout;
class QPushButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class SKTDocument;

class PagePreferencesDialog : public QDialog {
    Q_OBJECT
public:
    PagePreferencesDialog(SKTDocument &document, QWidget *parent = nullptr);
    PagePreferencesValues values() const;
    void setValues(const PagePreferencesValues &values);

    // Opens the panel over the page window; Save runs PagePreferences::save.
    static PagePreferencesDialog *showPagePreferences(SKTDocument &document, QWidget *window);

private:
    void refreshBackgroundPattern();
    // Shows, hides and greys the controls as the rules say.
    void applyRules();
    QButtonGroup *segments(const QStringList &titles, QWidget *row);

    SKTDocument &doc_;
    PagePreferencesValues values_;
    QLineEdit *fileName_, *publishExt_, *pageExt_, *title_, *width_, *description_, *keywords_;
    QPlainTextEdit *header_, *baseHeader_;
    QButtonGroup *quality_, *encoding_, *imageType_, *maxSize_, *widthMode_;
    QCheckBox *retina_, *centre_, *useBase_, *inheritHeader_, *inheritMeta_;
    QLabel *background_;
    QLabel *qualityLabel_ = nullptr;
    QPushButton *choose_ = nullptr, *remove_ = nullptr;
    QWidget *qualityRow_ = nullptr;
    QFormLayout *form_ = nullptr;
    PageSettingsRules::State rules_;
};
