#include "FuzzEntries.h"

#include "model/MyOrbelDoc.h"

#include <framework/Core.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace orbel::fuzz {
namespace {

// The document reads through the framework's archive over a file, so each
// input goes through one scratch file of this process.
const std::string& ScratchFile() {
    static const std::string path = "/tmp/orbel-scene-fuzz-" + std::to_string(::getpid()) + ".f3D";
    return path;
}

}  // namespace

int LoadSceneFileEntry(const std::uint8_t* data, std::size_t size) {
    const std::string& path = ScratchFile();
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        const bool written = std::fwrite(data, 1, size, f) == size;
        std::fclose(f);
        if (!written) return 0;
    } else {
        return 0;
    }
    CMyOrbelDoc doc;
    try {
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        try {
            doc.Serialize(ar);
            ar.Close();
        } catch (CException* e) {
            ar.Abort();
            e->Delete();
        }
    } catch (CException* e) {
        e->Delete();
    }
    std::remove(path.c_str());
    return 0;
}

}  // namespace orbel::fuzz
