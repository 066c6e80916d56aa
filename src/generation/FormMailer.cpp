// To be filled (B3): FormMailer::formBlock.
#include "generation/FormMailer.h"

#include "document/SKTDocument.h"
#include "generation/GenerationContext.h"

bool FormMailer::isFormPage(const SKTDocument &doc)
{
    return doc.pageFileType == QLatin1String("trelkoforms") || doc.pageFileExtension == QLatin1String("php");
}

QString FormMailer::formBlock(GenerationContext &)
{
    return QString();
}
