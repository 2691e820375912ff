#include "ModelTestSupport.h"

#include "support/FreshFolder.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <set>

namespace modeltest {

ProgramFolder::ProgramFolder(bool withTemp)
{
    m_Root = orbel::test::MakeFreshFolder("orbel-model-");
    if (withTemp)
        std::filesystem::create_directory(TempPath());
}

ProgramFolder::~ProgramFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_Root, ignored);
}

CString ProgramFolder::ProgramDir() const
{
    std::string text = m_Root.string() + "/";
    for (char& c : text) {
        if (c == '/')
            c = '\\';
    }
    return CString(text.c_str());
}

Bytes ReadFileBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::filesystem::path& file, const Bytes& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes SaveScene(CMyOrbelDoc& doc, const std::filesystem::path& scratch)
{
    {
        CFile file(scratch.string().c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        doc.Serialize(ar);
        ar.Close();
        file.Close();
    }
    return ReadFileBytes(scratch);
}

bool LoadScene(CMyOrbelDoc& doc, const Bytes& bytes, const std::filesystem::path& scratch, BOOL reset)
{
    WriteFileBytes(scratch, bytes);
    CFile file(scratch.string().c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    try {
        doc.SerializeScene(ar, reset);
        ar.Close();
    } catch (CException* e) {
        ar.Abort();
        e->Delete();
        return false;
    }
    return true;
}

long FirstDifference(const Bytes& a, const Bytes& b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] != b[i])
            return static_cast<long>(i);
    }
    return a.size() == b.size() ? -1 : static_cast<long>(common);
}

cObjekt3D* MakeStrip(int faces, const char* name)
{
    auto* object = new cObjekt3D;
    object->m_Name = name;
    for (int i = 0; i < faces + 2; ++i) {
        const float x = static_cast<float>(i / 2);
        const float y = static_cast<float>(i % 2);
        object->AddVertex(MeshVertex{x, y, 0.0f, 0.0f, 0.0f, -1.0f, x, y});
    }
    for (int f = 0; f < faces; ++f) {
        object->AddIndex(static_cast<WORD>(f));
        object->AddIndex(static_cast<WORD>(f + 1));
        object->AddIndex(static_cast<WORD>(f + 2));
    }
    return object;
}

cObjekt3D* MakeCube()
{
    auto* cube = new cObjekt3D;
    cube->m_Name = "Cube";
    for (int i = 0; i < 8; ++i) {
        const float x = (i & 1) ? 0.5f : -0.5f;
        const float y = (i & 2) ? 0.5f : -0.5f;
        const float z = (i & 4) ? 0.5f : -0.5f;
        cube->AddVertex(MeshVertex{x, y, z, x, y, z, 0.0f, 0.0f});
    }
    const WORD faces[12][3] = {{0, 2, 1}, {1, 2, 3}, {4, 5, 6}, {5, 7, 6}, {0, 1, 4}, {1, 5, 4},
                               {2, 6, 3}, {3, 6, 7}, {0, 4, 2}, {2, 4, 6}, {1, 3, 5}, {3, 7, 5}};
    for (const auto& face : faces) {
        for (WORD index : face)
            cube->AddIndex(index);
    }
    return cube;
}

std::vector<MaterialRun> Runs(const cObjekt3D& object)
{
    std::vector<MaterialRun> runs;
    for (POSITION pos = object.m_Runs.GetHeadPosition(); pos != nullptr;)
        runs.push_back(object.m_Runs.GetNext(pos));
    return runs;
}

std::vector<int> ObjectIds(const CMyOrbelDoc& doc)
{
    std::vector<int> ids;
    for (POSITION pos = doc.m_Objects.GetHeadPosition(); pos != nullptr;)
        ids.push_back(doc.m_Objects.GetNext(pos)->m_Id);
    return ids;
}

