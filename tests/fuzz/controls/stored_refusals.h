#pragma once
// The errors with which the library refuses stored data. Anything else
// that a reader throws, or lets escape, is a fault.
#include "platform/gfx_exceptions.h"

#include <QString>

inline bool StoredDataRefusal(const Exception& e)
{
    const QString name = e.ClassName();
    for (const char* refusal : {"EReadError", "EInvalidPointer", "EInvalidGraphic", "EInvalidGraphicOperation",
                                "EInvalidWave", "EListError"})
        if (name == QLatin1String(refusal))
            return true;
    // A list file of another kind.
    return name == QLatin1String("Exception") && e.Message().startsWith(QLatin1String("Cannot open file %s: "));
}
