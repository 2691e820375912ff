// Starts the whole program headless in a scratch program folder, with the
// test plug-in libraries in its "Plugins" folder, scripted modals, recorded
// waits and splash texts, and a scratch user folder for the profile.
#pragma once

#include "orbel/frame/MainFrm.h"
#include "orbel/frame/MyOrbelApp.h"
#include "orbel/frame/SplashTextRecorder.h"
#include "orbel/host/PluginTestFolder.h"

#include <d3d8/TestControl.h>
#include <framework/Afx.h>
#include <model/MyOrbelDoc.h>
#include <testsupport/ScriptedModals.h>
#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The application as the program makes it, but living in the test's folder.
class TestOrbelApp : public CMyOrbelApp {
public:
    explicit TestOrbelApp(const CString& programDirectory)
        : programDirectory_(programDirectory)
    {
    }

protected:
    CString LocateProgramDirectory() const override { return programDirectory_; }

private:
    CString programDirectory_;
};

class ProgramHarness {
public:
    ProgramHarness()
    {
        orbel::test::EnsureApplication();
        orbel::modal::Reset();
        previousUnscripted_ = orbel::modal::SetUnscriptedHandler([](const orbel::modal::Appearance& appearance) {
            ADD_FAILURE() << "unscripted " << appearance.kind << ": " << appearance.description;
        });
        D3D8SetTestControl(D3D8TestControl{});
    }
    ~ProgramHarness()
    {
        Close();
        orbel::test::SetProgramArguments({});
        orbel::modal::SetUnscriptedHandler(previousUnscripted_);
        orbel::modal::Reset();
        D3D8SetTestControl(D3D8TestControl{});
    }
    ProgramHarness(const ProgramHarness&) = delete;
    ProgramHarness& operator=(const ProgramHarness&) = delete;

    BOOL Start(std::vector<std::string> arguments = {})
    {
        orbel::test::SetProgramArguments(std::move(arguments));
        app = std::make_unique<TestOrbelApp>(folder.ProgramDirectory());
        const BOOL started = app->InitInstance();
        orbel::test::RunUntilIdle();
        return started;
    }

    CMainFrame* Frame() const { return app ? dynamic_cast<CMainFrame*>(app->m_pMainWnd) : nullptr; }
    CMyOrbelDoc* Document() const { return Frame() != nullptr ? Frame()->GetSceneDocument() : nullptr; }

    // Closes the main window as the user would, declining to save, and ends
    // the application object.
    void Close()
    {
        if (app && app->m_pMainWnd != nullptr && app->m_pMainWnd->GetSafeHwnd() != nullptr) {
            if (Document() != nullptr && Document()->IsModified())
                orbel::test::ScriptSavePrompt(IDNO);
            app->m_pMainWnd->SendMessage(WM_CLOSE);
            orbel::test::RunUntilIdle();
        }
        if (app)
            app->ExitInstance();
        app.reset();
    }

    orbel::test::TemporaryUserFolders userFolders;
    PluginTestFolder folder;
    orbel::test::SleepRecorder sleeps;
    SplashTextRecorder splashRecorder;
    const std::vector<std::string>& splashTexts = splashRecorder.Texts();
    std::unique_ptr<TestOrbelApp> app;

private:
    orbel::modal::UnscriptedHandler previousUnscripted_;
};
