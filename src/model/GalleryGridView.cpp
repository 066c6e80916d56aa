#include "model/GalleryGridView.h"
