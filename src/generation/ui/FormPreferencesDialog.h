#pragma once
// The form "Preferences" panel: a window-modal dialog over the page window
// that shows FormPreferencesValues and hands them back on Save.
#include "document/PagePreferences.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class SKTDocument;

class FormPreferencesDialog : public QDialog {
    Q_OBJECT
public:
    explicit FormPreferencesDialog(QWidget *parent = nullptr);
    // The mail server shows as host and port; they are stored as one "host:port".
    FormPreferencesValues values() const;
    void setValues(const FormPreferencesValues &values);

    static FormPreferencesDialog *showFormPreferences(SKTDocument &document, QWidget *window);

private:
    QLineEdit *responseEmail_, *copyEmail_, *server_, *port_, *user_, *password_;
    QLineEdit *sent_, *missing_, *submit_, *redirect_, *verification_, *botCheck_;
    QCheckBox *grabIP_;
    QButtonGroup *layout_;
};
