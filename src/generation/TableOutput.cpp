// To be filled (B2): TableOutput::writeTableGrids, TableOutput::writeSnippets.
#include "generation/TableOutput.h"

#include "generation/GenerationContext.h"

void TableOutput::writeTableGrids(GenerationContext &) {}

void TableOutput::writeSnippets(GenerationContext &) {}
