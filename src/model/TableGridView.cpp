#include "model/TableGridView.h"
