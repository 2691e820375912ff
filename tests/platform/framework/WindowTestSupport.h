// Shared pieces of the window tests: an application per test and a window
// that records what reaches it.
#pragma once

#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        orbel::test::EnsureApplication();
        orbel::modal::Reset();
        m_previousReporter = orbel::SetFailureReporter([this](LPCTSTR text, UINT) {
            reports.emplace_back(text ? text : "");
            return IDOK;
        });
    }
    void TearDown() override {
        orbel::test::RunUntilIdle();
        orbel::SetFailureReporter(m_previousReporter);
        orbel::modal::Reset();
    }
    std::vector<std::string> reports;

private:
    orbel::FailureReporter m_previousReporter;
};

// A top-level or child window that logs the messages it handles.
class LogWnd : public CWnd {
public:
    std::vector<std::string> log;

    BOOL CreateTop(int width = 200, int height = 120, DWORD style = WS_POPUP | WS_VISIBLE) {
        return CreateEx(0, nullptr, "log", style, 10, 10, width, height, nullptr, nullptr);
    }
    BOOL CreateChild(CWnd* parent, const RECT& rect, UINT id, LPCTSTR className = nullptr) {
        return CreateEx(0, className, "child", WS_CHILD | WS_VISIBLE, rect, parent, id);
    }

protected:
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        log.push_back("paint");
    }
    afx_msg LRESULT OnUser(WPARAM wParam, LPARAM) {
        log.push_back("user " + std::to_string(wParam));
        return static_cast<LRESULT>(wParam) * 2;
    }
    afx_msg void OnLButtonDown(UINT flags, CPoint p) {
        log.push_back("ldown " + std::to_string(p.x) + "," + std::to_string(p.y) + (GetFocus() == this ? " focused" : "") +
                      ((flags & MK_CONTROL) ? " ctrl" : ""));
    }
    afx_msg void OnMouseMove(UINT flags, CPoint p) {
        log.push_back("move " + std::to_string(p.x) + "," + std::to_string(p.y) + " " + std::to_string(flags));
    }
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos) {
        log.push_back("context " + std::to_string(pWnd == this) + " " + std::to_string(pos.x) + "," +
                      std::to_string(pos.y));
    }
    afx_msg BOOL OnMouseWheel(UINT, short zDelta, CPoint) {
        log.push_back("wheel " + std::to_string(zDelta));
        return TRUE;
    }
    afx_msg void OnKeyDown(UINT nChar, UINT, UINT) { log.push_back("keydown " + std::to_string(nChar)); }
    afx_msg void OnChar(UINT nChar, UINT, UINT) { log.push_back(std::string("char ") + static_cast<char>(nChar)); }
    afx_msg void OnSetFocus(CWnd*) { log.push_back("setfocus"); }
    afx_msg void OnKillFocus(CWnd*) { log.push_back("killfocus"); }
    DECLARE_MESSAGE_MAP()
};
