#pragma once

#include <QString>

// The program's version, given by the build from the project version.
inline QString programVersion()
{
    return QStringLiteral(PARVELA_VERSION);
}
