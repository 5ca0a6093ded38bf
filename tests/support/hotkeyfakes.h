// Recording fakes of the hotkey grabs, the key state and injection, and the keyboard hook.
#pragma once

#include "platform/globalhotkeys.h"
#include "platform/keyboardhook.h"
#include "platform/keyinjector.h"

#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace vantrelo::test {

// Grabs by id; `taken` holds (vk, modifiers) that another program owns.
struct TFakeGlobalHotkeys final : TGlobalHotkeys {
    std::map<int, std::pair<int, int>> grabs;
    std::set<std::pair<int, int>> taken;
    std::vector<int> unregistered;
    THandler handler;

    bool Register(int id, int vk, int modifiers) override {
        grabs.erase(id);
        if (taken.count({vk, modifiers}))
            return false;
        for (const auto& [other, g] : grabs)
            if (g == std::make_pair(vk, modifiers))
                return false;
        grabs[id] = {vk, modifiers};
        return true;
    }
    void Unregister(int id) override {
        unregistered.push_back(id);
        grabs.erase(id);
    }
    void UnregisterAll() override { grabs.clear(); }
    void SetHandler(THandler h) override { handler = std::move(h); }
};

// Keys held down, and every key typed, in order.
struct TFakeKeyInjector final : TKeyInjector {
    std::set<int> down;
    std::vector<std::pair<int, bool>> typed;
    std::vector<char32_t> chars;
    std::function<void()> onEvent; // runs after every key or character
    mutable int checks = 0;

    bool KeyDown(int vk) override {
        typed.emplace_back(vk, true);
        if (onEvent)
            onEvent();
        return true;
    }
    bool KeyUp(int vk) override {
        typed.emplace_back(vk, false);
        if (onEvent)
            onEvent();
        return true;
    }
    bool TypeCharacter(char32_t c) override {
        chars.push_back(c);
        if (onEvent)
            onEvent();
        return true;
    }
    bool IsKeyDown(int vk) const override {
        ++checks;
        return down.count(vk) > 0;
    }
};

// A hook whose key events the test delivers by hand.
struct TFakeKeyboardHook final : TKeyboardHook {
    TCallback callback;
    bool canStart = true;
    int starts = 0;
    int stops = 0;

    bool Start(TCallback c) override {
        ++starts;
        if (!canStart)
            return false;
        callback = std::move(c);
        return true;
    }
    void Stop() override {
        if (callback)
            ++stops;
        callback = nullptr;
    }
    bool IsRunning() const override { return bool(callback); }
    void Key(int vk, bool down, quint64 timeMs) {
        if (callback)
            callback(TKeyEvent{vk, down, timeMs});
    }
};

} // namespace vantrelo::test
