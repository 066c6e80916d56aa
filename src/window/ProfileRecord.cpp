#include "window/ProfileRecord.h"

#include "config/DataCentreNames.h"
#include "config/DataCentreProfileFields.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLocale>

namespace {
const QString kDateFormat = QStringLiteral("MMM dd yyyy");
}

QStringList ProfileRecord::labels(Kind kind)
{
    if (kind == Kind::Pet)
        return {QStringLiteral("Owner First Name"), QStringLiteral("Owner Last Name"),
                QStringLiteral("Owner Home Phone Number"), QStringLiteral("Owner Cell Phone Number"),
                QStringLiteral("Owner Email"), QStringLiteral("Owner Address"), QStringLiteral("Pet Name"),
                QStringLiteral("Pet Breed"), QStringLiteral("Pet Color"), QStringLiteral("Pet Chart Number"),
                QStringLiteral("Pet Microchip Number"), QStringLiteral("Notes"), QStringLiteral("Pet Sex"),
                QStringLiteral("Pet Neuter Status"), QStringLiteral("Birth Date Status"), QStringLiteral("Pet Birth Date")};
    return {QStringLiteral("Owner First Name"), QStringLiteral("Owner Last Name"),
            QStringLiteral("Owner Home Phone Number"), QStringLiteral("Owner Cell Phone Number"),
            QStringLiteral("Owner Email"), QStringLiteral("Owner Address"), QStringLiteral("Pet Chart Number"),
            QStringLiteral("Notes"), QStringLiteral("Pet Sex"), QStringLiteral("Birth Date Status"),
            QStringLiteral("Pet Birth Date")};
}

QString ProfileRecord::recordText(Kind kind, const QMap<QString, QString> &fields)
{
    QString text;
    for (const QString &label : labels(kind))
        text = text + QStringLiteral("\n\n") + DataCentreProfileFields::generateFullString(fields.value(label), label);
    return text;
}

QString ProfileRecord::pageTitle(Kind kind, const QMap<QString, QString> &f)
{
    if (kind == Kind::Pet)
        return QStringLiteral("%1 %2 %3 %4")
            .arg(f.value(QStringLiteral("Owner First Name")), f.value(QStringLiteral("Owner Last Name")),
                 f.value(QStringLiteral("Pet Name")), f.value(QStringLiteral("Pet Breed")));
    return f.value(QStringLiteral("Owner First Name")) + QLatin1Char(' ') + f.value(QStringLiteral("Owner Last Name"));
}

void ProfileRecord::updateFields(Kind kind, const QMap<QString, QString> &sheet, QMap<QString, QString> &stored)
{
    for (const QString &label : labels(kind))
        stored.insert(label, sheet.value(label));
}

QString ProfileRecord::formatBirthDate(const QDate &date)
{
    return QLocale::c().toString(date, kDateFormat);
}

QDate ProfileRecord::parseBirthDate(const QString &text)
{
    QDate date = QLocale::c().toDate(text.trimmed(), kDateFormat);
    if (!date.isValid())
        date = QLocale::system().toDate(text.trimmed(), kDateFormat);
    return date;
}

QString ProfileRecord::proposedFileName(const QString &first, const QString &last, const QString &chart)
{
    return DataCentreNames::generateNewFileName(first + last + chart);
}

int ProfileRecord::calcFontSizeToFitRect(const QRectF &rect, const QString &text, const QString &family)
{
    if (text.isEmpty())
        return 299;
    for (int size = 5; size <= 299; ++size) {
        QFont font(family);
        font.setPointSizeF(size);
        const QSizeF used = QFontMetricsF(font).size(0, text);
        if (used.width() > rect.width() || used.height() > rect.height())
            return size - 1;
    }
    return 299;
}
