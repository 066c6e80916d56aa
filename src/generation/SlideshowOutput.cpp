// To be filled (B2): SlideshowOutput::writeSlideshows, SlideshowOutput::writeGalleries.
#include "generation/SlideshowOutput.h"

#include "generation/GenerationContext.h"

void SlideshowOutput::writeSlideshows(GenerationContext &) {}

void SlideshowOutput::writeGalleries(GenerationContext &) {}
