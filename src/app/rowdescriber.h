// The description of a list row or of the input line: what the entry is, in a few words.
#pragma once

#include <QString>

#include <functional>

namespace vantrelo {

struct TSettings;
class TItem;
class TKeywordList;
class TTagList;

// What the describer asks of the system; empty answers mean "not known".
struct TRowDescribeProbe {
    // The type name of a file or folder ("Folder", "Plain text document"...).
    std::function<QString(const QString& path)> typeName;
    // The full path of a program found on the search path by its name.
    std::function<QString(const QString& name)> programPath;
};

// Where the description goes: `fullpathlist` rules the list, `fullpathmain` the input window.
enum class TDescribeFor { List, Input };

class TRowDescriber {
public:
    TRowDescriber(const TSettings& settings, const TKeywordList& keywords, const TTagList& tags,
                  TRowDescribeProbe probe);

    // The description of an entry with its text and item object (none for keywords and plain texts).
    QString Describe(const QString& text, const TItem* item, TDescribeFor where) const;

private:
    QString OfText(const QString& text) const;

    const TSettings& settings_;
    const TKeywordList& keywords_;
    const TTagList& tags_;
    TRowDescribeProbe probe_;
};

} // namespace vantrelo
