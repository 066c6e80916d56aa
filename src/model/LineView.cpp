#include "model/LineView.h"
