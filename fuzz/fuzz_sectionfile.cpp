// Section files with keywords, history and settings: parse anything, and every round trip the
// format promises holds (engine lines, history reload, keyword reload).
#include "core/history.h"
#include "core/inifile.h"
#include "core/keywordfile.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "fuzzsupport.h"

using namespace vantrelo;

namespace {

QStringList HistoryTexts(const THistory& h) {
    QStringList out;
    for (const THistoryEntry& e : h)
        out << e.text;
    return out;
}

QStringList KeywordLines(const TKeywordList& list) {
    TMemIniFile ini = TMemIniFile::CreateFast(QString());
    WriteWords(ini, list);
    ini.MyFlattenSections();
    return ini.GetStrings();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024)
        return 0;
    TMemIniFile ini;
    ini.SetStrings(SplitLines(fuzz::Text(data, size)));

    // The engine: what it writes, it reads back to the same lines.
    const QStringList lines = ini.GetStrings();
    TMemIniFile again;
    again.SetStrings(lines);
    fuzz::Require(again.GetStrings() == lines, "section lines round trip");

    TSettings settings;
    TSetupReadInfo info{QStringLiteral("/nonexistent/"), 0};
    ReadSetup(ini, settings, info);
    TMemIniFile setup = TMemIniFile::CreateFast(QString());
    WriteSetup(setup, settings);

    THistory history;
    history.Read(ini);
    TMemIniFile saved;
    history.Write(saved, 1 << 20);
    TMemIniFile reloaded;
    reloaded.SetStrings(saved.GetStrings());
    THistory back;
    back.Read(reloaded);
    fuzz::Require(HistoryTexts(back) == HistoryTexts(history), "history load(save(load(x))) == load(x)");

    TKeywordList words;
    ReadWords(ini, words, false);
    const QStringList written = KeywordLines(words);
    TMemIniFile wordsFile;
    wordsFile.SetStrings(written);
    TKeywordList wordsBack;
    ReadWords(wordsFile, wordsBack, false);
    fuzz::Require(KeywordLines(wordsBack) == written, "keywords save(load(save(x))) == save(x)");
    return 0;
}
