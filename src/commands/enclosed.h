// Arguments written between two copies of a command's name ("$SOUND$file$SOUND$").
#pragma once

#include <QString>
#include <QStringList>

namespace vantrelo {

// The commands that take an enclosed argument; their arguments are never read as command names.
const QStringList& EnclosingCommandNames();

// The text between the first and the second occurrence of `name` (lower-case spellings of the name
// count as the name); empty when there is no second occurrence.
QString EnclosedText(const QString& name, const QString& text);
// `text` without the span from the first occurrence of `name` through the end of the second.
QString StripEnclosed(const QString& name, const QString& text);
// `upper` (an upper-cased command text) with every enclosed argument blanked out, so that a window
// title or file name that spells a command name is not taken for the command.
QString MaskEnclosedArguments(const QString& upper);

} // namespace vantrelo
