#include "KeyHandover.h"

QString KeyActionText;
qint16 CurrentKey = 0;
QString ChosenKey = QStringLiteral("0");
