// A small user-data fixture for suggestion tests: settings, keywords, history, tags and an index.
#pragma once

#include "core/history.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "index/indexlist.h"
#include "suggest/preparedindex.h"
#include "suggest/suggestsources.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace vantrelo::test {

class SuggestFixture : public ::testing::Test {
protected:
    TSettings settings;
    TKeywordList keywords;
    THistory history;
    TTagList tags;
    TPreparedIndex index;
    TSuggestState state;

    TExeWord& AddKeyword(const QString& names, const QString& command = QStringLiteral("cmd"),
                         const QString& group = QString()) {
        auto w = MakeNewKeyword(names, command, QString());
        w->group = group;
        TExeWord& ref = keywords.Add(std::move(w));
        tags.Build(keywords);
        return ref;
    }
    // Entries are given newest first, as the list shows them.
    void SetHistory(std::initializer_list<QString> newestFirst) {
        history.Clear();
        std::vector<QString> v(newestFirst);
        for (auto it = v.rbegin(); it != v.rend(); ++it)
            history.AddToHistory(*it, nullptr, false, false);
    }
    void SetIndex(std::initializer_list<QString> names) {
        TIndexList list;
        int i = 0;
        for (const QString& n : names) {
            auto item = std::make_unique<TMyShellItem>();
            item->name = n;
            item->path = QStringLiteral("/apps/") + QString::number(i++) + QStringLiteral(".desktop");
            list.Append(n, std::move(item));
        }
        index.Adopt(std::move(list));
    }
    TSuggestSources Sources() {
        TSuggestSources s{settings, keywords, history, tags};
        s.index = &index;
        return s;
    }
    static QStringList Texts(const TListContent& content) {
        QStringList out;
        for (const TListEntry& e : content)
            out << e.text;
        return out;
    }
};

} // namespace vantrelo::test
