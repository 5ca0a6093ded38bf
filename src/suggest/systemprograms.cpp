// PATH lookup through Qt's executable search.
#include "suggest/systemprograms.h"

#include <QStandardPaths>

namespace vantrelo {

bool TSystemProgramSearch::IsProgramOnPath(const QString& name) const {
    // A name with a folder part is a path, not a program to look up.
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return false;
    return !QStandardPaths::findExecutable(name).isEmpty();
}

} // namespace vantrelo
