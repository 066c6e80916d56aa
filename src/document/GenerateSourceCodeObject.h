#pragma once
// One CSS declaration of a generated rule.
#include <QString>

struct GenerateSourceCodeObject {
    QString sourceCodeObjectType;  // the property name
    QString sourceCodeObjectValue; // formatted; "", "(null)", "#" and "#(null)" leave it out
    bool importantFlag = false;

    bool isWritten() const
    {
        return !(sourceCodeObjectValue.isEmpty() || sourceCodeObjectValue == QLatin1String("(null)")
                 || sourceCodeObjectValue == QLatin1String("#") || sourceCodeObjectValue == QLatin1String("#(null)"));
    }
};
