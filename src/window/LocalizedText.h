#pragma once
// Texts of the window's questions and sheets in the user's language: looked
// up in the installed translation with the English text as key, so the
// English shows wherever no translation has it.
#include <QCoreApplication>
#include <QString>

inline QString localizedText(const QString &english)
{
    const QByteArray key = english.toUtf8();
    return QCoreApplication::translate("Localizable", key.constData());
}