std::vector<int> SelectedObjectIds(const cSelection& selection)
{
    std::vector<int> ids;
    for (POSITION pos = selection.m_Objects.GetHeadPosition(); pos != nullptr;)
        ids.push_back(selection.m_Objects.GetNext(pos)->m_Id);
    return ids;
}

namespace {

std::string CheckObject(const cObjekt3D& object, int materialCount)
{
    const INT_PTR vertices = object.m_Vertices.GetSize();
    for (INT_PTR i = 0; i < object.m_Indices.GetSize(); ++i) {
        if (object.m_Indices[i] >= vertices)
            return "index outside the vertex array";
    }
    int previous = 0;
    for (const MaterialRun& run : Runs(object)) {
        if (run.material < -1 || run.material >= materialCount)
            return "run material outside the table";
        if (run.firstFace < previous || run.firstFace > object.GetFaceCount())
            return "run start out of order or past the faces";
        previous = run.firstFace;
    }
    return {};
}

}  // namespace

std::string CheckConsistent(const CMyOrbelDoc& doc)
{
    std::set<int> ids;
    std::set<const cObjekt3D*> objects;
    for (POSITION pos = doc.m_Objects.GetHeadPosition(); pos != nullptr;) {
        const cObjekt3D* object = doc.m_Objects.GetNext(pos);
        if (!ids.insert(object->m_Id).second)
            return "duplicate object id";
        if (object->m_Id >= doc.m_NextObjectId)
            return "next object id not above every id";
        objects.insert(object);
        std::string problem = CheckObject(*object, static_cast<int>(doc.m_Materials.GetSize()));
        if (!problem.empty())
            return problem;
    }
    for (INT_PTR i = 0; i < doc.m_Materials.GetSize(); ++i) {
        if (doc.m_Materials[i] == nullptr || doc.m_Materials[i]->m_pMaterial == nullptr)
            return "material without its record";
    }
    const cSelection& selection = doc.m_Selection;
    for (POSITION pos = selection.m_Objects.GetHeadPosition(); pos != nullptr;) {
        if (objects.count(selection.m_Objects.GetNext(pos)) == 0)
            return "selected object not in the scene";
    }
    for (POSITION pos = selection.m_Faces.GetHeadPosition(); pos != nullptr;) {
        const SelectedElement* face = selection.m_Faces.GetNext(pos);
        if (objects.count(face->object) == 0 || face->index < 0 || face->index >= face->object->GetFaceCount())
            return "selected face outside the scene";
    }
    for (POSITION pos = selection.m_Vertices.GetHeadPosition(); pos != nullptr;) {
        const SelectedElement* vertex = selection.m_Vertices.GetNext(pos);
        if (objects.count(vertex->object) == 0 || vertex->index < 0 ||
            vertex->index >= vertex->object->m_Vertices.GetSize())
            return "selected vertex outside the scene";
    }
    return {};
}

ByteWriter& ByteWriter::Raw(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    m_Bytes.insert(m_Bytes.end(), bytes, bytes + size);
    return *this;
}

ByteWriter& ByteWriter::Int(int value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        m_Bytes.push_back(static_cast<unsigned char>(bits >> shift));
    return *this;
}

ByteWriter& ByteWriter::Word(unsigned value)
{
    m_Bytes.push_back(static_cast<unsigned char>(value));
    m_Bytes.push_back(static_cast<unsigned char>(value >> 8));
    return *this;
}

ByteWriter& ByteWriter::Float(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return Int(static_cast<int>(bits));
}

ByteWriter& ByteWriter::String(const std::string& text)
{
    if (text.size() < 255) {
        m_Bytes.push_back(static_cast<unsigned char>(text.size()));
    } else if (text.size() < 0xFFFE) {
        m_Bytes.push_back(0xFF);
        Word(static_cast<unsigned>(text.size()));
    } else {
        m_Bytes.push_back(0xFF);
        Word(0xFFFF);
        Int(static_cast<int>(text.size()));
    }
    return Raw(text.data(), text.size());
}

}  // namespace modeltest
