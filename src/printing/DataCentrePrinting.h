#pragma once
// Class-level operations of DataCentre: see config/DataCentre.h.

class DataCentrePrinting {
};
