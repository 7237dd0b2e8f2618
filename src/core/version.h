#pragma once

#include <QString>

// The program's version, given by the build from the project version.
inline QString programVersion()
{
    return QStringLiteral(PARVELA_VERSION);
}

// The licence the program is given under and its copyright line, as LICENSE states them.
inline QString programLicence()
{
    return QStringLiteral(PARVELA_LICENSE_NAME);
}

inline QString programCopyright()
{
    return QStringLiteral(PARVELA_COPYRIGHT);
}
