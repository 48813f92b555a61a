#include "SettingsRecord.h"

SettingsRecord Settings;
