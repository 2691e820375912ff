#include "WindowHooks.h"

#include <framework/WindowHooks.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

struct HHOOK__ {
    HOOKPROC proc;
};

namespace orbel::window {

namespace {

// Oldest first; a hook may unhook itself or others while it runs, so each
// step looks its neighbour up again.
std::vector<std::unique_ptr<HHOOK__>>& Chain()
{
    static std::vector<std::unique_ptr<HHOOK__>> chain;
    return chain;
}

auto Find(HHOOK hhk)
{
    auto& chain = Chain();
    return std::find_if(chain.begin(), chain.end(), [hhk](const auto& hook) { return hook.get() == hhk; });
}

}  // namespace

void ShowSentMessageToHooks(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto& chain = Chain();
    if (chain.empty())
        return;
    CWPSTRUCT sent{lParam, wParam, msg, hWnd};
    // Sent from this thread, which Win32 tells with a nonzero wParam.
    chain.back()->proc(HC_ACTION, 1, reinterpret_cast<LPARAM>(&sent));
}

}  // namespace orbel::window

HHOOK SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD)
{
    if (idHook != WH_CALLWNDPROC || lpfn == nullptr)
        return nullptr;
    auto& chain = orbel::window::Chain();
    chain.push_back(std::make_unique<HHOOK__>(HHOOK__{lpfn}));
    return chain.back().get();
}

BOOL UnhookWindowsHookEx(HHOOK hhk)
{
    auto found = orbel::window::Find(hhk);
    if (found == orbel::window::Chain().end())
        return FALSE;
    orbel::window::Chain().erase(found);
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam)
{
    auto& chain = orbel::window::Chain();
    auto found = orbel::window::Find(hhk);
    if (found == chain.end() || found == chain.begin())
        return 0;
    return (*std::prev(found))->proc(nCode, wParam, lParam);
}
