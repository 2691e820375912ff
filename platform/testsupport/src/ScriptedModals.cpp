#include <testsupport/ScriptedModals.h>

#include <win32/MessageBoxCodes.h>

#include <utility>

namespace orbel::test {

void ScriptMessageBox(int answer) {
    modal::Answer a;
    a.result = answer;
    modal::Push(modal::kMessageBox, std::move(a));
}

void ScriptFileDialog(const std::string& path, int filterIndex) {
    modal::Answer a;
    a.result = IDOK;
    a.text = path;
    a.filterIndex = filterIndex;
    modal::Push(modal::kFileDialog, std::move(a));
}

void ScriptFileDialogCancel() {
    modal::Answer a;
    a.result = IDCANCEL;
    modal::Push(modal::kFileDialog, std::move(a));
}

void ScriptColorDialog(COLORREF color) {
    modal::Answer a;
    a.result = IDOK;
    a.color = color;
    modal::Push(modal::kColorDialog, std::move(a));
}

void ScriptColorDialogCancel() {
    modal::Answer a;
    a.result = IDCANCEL;
    modal::Push(modal::kColorDialog, std::move(a));
}

void ScriptDialog(UINT id, std::function<void(HWND)> act, int result) {
    modal::Answer a;
    a.result = result;
    a.act = std::move(act);
    modal::Push("Dialog:" + std::to_string(id), std::move(a));
}

std::vector<std::string> MessageBoxTexts() {
    std::vector<std::string> texts;
    for (const auto& appearance : modal::Appearances())
        if (appearance.kind == modal::kMessageBox) texts.push_back(appearance.description);
    return texts;
}

}  // namespace orbel::test
