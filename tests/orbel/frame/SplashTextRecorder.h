// Records the texts the splash shows, as they are sent to its status line,
// through a WH_CALLWNDPROC hook: the window itself is gone by the time a
// start-up test could read it. One recorder at a time.
#pragma once

#include "orbel/resources/Resource.h"

#include <framework/Afx.h>
#include <framework/ControlBars.h>
#include <framework/WindowHooks.h>

#include <string>
#include <vector>

class SplashTextRecorder {
public:
    SplashTextRecorder()
    {
        current_ = this;
        hook_ = ::SetWindowsHookEx(WH_CALLWNDPROC, &SplashTextRecorder::Watch, nullptr, 0);
    }
    ~SplashTextRecorder()
    {
        ::UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    SplashTextRecorder(const SplashTextRecorder&) = delete;
    SplashTextRecorder& operator=(const SplashTextRecorder&) = delete;

    const std::vector<std::string>& Texts() const { return texts_; }
    void Clear() { texts_.clear(); }

private:
    static LRESULT Watch(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current_ != nullptr && sent->message == SB_SETTEXT &&
            ::GetDlgCtrlID(sent->hwnd) == IDC_SPLASH_STATUS)
            current_->texts_.emplace_back(reinterpret_cast<LPCSTR>(sent->lParam));
        return current_ != nullptr ? ::CallNextHookEx(current_->hook_, code, wParam, lParam) : 0;
    }

    static inline SplashTextRecorder* current_ = nullptr;
    HHOOK hook_ = nullptr;
    std::vector<std::string> texts_;
};
