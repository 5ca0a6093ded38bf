// One row of the list window as it is drawn: text, title, icon source and whether it is a header.
#pragma once

#include <QString>

namespace vantrelo {

// The icon is looked up from `iconName` or `iconFile` the first time the row is drawn.
struct TListRow {
    QString text;
    QString title;
    QString iconName; // a theme icon name or an absolute picture path
    QString iconFile; // a file whose type icon stands for the row
    bool header = false;
};

} // namespace vantrelo
