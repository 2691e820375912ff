#include "PanelHost.h"

#include "orbel/TextureFiles.h"

#include <unistd.h>

BEGIN_MESSAGE_MAP(PanelHost, CWnd)
    ON_MESSAGE(WM_USER, OnUser)
END_MESSAGE_MAP()

std::filesystem::path PanelTest::ScratchFolder()
{
    if (scratch_.empty()) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        scratch_ = std::filesystem::temp_directory_path() /
                   ("orbel-panels-" + std::to_string(::getpid()) + "-" + info->name());
        std::filesystem::create_directories(scratch_);
    }
    return scratch_;
}

std::string PanelTest::WriteHalvesJpegFile(const std::string& name)
{
    const std::filesystem::path path = ScratchFolder() / name;
    WriteHalvesJpeg(path);
    return path.string();
}
