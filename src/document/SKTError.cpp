#include "document/SKTError.h"

#include "config/EditionSettings.h"

#include <QCoreApplication>

SKTError SKTErrorFromCode(int code)
{
    SKTError error;
    error.domain = QStringLiteral("ZovDocumentErrorDomain");
    error.code = code;
    const QString app = gAppName.isEmpty() ? QStringLiteral("Zov") : gAppName;
    switch (code) {
    case 2:
        error.localizedDescription = QCoreApplication::translate("SKTError", "The graphics could not be pasted.");
        error.localizedFailureReason =
            QCoreApplication::translate("SKTError", "The clipboard holds nothing that can be read as graphics.");
        break;
    case 3:
        error.localizedDescription = QCoreApplication::translate("SKTError", "The graphics could not be copied as a picture.");
        error.localizedFailureReason =
            QCoreApplication::translate("SKTError", "The graphics could not be drawn into image data.");
        break;
    default:
        error.localizedDescription =
            QCoreApplication::translate("SKTError", "%1 could not complete the operation because an unknown error occurred.")
                .arg(app);
        error.localizedFailureReason = QCoreApplication::translate("SKTError", "An unknown error occurred.");
        break;
    }
    return error;
}
