#include "window/ui/RecordSheet.h"

#include "config/DataCentreNames.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kSex = QStringLiteral("Pet Sex");
const QString kNeuter = QStringLiteral("Pet Neuter Status");
const QString kBirthStatus = QStringLiteral("Birth Date Status");
const QString kBirthDate = QStringLiteral("Pet Birth Date");
const QString kPetName = QStringLiteral("Pet Name");

bool isTextView(const QString &label)
{
    return label == QLatin1String("Owner Address") || label == QLatin1String("Notes");
}

// What the form shows for a stored label.
QString caption(ProfileRecord::Kind kind, const QString &label)
{
    if (kind == ProfileRecord::Kind::Person) {
        QString c = label;
        c.remove(QStringLiteral("Owner "));
        if (label == QLatin1String("Pet Chart Number"))
            return QStringLiteral("ID Number");
        if (label == kSex)
            return QStringLiteral("Sex");
        if (label == kBirthDate)
            return QStringLiteral("Birth Date");
        return c;
    }
    return label;
}
} // namespace

RecordSheet::RecordSheet(ProfileRecord::Kind kind, bool newRecord, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_newRecord(newRecord)
{
    setObjectName(kind == ProfileRecord::Kind::Pet ? QStringLiteral("AddNewPatientViewController")
                                                   : QStringLiteral("AddNewHumanPatientViewController"));
    setWindowModality(Qt::WindowModal);
    if (kind == ProfileRecord::Kind::Person)
        setMinimumWidth(700);
    auto *form = new QFormLayout;
    for (const QString &label : ProfileRecord::labels(kind)) {
        if (label == kBirthStatus)
            continue;
        if (label == kSex || label == kNeuter) {
            auto *box = new QComboBox(this);
            box->addItems(label == kSex ? QStringList{QStringLiteral("Male"), QStringLiteral("Female")}
                                        : QStringList{QStringLiteral("Intact"), QStringLiteral("Neutered")});
            (label == kSex ? m_sex : m_neuter) = box;
            form->addRow(caption(kind, label), box);
        } else if (label == kBirthDate) {
            m_birth = new QDateEdit(QDate::currentDate(), this);
            m_birth->setCalendarPopup(true);
            m_birth->setDisplayFormat(QStringLiteral("MMM dd yyyy"));
            m_noBirth = new QCheckBox(QStringLiteral("Not available"), this);
            connect(m_noBirth, &QCheckBox::toggled, this, [this] { setBirthDatePickerStatus(); });
            auto *row = new QHBoxLayout;
            row->addWidget(m_birth);
            row->addWidget(m_noBirth);
            form->addRow(caption(kind, label), row);
        } else if (isTextView(label)) {
            auto *view = new QPlainTextEdit(this);
            view->setFixedHeight(60);
            m_views.insert(label, view);
            form->addRow(caption(kind, label), view);
        } else {
            auto *field = new QLineEdit(this);
            m_texts.insert(label, field);
            form->addRow(caption(kind, label), field);
        }
    }
    if (kind == ProfileRecord::Kind::Person) {
        // The photo well: the chosen picture becomes the record's picture in
        // the project's listing.
        m_photoWell = new QLabel(this);
        m_photoWell->setObjectName(QStringLiteral("photoImageView"));
        m_photoWell->setFixedSize(96, 96);
        m_photoWell->setAlignment(Qt::AlignCenter);
        m_photoWell->setFrameShape(QFrame::StyledPanel);
        m_photoWell->setText(QStringLiteral("No photo"));
        m_photoButton = new QPushButton(QStringLiteral("Choose Photo..."), this);
        connect(m_photoButton, &QPushButton::clicked, this, [this] {
            OpenPanelOptions options;
            options.message = QStringLiteral("Choose a photo for the record");
            options.allowedTypes = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                    QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("webp")};
            FilePanels::current().showOpenPanel(options, this, [this](const QStringList &paths) {
                if (paths.isEmpty())
                    return;
                QImageReader reader(paths.first());
                reader.setAutoTransform(true);
                const QImage image = reader.read();
                if (image.isNull()) {
                    Alerts::inform(QStringLiteral("Photo Not Read"),
                                   QStringLiteral("\"%1\" is not a picture this program can read.").arg(paths.first()), this);
                    return;
                }
                setPhoto(image);
            });
        });
        auto *photoRow = new QHBoxLayout;
        photoRow->addWidget(m_photoWell);
        photoRow->addWidget(m_photoButton, 0, Qt::AlignBottom);
        photoRow->addStretch(1);
        form->addRow(QStringLiteral("Photo"), photoRow);
    }
    m_fileName = new QLineEdit(this);
    m_generation = new QComboBox(this);
    m_generation->addItems({QStringLiteral("From the Pet Name"), QStringLiteral("Typed")});
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(m_fileName, 1);
    if (kind == ProfileRecord::Kind::Pet)
        nameRow->addWidget(m_generation);
    else
        m_generation->hide();
    form->addRow(QStringLiteral("File Name"), nameRow);
    connect(m_generation, &QComboBox::currentIndexChanged, this, [this] { setFileNameGenerationType(); });
    if (QLineEdit *pet = m_texts.value(kPetName))
        connect(pet, &QLineEdit::textEdited, this, &RecordSheet::petNameChanged);

    auto *buttons = new QDialogButtonBox(this);
    m_cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    m_save = buttons->addButton(QStringLiteral("Save"), QDialogButtonBox::AcceptRole);
    m_save->setDefault(true);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_save, &QPushButton::clicked, this, [this] {
        if (!onSave || onSave(*this))
            accept();
    });
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // A person's file name is always typed; a pet's follows its name until
    // the user chooses to type it.
    m_generation->setCurrentIndex(kind == ProfileRecord::Kind::Pet && newRecord ? 0 : 1);
    setFileNameGenerationType();
    setBirthDatePickerStatus();
}

