// To be filled (B2): SKTDocument::generateImageCode, the image generator of
// responsive and enlargeable images (rule, markup, modal, script).
#include "document/SKTDocument.h"

CodeWidgetHelper SKTDocument::generateImageCode(ImageElement, bool)
{
    return CodeWidgetHelper();
}
