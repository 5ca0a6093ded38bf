// The index cache and the scan folders: parse anything; what is written reads back the same.
#include "fuzzsupport.h"
#include "index/indexfiles.h"
#include "index/indexlist.h"

using namespace vantrelo;

namespace {

bool SameItems(const TIndexList& a, const TIndexList& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const TMyShellItem* x = a.at(i).item.get();
        const TMyShellItem* y = b.at(i).item.get();
        // An entry without an item is written as an empty line: only its place is kept.
        if (bool(x) != bool(y) || (x && a.at(i).key != b.at(i).key))
            return false;
        if (x && (x->name != y->name || x->root != y->root || x->path != y->path || ItemIdList(*x) != ItemIdList(*y)))
            return false;
    }
    return true;
}

bool SameFolders(const std::vector<TMyScanItem>& a, const std::vector<TMyScanItem>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].path != b[i].path || a[i].extensions != b[i].extensions || a[i].subdirs != b[i].subdirs ||
            a[i].level != b[i].level)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024)
        return 0;
    const QString text = fuzz::Text(data, size);
    TIndexList list;
    ParseIndexCache(text, list);
    const QString written = FormatIndexCache(list);
    TIndexList back;
    ParseIndexCache(written, back);
    fuzz::Require(SameItems(list, back), "index cache load(save(load(x))) == load(x)");
    fuzz::Require(FormatIndexCache(back) == written, "index cache save is stable");

    const std::vector<TMyScanItem> folders = ParseScanFolders(text);
    const std::vector<TMyScanItem> again = ParseScanFolders(FormatScanFolders(folders));
    fuzz::Require(SameFolders(folders, again), "scan folders round trip");
    DecodeIdList(text);
    return 0;
}
