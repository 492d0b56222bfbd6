#include "clock/siderealclock.h"
#include "ui/form1.h"
