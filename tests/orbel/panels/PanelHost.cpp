#include "PanelHost.h"

#include "orbel/TextureFiles.h"
#include "support/FreshFolder.h"


BEGIN_MESSAGE_MAP(PanelHost, CWnd)
    ON_MESSAGE(WM_USER, OnUser)
END_MESSAGE_MAP()

std::filesystem::path PanelTest::ScratchFolder()
{
    if (scratch_.empty()) {
        scratch_ = orbel::test::MakeFreshFolder("orbel-panels-");
    }
    return scratch_;
}

std::string PanelTest::WriteHalvesJpegFile(const std::string& name)
{
    const std::filesystem::path path = ScratchFolder() / name;
    WriteHalvesJpeg(path);
    return path.string();
}
