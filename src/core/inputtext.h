// Splitting an input line into keyword and parameters, and classifying inputs (address, path...).
#pragma once

#include <QString>

namespace vantrelo {

// The text before the first space; the whole text when it has none. No trimming.
QString FirstWord(const QString& text);
// The text after the first space (further leading spaces kept); empty when there is no space.
QString ParamText(const QString& text);

// Begins with "http:", "https:" or "www." (any case).
bool IsUrl(const QString& text);
// Begins with "mailto:" (any case).
bool IsMailto(const QString& text);
// Holds a system settings address ("ms-settings:", "ms-taskswitcher:") anywhere.
bool IsSystemUri(const QString& text);
// Begins with "\\".
bool IsUncPath(const QString& text);
// A drive, UNC, rooted, relative ("." + "\") or environment path, a system address, or a POSIX path
// ("/", "~", "~/", "./", "../", "file://"). One pair of surrounding double quotes is ignored.
bool IsPath(const QString& text);
// An IPv4 address written as four decimal groups without leading zeros.
bool IsDottedQuad(const QString& text);
// A host name without scheme such as "example.com" (also "notes.txt": the test is lexical).
bool IsBareWebAddress(const QString& text);
// Text that is neither empty, an address, a path nor a bare web address: something to search for.
bool IsPlainText(const QString& text);

} // namespace vantrelo
