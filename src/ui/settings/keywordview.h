// The keyword editor's list view: columns in fixed shares of its width, sorting by a header click.
#pragma once

#include <QTableView>

#include <vector>

namespace vantrelo {

class TKeywordList;
struct TDeadKeyword;

class TKeywordView final : public QTableView {
    Q_OBJECT
public:
    explicit TKeywordView(QWidget* parent = nullptr);

    // Keywords 14 %, Comment 26 %, Command 14 %, Parameters 10 %, Start in 9 %, Hotkey 10 %,
    // Tags 6 % of the width (less room for a scroll bar when the rows are wider), More the rest.
    void FitColumns();

signals:
    void SortRequested(int column);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    int fittedWidth_ = -1;
};

// "Scan for Invalid Keywords...": the findings listed, none marked; the list positions the user
// marked for removal (none when cancelled).
std::vector<qsizetype> AskInvalidToRemove(const std::vector<TDeadKeyword>& dead, const TKeywordList& words,
                                          QWidget* parent);

} // namespace vantrelo
