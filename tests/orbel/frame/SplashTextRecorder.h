// Records the texts the splash shows, as they are sent to its status line,
// through a WH_CALLWNDPROC hook: the window itself is gone by the time a
// start-up test could read it. Every live recorder records every text.
#pragma once

#include "orbel/resources/Resource.h"

#include <framework/Afx.h>
#include <framework/ControlBars.h>
#include <framework/WindowHooks.h>

#include <algorithm>
#include <string>
#include <vector>

class SplashTextRecorder {
public:
    SplashTextRecorder()
    {
        if (Live().empty())
            hook_ = ::SetWindowsHookEx(WH_CALLWNDPROC, &SplashTextRecorder::Watch, nullptr, 0);
        Live().push_back(this);
    }
    ~SplashTextRecorder()
    {
        Live().erase(std::find(Live().begin(), Live().end(), this));
        if (Live().empty()) {
            ::UnhookWindowsHookEx(hook_);
            hook_ = nullptr;
        }
    }
    SplashTextRecorder(const SplashTextRecorder&) = delete;
    SplashTextRecorder& operator=(const SplashTextRecorder&) = delete;

    const std::vector<std::string>& Texts() const { return texts_; }

private:
    static std::vector<SplashTextRecorder*>& Live()
    {
        static std::vector<SplashTextRecorder*> live;
        return live;
    }

    static LRESULT Watch(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && sent->message == SB_SETTEXT && ::GetDlgCtrlID(sent->hwnd) == IDC_SPLASH_STATUS)
            for (SplashTextRecorder* recorder : Live())
                recorder->texts_.emplace_back(reinterpret_cast<LPCSTR>(sent->lParam));
        return ::CallNextHookEx(hook_, code, wParam, lParam);
    }

    static inline HHOOK hook_ = nullptr;
    std::vector<std::string> texts_;
};
