// Template text with protected inserted values.
#include "exec/markedtext.h"

#include <cstring>

namespace vantrelo {

TMarkedText TMarkedText::Literal(const QString& text) {
    TMarkedText t;
    t.text_ = text;
    t.literal_ = QByteArray(text.size(), 1);
    return t;
}

qsizetype TMarkedText::Find(QStringView token, qsizetype from, Qt::CaseSensitivity cs) const {
    if (token.isEmpty())
        return -1;
    for (qsizetype i = text_.indexOf(token, from, cs); i >= 0; i = text_.indexOf(token, i + 1, cs)) {
        if (std::memchr(literal_.constData() + i, 1, size_t(token.size())) == nullptr)
            return i;
    }
    return -1;
}

TMarkedText TMarkedText::Mid(qsizetype pos, qsizetype len) const {
    TMarkedText t;
    t.text_ = text_.mid(pos, len);
    t.literal_ = literal_.mid(pos, len);
    return t;
}

void TMarkedText::Replace(qsizetype pos, qsizetype len, const TMarkedText& with) {
    text_.replace(pos, len, with.text_);
    literal_.replace(pos, len, with.literal_);
}

void TMarkedText::ReplaceAll(QStringView token, const TMarkedText& with, Qt::CaseSensitivity cs) {
    for (qsizetype i = Find(token, 0, cs); i >= 0; i = Find(token, i + with.Size(), cs))
        Replace(i, token.size(), with);
}

void TMarkedText::ReplaceLowerOrUpper(QStringView upper, const TMarkedText& with) {
    ReplaceAll(upper.toString().toLower(), TMarkedText(upper.toString()), Qt::CaseSensitive);
    ReplaceAll(upper, with, Qt::CaseSensitive);
}

bool TMarkedText::ContainsLowerOrUpper(QStringView upper) const {
    return Contains(upper, Qt::CaseSensitive) || Contains(upper.toString().toLower(), Qt::CaseSensitive);
}

bool TMarkedText::RemoveSpan(QStringView open, QStringView close, Qt::CaseSensitivity cs) {
    const qsizetype start = Find(open, 0, cs);
    if (start < 0)
        return false;
    const qsizetype end = Find(close, start + open.size(), cs);
    Remove(start, end < 0 ? open.size() : end + close.size() - start);
    return true;
}

} // namespace vantrelo
