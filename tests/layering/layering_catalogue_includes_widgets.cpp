// The data files need Qt Core alone.
#include "catalogue/cataloguefiles.h"
#include <QWidget>
