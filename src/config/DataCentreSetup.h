#pragma once
// Class-level operations of DataCentre: see DataCentre.h.

class DataCentreSetup {
};
