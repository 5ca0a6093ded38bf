// Start-at-login and "Open with" entries: the desktop files that stand for the two settings boxes.
#pragma once

#include "core/atomicfile.h"

#include <QString>

namespace vantrelo {

// $XDG_CONFIG_HOME/autostart/vantrelo.desktop, starting the program with "-s".
QString AutostartEntryPath();
// $XDG_DATA_HOME/applications/vantrelo-open.desktop, hidden from menus, taking files (%F).
QString OpenWithEntryPath();

// Creates (add) or removes the entry; removing a missing entry is no failure.
TSaveResult RegStartUp(bool add, const QString& exePath);
TSaveResult SetOpenWithEntry(bool add, const QString& exePath);

// Quotes a program path for an Exec line as the desktop-entry rules require.
QString QuoteExecArgument(const QString& arg);

} // namespace vantrelo
