#include <framework/Afx.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TestShape : public CObject {
    DECLARE_SERIAL(TestShape)
public:
    int corners = 3;
};
IMPLEMENT_SERIAL(TestShape, CObject, 1)

class TestSquare : public TestShape {
    DECLARE_DYNCREATE(TestSquare)
public:
    TestSquare() { corners = 4; }
};
IMPLEMENT_DYNCREATE(TestSquare, TestShape)

class TestNote : public CObject {
    DECLARE_DYNAMIC(TestNote)
};
IMPLEMENT_DYNAMIC(TestNote, CObject)

CObject* MakeOtherShape()
{
    return new TestSquare;
}

} // namespace

TEST(RuntimeClass, RecordsKnowNameSchemaAndBase)
{
    const CRuntimeClass* shape = RUNTIME_CLASS(TestShape);
    EXPECT_STREQ(shape->m_lpszClassName, "TestShape");
    EXPECT_EQ(shape->m_wSchema, 1u);
    EXPECT_EQ(shape->m_nObjectSize, static_cast<int>(sizeof(TestShape)));
    EXPECT_EQ(RUNTIME_CLASS(TestNote)->m_wSchema, 0xFFFFu);

    TestSquare square;
    EXPECT_EQ(square.GetRuntimeClass(), RUNTIME_CLASS(TestSquare));
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(TestShape)));
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(square.IsKindOf(RUNTIME_CLASS(TestNote)));
    EXPECT_FALSE(square.IsKindOf(nullptr));
    EXPECT_TRUE(TestShape().IsSerializable());
    EXPECT_FALSE(TestNote().IsSerializable());
}

TEST(RuntimeClass, CreatesObjectsByName)
{
    std::unique_ptr<CObject> made(CRuntimeClass::CreateObject("TestSquare"));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(static_cast<TestSquare*>(made.get())->corners, 4);
    EXPECT_EQ(CRuntimeClass::FromName("TestNote"), RUNTIME_CLASS(TestNote));
    EXPECT_EQ(CRuntimeClass::CreateObject("TestNote"), nullptr);  // not creatable
    EXPECT_EQ(CRuntimeClass::CreateObject("NoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
    EXPECT_NE(CRuntimeClass::FromName("CDocument"), nullptr);
}

TEST(RuntimeClass, DuplicateNamesFromSeveralModules)
{
    // What a plug-in's own copy of a model class looks like to the registry.
    const CRuntimeClass pluginCopy = {"TestShape", static_cast<int>(sizeof(TestSquare)), 1, MakeOtherShape,
                                      RUNTIME_CLASS(CObject)};
    auto registration = std::make_unique<orbel::RuntimeClassRegistration>(&pluginCopy);

    // The first registration wins lookups by name.
    EXPECT_EQ(CRuntimeClass::FromName("TestShape"), RUNTIME_CLASS(TestShape));
    // Both records stand for one class in kind tests.
    TestShape shape;
    EXPECT_TRUE(shape.IsKindOf(&pluginCopy));

    // Unloading the plug-in removes its record and leaves the first.
    registration.reset();
    EXPECT_EQ(CRuntimeClass::FromName("TestShape"), RUNTIME_CLASS(TestShape));

    // A record registered alone is found, and forgotten when it goes.
    const CRuntimeClass lonely = {"TestOnlyInPlugin", 8, 1, MakeOtherShape, RUNTIME_CLASS(CObject)};
    {
        orbel::RuntimeClassRegistration only(&lonely);
        EXPECT_EQ(CRuntimeClass::FromName("TestOnlyInPlugin"), &lonely);
        std::unique_ptr<CObject> made(CRuntimeClass::CreateObject("TestOnlyInPlugin"));
        EXPECT_NE(made, nullptr);
    }
    EXPECT_EQ(CRuntimeClass::FromName("TestOnlyInPlugin"), nullptr);
}

namespace {

class RegistryTwin : public CObject {
    DECLARE_SERIAL(RegistryTwin)
public:
    int origin = 1;
};
IMPLEMENT_SERIAL(RegistryTwin, CObject, 1)

} // namespace

TEST(RuntimeClass, ALibraryLoadedAndUnloadedLeavesTheRegistrySound)
{
    HMODULE library = LoadLibraryA(ORBEL_TEST_REGISTERING_LIBRARY);
    ASSERT_NE(library, nullptr);
    auto libraryTwin = reinterpret_cast<const CRuntimeClass* (*)()>(GetProcAddress(library, "LibraryTwinClass"));
    ASSERT_NE(libraryTwin, nullptr);
    EXPECT_NE(libraryTwin(), RUNTIME_CLASS(RegistryTwin));  // each module has its own record

    // The program registered first, so its record answers for the name.
    EXPECT_EQ(CRuntimeClass::FromName("RegistryTwin"), RUNTIME_CLASS(RegistryTwin));
    std::unique_ptr<CObject> twin(CRuntimeClass::CreateObject("RegistryTwin"));
    EXPECT_EQ(static_cast<RegistryTwin*>(twin.get())->origin, 1);
    std::unique_ptr<CObject> own(CRuntimeClass::CreateObject("OnlyInLibrary"));
    ASSERT_NE(own, nullptr);
    own.reset();  // its code goes with the library

    ASSERT_TRUE(FreeLibrary(library));
    EXPECT_EQ(CRuntimeClass::FromName("OnlyInLibrary"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("RegistryTwin"), RUNTIME_CLASS(RegistryTwin));
    EXPECT_NE(CRuntimeClass::FromName("CObject"), nullptr);
}
