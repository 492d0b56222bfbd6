#include "catalogue/cataloguefiles.h"
#include "clock/picturebox.h"
