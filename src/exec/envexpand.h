// Expansion of "%VAR%" environment references and of a leading "~" (the home folder).
#pragma once

#include <QString>

namespace vantrelo {

class TEnvironment;

// Replaces each "%NAME%" whose variable is set by its value; unknown references stay as written.
QString ExpandEnvironmentText(const QString& text, const TEnvironment& env);
// "~" alone or a leading "~/" becomes the home folder.
QString ExpandHomeFolder(const QString& text, const TEnvironment& env);
// Both, as paths typed by the user need them.
QString ExpandUserPath(const QString& text, const TEnvironment& env);

} // namespace vantrelo
