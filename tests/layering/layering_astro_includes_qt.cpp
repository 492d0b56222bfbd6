// The sidereal arithmetic is plain C++.
#include "astro/sidereal.h"
#include <QString>
