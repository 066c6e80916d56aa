#pragma once
// The form of a record page: a pet with its owner, or a person. It adds a new
// record to the project or edits the open one; Save hands the fields to the
// caller, which says whether they were taken (a refused file name keeps the
// form open with what the user typed).
#include "window/ProfileRecord.h"

#include <QDialog>
#include <QImage>
#include <QMap>

#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class RecordSheet : public QDialog {
    Q_OBJECT
public:
    RecordSheet(ProfileRecord::Kind kind, bool newRecord, QWidget *parent = nullptr);

    // Fills the controls from a stored record and the page's file name.
    void fill(const QMap<QString, QString> &profile, const QString &fileBaseName);
    void setFileBaseName(const QString &name);
    // The record's fields as they are stored (segments and checkbox as
    // numbers, the date as "MMM dd yyyy").
    QMap<QString, QString> fields() const;
    QString fileBaseName() const;
    // The person's photo chosen in the sheet; null when none was chosen.
    QImage photo() const { return m_photo; }
    void setPhoto(const QImage &photo);

    std::function<bool(const RecordSheet &)> onSave;

    QLineEdit *text(const QString &label) const { return m_texts.value(label); }
    QPlainTextEdit *textView(const QString &label) const { return m_views.value(label); }
    QComboBox *sexControl() const { return m_sex; }
    QComboBox *neuterControl() const { return m_neuter; }
    QDateEdit *birthDatePicker() const { return m_birth; }
    QCheckBox *birthDateNotAvailableCheckbox() const { return m_noBirth; }
    QLineEdit *pageFileNameTextField() const { return m_fileName; }
    QComboBox *fileNameGenerationControl() const { return m_generation; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *photoButton() const { return m_photoButton; }

private:
    void setFileNameGenerationType();
    void setBirthDatePickerStatus();
    void petNameChanged(const QString &name);

    ProfileRecord::Kind m_kind;
    bool m_newRecord;
    QMap<QString, QLineEdit *> m_texts;
    QMap<QString, QPlainTextEdit *> m_views;
    QComboBox *m_sex = nullptr;
    QComboBox *m_neuter = nullptr;
    QDateEdit *m_birth = nullptr;
    QCheckBox *m_noBirth = nullptr;
    QLineEdit *m_fileName = nullptr;
    QComboBox *m_generation = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_photoButton = nullptr;
    QLabel *m_photoWell = nullptr;
    QImage m_photo;
};
