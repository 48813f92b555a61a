#pragma once

#include "ClockValue.h"

#include <QString>

// The clock value that shows the time of day as the system writes it: the text's first ":"-field
// (the hour, 1-12 or 0-23 as the format has it) × 60 plus its second field (the minute).
ClockValue TimeOfDayValue(const QString &systemTimeText);