void RecordSheet::setFileNameGenerationType()
{
    m_fileName->setEnabled(m_generation->currentIndex() == 1);
}

void RecordSheet::setBirthDatePickerStatus()
{
    m_birth->setEnabled(!m_noBirth->isChecked());
}

void RecordSheet::petNameChanged(const QString &name)
{
    if (m_newRecord && !name.isEmpty() && m_generation->currentIndex() == 0)
        m_fileName->setText(DataCentreNames::generateNewFileName(name));
}

void RecordSheet::setFileBaseName(const QString &name)
{
    m_fileName->setText(name);
}

void RecordSheet::fill(const QMap<QString, QString> &profile, const QString &fileBaseName)
{
    m_fileName->setText(fileBaseName);
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        it.value()->setText(profile.value(it.key()));
    for (auto it = m_views.cbegin(); it != m_views.cend(); ++it)
        it.value()->setPlainText(profile.value(it.key()));
    if (m_sex)
        m_sex->setCurrentIndex(qBound(0, profile.value(kSex).toInt(), m_sex->count() - 1));
    if (m_neuter)
        m_neuter->setCurrentIndex(qBound(0, profile.value(kNeuter).toInt(), m_neuter->count() - 1));
    const QDate birth = ProfileRecord::parseBirthDate(profile.value(kBirthDate));
    if (birth.isValid())
        m_birth->setDate(birth);
    m_noBirth->setChecked(profile.value(kBirthStatus).toInt() != 0);
    setBirthDatePickerStatus();
}

QMap<QString, QString> RecordSheet::fields() const
{
    QMap<QString, QString> out;
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        out.insert(it.key(), it.value()->text());
    for (auto it = m_views.cbegin(); it != m_views.cend(); ++it)
        out.insert(it.key(), it.value()->toPlainText());
    if (m_sex)
        out.insert(kSex, QString::number(m_sex->currentIndex()));
    if (m_neuter)
        out.insert(kNeuter, QString::number(m_neuter->currentIndex()));
    out.insert(kBirthStatus, QString::number(m_noBirth->isChecked() ? 1 : 0));
    // The date is kept even when marked unavailable, so unticking restores it.
    out.insert(kBirthDate, ProfileRecord::formatBirthDate(m_birth->date()));
    return out;
}

QString RecordSheet::fileBaseName() const
{
    return m_fileName->text().trimmed();
}

void RecordSheet::setPhoto(const QImage &photo)
{
    m_photo = photo;
    if (!m_photoWell)
        return;
    if (photo.isNull()) {
        m_photoWell->setPixmap({});
        m_photoWell->setText(QStringLiteral("No photo"));
    } else {
        m_photoWell->setPixmap(QPixmap::fromImage(photo.scaled(m_photoWell->size() - QSize(4, 4), Qt::KeepAspectRatio,
                                                               Qt::SmoothTransformation)));
    }
}
