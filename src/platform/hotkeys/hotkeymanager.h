// The keyword hotkeys: which keyword owns which global hotkey id, registered through TGlobalHotkeys.
#pragma once

#include <vector>

namespace vantrelo {

class TExeWord;
class TGlobalHotkeys;
class TKeywordList;

// One keyword's hotkey; the keyword is owned by the keyword list.
struct TMyHotKey {
    int key = -1;    // virtual-key code; -1 none
    int keymod = 0;  // 1 Alt, 2 Ctrl, 4 Shift, 8 Win
    int atom = 0;    // the hotkey id, 2 to 500
    const TExeWord* exeword = nullptr;
};

class TmyHotKeyManager {
public:
    // Id 1 is the program's own hotkey; keywords get 2 to 500.
    static constexpr int kFirstAtom = 2;
    static constexpr int kLastAtom = 500;

    explicit TmyHotKeyManager(TGlobalHotkeys& hotkeys) : hotkeys_(hotkeys) {}
    ~TmyHotKeyManager();
    TmyHotKeyManager(const TmyHotKeyManager&) = delete;
    TmyHotKeyManager& operator=(const TmyHotKeyManager&) = delete;

    // Creates or updates `e`'s entry and registers k with ka; false when k is -1, when every id
    // is in use (no entry is made then) or when the combination cannot be registered.
    bool AddOrUpdate(int k, int ka, const TExeWord* e);
    // False for a disabled keyword or one without a key (its earlier hotkey, if any, is removed);
    // else AddOrUpdate with its own key.
    bool AddExeword(const TExeWord* e);
    void Remove(const TExeWord* e);
    // Unregisters and forgets every entry (at closing).
    void CleanUp();
    // AddExeword for every keyword in list order; the keywords that have a key but could not
    // get it, so the caller can say which.
    std::vector<const TExeWord*> RegisterAllHotkeys(const TKeywordList& words);
    // Index of `e`'s entry, or -1.
    int Exist(const TExeWord* e) const;
    // The smallest id from 2 up that no entry holds; -1 once 500 is passed.
    int FindFreeAtom() const;
    // The keyword whose hotkey has id `a`, or none.
    const TExeWord* FindKeyByAtom(int a) const;
    const std::vector<TMyHotKey>& Hotkeys() const { return hotkeys_list_; }

private:
    TGlobalHotkeys& hotkeys_;
    std::vector<TMyHotKey> hotkeys_list_;
};

} // namespace vantrelo
