#pragma once
// DataCentre gathers the program's shared, stateless class-level operations
// (DataCentre::colorWithHexString, DataCentre::runAppSpecificSetups, ...).
// Each area keeps its operations in a base class of its own file, so that the
// areas can grow apart; callers only ever name DataCentre.
#include "config/DataCentreColours.h"
#include "config/DataCentreFiles.h"
#include "config/DataCentreFonts.h"
#include "config/DataCentreImages.h"
#include "config/DataCentreNames.h"
#include "config/DataCentreOutlines.h"
#include "config/DataCentrePresets.h"
#include "config/DataCentreSetup.h"
#include "config/DataCentrePrinting.h"
#include "config/DataCentreMarkers.h"
#include "config/DataCentreProfileFields.h"

class DataCentre : public DataCentreSetup,
                   public DataCentreColours,
                   public DataCentreFonts,
                   public DataCentrePresets,
                   public DataCentreImages,
                   public DataCentreNames,
                   public DataCentreFiles,
                   public DataCentreOutlines,
                   public DataCentrePrinting,
                   public DataCentreMarkers,
                   public DataCentreProfileFields {
public:
    DataCentre() = delete;
};
