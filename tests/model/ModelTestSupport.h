// Shared helpers of the model tests: a throw-away program directory with a
// Temp folder, scene files as bytes, small meshes and a consistency check.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/MyOrbelDoc.h"

inline bool operator==(const MaterialRun& a, const MaterialRun& b)
{
    return a.material == b.material && a.firstFace == b.firstFace;
}

namespace modeltest {

using Bytes = std::vector<unsigned char>;

// A fresh folder with a "Temp" subfolder, removed again at the end.
class ProgramFolder {
public:
    explicit ProgramFolder(bool withTemp = true);
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& Path() const { return m_Root; }
    std::filesystem::path TempPath() const { return m_Root / "Temp"; }
    // As the program keeps it: '\' separators and a trailing '\'.
    CString ProgramDir() const;

private:
    std::filesystem::path m_Root;
};

Bytes ReadFileBytes(const std::filesystem::path& file);
void WriteFileBytes(const std::filesystem::path& file, const Bytes& bytes);

// The scene file of `doc` as bytes.
Bytes SaveScene(CMyOrbelDoc& doc, const std::filesystem::path& scratch);
// Loads bytes through the document's Serialize; false (and the exception
// deleted) when the framework raised one.
bool LoadScene(CMyOrbelDoc& doc, const Bytes& bytes, const std::filesystem::path& scratch, BOOL reset = TRUE);

// The offset of the first byte where a and b differ (a length counts as a
// difference at its end); -1 when they are equal.
long FirstDifference(const Bytes& a, const Bytes& b);

// A strip of `faces` triangles over faces + 2 vertices, named `name`.
cObjekt3D* MakeStrip(int faces, const char* name = "Strip");
// An axis-aligned unit cube: 8 vertices, 12 faces.
cObjekt3D* MakeCube();

std::vector<MaterialRun> Runs(const cObjekt3D& object);
std::vector<int> ObjectIds(const CMyOrbelDoc& doc);
std::vector<int> SelectedObjectIds(const cSelection& selection);

// Empty string when the document holds a scene every part of the program
// can rely on; otherwise what is wrong.
std::string CheckConsistent(const CMyOrbelDoc& doc);

// Little-endian byte builder for expected file contents.
class ByteWriter {
public:
    ByteWriter& Int(int value);
    ByteWriter& Word(unsigned value);
    ByteWriter& Float(float value);
    ByteWriter& String(const std::string& text);
    ByteWriter& Raw(const void* data, std::size_t size);
    const Bytes& Get() const { return m_Bytes; }

private:
    Bytes m_Bytes;
};

}  // namespace modeltest
