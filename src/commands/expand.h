// Command expansion: environment variables, the program's folder and the modifier names.
#pragma once

#include <QString>

namespace vantrelo {

class TEnvironment;

// "%VAR%" references, "$D$"/"$H$" (the program file's drive, which is empty on this system, and
// its folder), and with `strip` the capture, browser and control modifier names and the
// "$BCLICK$"/"$SOUND$" spans.
QString ExpandCommandText(const QString& text, bool strip, const TEnvironment& env, const QString& exeFolder);

} // namespace vantrelo
