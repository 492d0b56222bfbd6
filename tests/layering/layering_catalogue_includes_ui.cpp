#include "catalogue/cataloguefiles.h"
#include "ui/form1.h"
