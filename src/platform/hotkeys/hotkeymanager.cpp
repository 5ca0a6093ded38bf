// The keyword hotkeys: which keyword owns which global hotkey id, registered through TGlobalHotkeys.
#include "platform/hotkeys/hotkeymanager.h"

#include "core/items.h"
#include "core/keywordlist.h"
#include "platform/globalhotkeys.h"

#include <algorithm>

namespace vantrelo {

namespace {

// A keyword file without "keymod" reads -1; a key with it means no modifier, not all four.
int ModifierBits(int keymod) { return keymod < 0 ? 0 : (keymod & 15); }

} // namespace

TmyHotKeyManager::~TmyHotKeyManager() { CleanUp(); }

bool TmyHotKeyManager::AddOrUpdate(int k, int ka, const TExeWord* e) {
    const int index = Exist(e);
    TMyHotKey* entry = nullptr;
    if (index < 0) {
        const int atom = FindFreeAtom();
        if (atom < 0)
            return false; // every id is taken: the hotkey is refused, never registered as -1
        hotkeys_list_.push_back(TMyHotKey{k, ka, atom, e});
        entry = &hotkeys_list_.back();
    } else {
        entry = &hotkeys_list_[size_t(index)];
        hotkeys_.Unregister(entry->atom);
        entry->key = k;
        entry->keymod = ka;
    }
    if (k == -1)
        return false;
    return hotkeys_.Register(entry->atom, k, ModifierBits(ka));
}

bool TmyHotKeyManager::AddExeword(const TExeWord* e) {
    if (!e)
        return false;
    if (e->disabled || e->key == -1) {
        // Saved as disabled or without a key: a hotkey it had before must not run it any more.
        Remove(e);
        return false;
    }
    return AddOrUpdate(e->key, e->keymod, e);
}

void TmyHotKeyManager::Remove(const TExeWord* e) {
    const int index = Exist(e);
    if (index < 0)
        return;
    hotkeys_.Unregister(hotkeys_list_[size_t(index)].atom);
    hotkeys_list_.erase(hotkeys_list_.begin() + index);
}

void TmyHotKeyManager::CleanUp() {
    for (const TMyHotKey& h : hotkeys_list_)
        hotkeys_.Unregister(h.atom);
    hotkeys_list_.clear();
}

std::vector<const TExeWord*> TmyHotKeyManager::RegisterAllHotkeys(const TKeywordList& words) {
    std::vector<const TExeWord*> failed;
    for (const auto& word : words) {
        const bool wanted = !word->disabled && word->key != -1;
        if (!AddExeword(word.get()) && wanted)
            failed.push_back(word.get());
    }
    return failed;
}

int TmyHotKeyManager::Exist(const TExeWord* e) const {
    const auto it = std::find_if(hotkeys_list_.begin(), hotkeys_list_.end(),
                                 [e](const TMyHotKey& h) { return h.exeword == e; });
    return it == hotkeys_list_.end() ? -1 : int(it - hotkeys_list_.begin());
}

int TmyHotKeyManager::FindFreeAtom() const {
    std::vector<bool> used(size_t(kLastAtom + 1), false);
    for (const TMyHotKey& h : hotkeys_list_)
        if (h.atom >= kFirstAtom && h.atom <= kLastAtom)
            used[size_t(h.atom)] = true;
    for (int a = kFirstAtom; a <= kLastAtom; ++a)
        if (!used[size_t(a)])
            return a;
    return -1;
}

const TExeWord* TmyHotKeyManager::FindKeyByAtom(int a) const {
    for (const TMyHotKey& h : hotkeys_list_)
        if (h.atom == a)
            return h.exeword;
    return nullptr;
}

} // namespace vantrelo
