// To be filled (B2): LineImageOutput::writeLines, LineImageOutput::writeImages.
#include "generation/LineImageOutput.h"

#include "generation/GenerationContext.h"

void LineImageOutput::writeLines(GenerationContext &) {}

bool LineImageOutput::writeImages(GenerationContext &) { return false; }
