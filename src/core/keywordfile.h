// Reading and writing keyword sections ("[W]") of vantrelo.ini and export files.
#pragma once

namespace vantrelo {

class TMemIniFile;
class TKeywordList;

struct TWriteWordsOptions {
    bool isExport = false;
    bool includeTags = true;
    bool includeHotkeys = true;
    bool includeIcons = true;
};

// Writes every keyword as section "W" + position (flattened to "W" before saving).
void WriteWords(TMemIniFile& ini, const TKeywordList& list, const TWriteWordsOptions& options = {});
// Reads every keyword section into `list` in file order and removes the sections from `ini`.
// With `isImport` granted permissions ("plevel", "porigin") are not taken over.
void ReadWords(TMemIniFile& ini, TKeywordList& list, bool isImport);

} // namespace vantrelo
