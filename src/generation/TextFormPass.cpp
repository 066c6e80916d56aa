// To be filled (B3): TextFormPass::run.
#include "generation/TextFormPass.h"

#include "generation/GenerationContext.h"

void TextFormPass::run(GenerationContext &) {}
