// Internal: a modal dialog or message box hands the keyboard focus back, when
// it ends, to the window that had it when the modal began, as Windows does.
// Without this the focus is left nowhere once the modal's own controls are
// gone.
#pragma once

#include "WindowImpl.h"

#include <cstdint>

namespace orbel {

class ModalFocusKeeper {
public:
    ModalFocusKeeper() : m_focus(::GetFocus()), m_sequence(m_focus ? m_focus->sequence : 0) {}
    ModalFocusKeeper(const ModalFocusKeeper&) = delete;
    ModalFocusKeeper& operator=(const ModalFocusKeeper&) = delete;

    // Call once the modal is gone and its owner is enabled again. The
    // sequence check keeps a record reused by a later window from taking
    // the focus of one destroyed meanwhile.
    void Restore() const {
        if (m_focus == nullptr || !window::IsLive(m_focus) || m_focus->sequence != m_sequence) return;
        if (::GetFocus() != m_focus) ::SetFocus(m_focus);
    }

private:
    HWND m_focus;
    std::uint64_t m_sequence;
};

}  // namespace orbel
