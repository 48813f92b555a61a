#pragma once

#include <QString>

// The characters typed so far on a display and the name of the display they were typed on.
struct EntryBuffer
{
    QString Text;
    QString Owner;
};
