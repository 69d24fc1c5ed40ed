// The simulated DirectX installation: which modules, entry points and COM classes exist under
// each version, and the load counts and COM state that tests rely on to prove clean-up.
#include "win32/platform/Installation.h"

#include <gtest/gtest.h>

#include <string>

#include "win32/constants.h"
#include "win32/kernel.h"
#include "win32/platform/Resources.h"

namespace {

namespace installation = win32::installation;

DEFINE_GUID(kClsidDirectMusic, 0x636B9F10, 0x0C7D, 0x11D1, 0x95, 0xB2, 0x00, 0x20, 0xAF, 0xDC, 0x74,
            0x21);
DEFINE_GUID(kIidIDirectMusic, 0x6536115A, 0x7B2D, 0x11D2, 0xBA, 0x18, 0x00, 0x00, 0xF8, 0x75, 0xAC,
            0x12);
DEFINE_GUID(kIidSomethingElse, 0x12345678, 0x1234, 0x1234, 0x12, 0x34, 0x12, 0x34, 0x12, 0x34, 0x12,
            0x34);

class InstallationTest : public ::testing::Test {
  protected:
    void SetUp() override { installation::ResetCounts(); }
    void TearDown() override {
        installation::SetDirectXVersion(0x801);
        installation::ResetCounts();
    }
};

TEST_F(InstallationTest, VersionTextsParseToTheirCodes) {
    struct Case {
        const char* text;
        bool valid;
        DWORD code;
    } cases[] = {
        {"0", true, 0x000},   {"1", true, 0x100},  {"2", true, 0x200},   {"3", true, 0x300},
        {"5", true, 0x500},   {"6", true, 0x600},  {"6.1", true, 0x601}, {"7", true, 0x700},
        {"8.0", true, 0x800}, {"8", true, 0x800},  {"8.1", true, 0x801}, {"4", false, 0},
        {"8.2", false, 0},    {"8.10", false, 0},  {" 8.1", false, 0},   {"", false, 0},
        {"9", false, 0},      {"0x801", false, 0}, {"7.0", false, 0},
    };
    for (const Case& c : cases) {
        DWORD code = 0xDEAD;
        EXPECT_EQ(installation::ParseDirectXVersion(c.text, &code), c.valid) << c.text;
        EXPECT_EQ(code, c.valid ? c.code : 0xDEADu) << c.text;
    }
}

TEST_F(InstallationTest, DefaultInstallationIsDirectX81) {
    EXPECT_EQ(installation::DirectXVersion(), 0x801u);
}

bool ModulePresent(const char* name) {
    HMODULE module = LoadLibraryA(name);
    if (module != nullptr)
        FreeLibrary(module);
    return module != nullptr;
}

bool ExportPresent(const char* module, const char* name) {
    HMODULE handle = LoadLibraryA(module);
    if (handle == nullptr)
        return false;
    bool present = GetProcAddress(handle, name) != nullptr;
    FreeLibrary(handle);
    return present;
}

bool DirectMusicPresent() {
    CoInitialize(nullptr);
    void* object = nullptr;
    HRESULT result = CoCreateInstance(kClsidDirectMusic, nullptr, CLSCTX_INPROC_SERVER,
                                      kIidIDirectMusic, &object);
    if (object != nullptr)
        static_cast<IUnknown*>(object)->Release();
    CoUninitialize();
    return SUCCEEDED(result);
}

// Each DirectX release adds exactly the feature that identifies it.
TEST_F(InstallationTest, EachInstallationOffersExactlyWhatItsReleaseShipped) {
    struct Case {
        DWORD version;
        bool ddraw, directDrawCreate, dinput, directMusic, directDrawCreateEx, d3d8, dpnhpast;
    } cases[] = {
        {0x000, false, false, false, false, false, false, false},
        {0x100, true, true, false, false, false, false, false},
        {0x200, true, true, false, false, false, false, false},
        {0x300, true, true, true, false, false, false, false},
        {0x500, true, true, true, false, false, false, false},
        {0x600, true, true, true, false, false, false, false},
        {0x601, true, true, true, true, false, false, false},
        {0x700, true, true, true, true, true, false, false},
        {0x800, true, true, true, true, true, true, false},
        {0x801, true, true, true, true, true, true, true},
    };
    for (const Case& c : cases) {
        installation::SetDirectXVersion(c.version);
        SCOPED_TRACE(::testing::Message() << "DirectX " << std::hex << c.version);
        EXPECT_EQ(ModulePresent("DDRAW.DLL"), c.ddraw);
        EXPECT_EQ(ExportPresent("DDRAW.DLL", "DirectDrawCreate"), c.directDrawCreate);
        EXPECT_EQ(ModulePresent("DINPUT.DLL"), c.dinput);
        EXPECT_EQ(ExportPresent("DINPUT.DLL", "DirectInputCreateA"), c.dinput);
        EXPECT_EQ(DirectMusicPresent(), c.directMusic);
        EXPECT_EQ(ExportPresent("DDRAW.DLL", "DirectDrawCreateEx"), c.directDrawCreateEx);
        EXPECT_EQ(ModulePresent("D3D8.DLL"), c.d3d8);
        EXPECT_EQ(ModulePresent("dpnhpast.dll"), c.dpnhpast);
        EXPECT_EQ(installation::TotalModuleLoadCount(), 0);
        EXPECT_EQ(installation::LiveClassObjectCount(), 0);
    }
}

TEST_F(InstallationTest, LoadCountsGoBackToZeroWhenEveryLoadIsFreed) {
    struct Case {
        DWORD version;
        const char* loads[4];
        int loaded;  // how many of them exist under that version
    } cases[] = {
        {0x700, {"DINPUT.DLL", "dinput.dll", "D3D8.DLL", "dpnhpast.dll"}, 2},
        {0x801, {"DINPUT.DLL", "dinput.dll", "D3D8.DLL", "dpnhpast.dll"}, 4},
    };
    for (const Case& c : cases) {
        installation::SetDirectXVersion(c.version);
        HMODULE handles[4] = {};
        int loaded = 0;
        for (int i = 0; i < 4; ++i) {
            handles[i] = LoadLibraryA(c.loads[i]);
            loaded += handles[i] != nullptr;
        }
        EXPECT_EQ(loaded, c.loaded);
        EXPECT_EQ(installation::ModuleLoadCount("DINPUT.DLL"), 2);
        EXPECT_EQ(installation::TotalModuleLoadCount(), c.loaded);
        EXPECT_EQ(handles[0], handles[1]);
        for (HMODULE handle : handles) {
            if (handle != nullptr) {
                EXPECT_TRUE(FreeLibrary(handle));
            }
        }
        EXPECT_EQ(installation::ModuleLoadCount("DINPUT.DLL"), 0);
        EXPECT_EQ(installation::TotalModuleLoadCount(), 0);
        // One free too many is refused and leaves the count at zero.
        EXPECT_FALSE(FreeLibrary(handles[0]));
        EXPECT_EQ(installation::TotalModuleLoadCount(), 0);
    }
}

TEST_F(InstallationTest, ModuleNamesIgnoreCaseDirectoryAndAMissingExtension) {
    HMODULE plain = LoadLibraryA("DINPUT.DLL");
    ASSERT_NE(plain, nullptr);
    const char* aliases[] = {"dinput.dll", "DiNpUt.DlL", "dinput",
                             "C:\\WINDOWS\\SYSTEM\\DINPUT.DLL", "/windows/system32/dinput.dll"};
    for (const char* alias : aliases) {
        HMODULE same = LoadLibraryA(alias);
        EXPECT_EQ(same, plain) << alias;
        FreeLibrary(same);
    }
    EXPECT_EQ(LoadLibraryA("DINPUT8.DLL"), nullptr);
    EXPECT_EQ(LoadLibraryA("DINPUT.DLL.DLL"), nullptr);
    EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
    FreeLibrary(plain);
    EXPECT_EQ(installation::TotalModuleLoadCount(), 0);
}

TEST_F(InstallationTest, ModuleHandleIsKnownOnlyWhileTheModuleIsLoaded) {
    EXPECT_EQ(GetModuleHandleA("D3D8.DLL"), nullptr);
    HMODULE module = LoadLibraryA("D3D8.DLL");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetModuleHandleA("d3d8"), module);
    EXPECT_EQ(installation::ModuleLoadCount("D3D8.DLL"), 1);  // no extra reference
    FreeLibrary(module);
    EXPECT_EQ(GetModuleHandleA("D3D8.DLL"), nullptr);
    // The program's own handle exists always, is not counted and owns the resources.
    HMODULE program = GetModuleHandleA(nullptr);
    ASSERT_NE(program, nullptr);
    EXPECT_NE(program, module);
    EXPECT_TRUE(FreeLibrary(program));
    EXPECT_EQ(installation::TotalModuleLoadCount(), 0);
    static const char kBytes[] = "form";
    win32::resources::Register(RT_RCDATA, "PROGRAM_OWNED", kBytes, sizeof kBytes);
    EXPECT_NE(FindResourceA(program, "PROGRAM_OWNED", RT_RCDATA), nullptr);
    module = LoadLibraryA("D3D8.DLL");
    EXPECT_EQ(FindResourceA(module, "PROGRAM_OWNED", RT_RCDATA), nullptr);
    FreeLibrary(module);
}

TEST_F(InstallationTest, DirectInputEntryPointExistsButHonestlyDoesNothing) {
    HMODULE dinput = LoadLibraryA("DINPUT.DLL");
    ASSERT_NE(dinput, nullptr);
    using Create = HRESULT (*)(HINSTANCE, DWORD, void**, IUnknown*);
    FARPROC proc = GetProcAddress(dinput, "DirectInputCreateA");
    ASSERT_NE(proc, nullptr);
    EXPECT_EQ(GetProcAddress(dinput, "directinputcreatea"), nullptr);  // names are exact
    EXPECT_EQ(GetProcAddress(dinput, "DirectInputCreateW"), nullptr);
    EXPECT_EQ(GetProcAddress(dinput, MAKEINTRESOURCE(1)), nullptr);
    auto create = reinterpret_cast<Create>(reinterpret_cast<void (*)()>(proc));
    int dummy = 0;
    void* directInput = &dummy;
    EXPECT_EQ(create(nullptr, 0x0300, &directInput, nullptr), E_NOTIMPL);
    EXPECT_EQ(directInput, nullptr);
    FreeLibrary(dinput);
    EXPECT_EQ(GetProcAddress(dinput, "DirectInputCreateA"), nullptr);  // no longer loaded
}

TEST_F(InstallationTest, ALoadedModuleStaysUsableWhenTheInstallationChanges) {
    HMODULE dinput = LoadLibraryA("DINPUT.DLL");
    ASSERT_NE(dinput, nullptr);
    installation::SetDirectXVersion(0x200);
    EXPECT_EQ(LoadLibraryA("D3D8.DLL"), nullptr);
    HMODULE again = LoadLibraryA("DINPUT.DLL");
    EXPECT_EQ(again, dinput);
    EXPECT_EQ(installation::ModuleLoadCount("DINPUT.DLL"), 2);
    FreeLibrary(again);
    FreeLibrary(dinput);
    EXPECT_EQ(LoadLibraryA("DINPUT.DLL"), nullptr);
    EXPECT_EQ(installation::TotalModuleLoadCount(), 0);
}

INT_PTR ReplacementProc() {
    return 42;
}

TEST_F(InstallationTest, RegisteringAModuleAgainKeepsItsHandleAndCount) {
    installation::RegisterModule("NUVIKTEST.DLL", 0x100, {});
    HMODULE module = LoadLibraryA("NuvikTest.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetProcAddress(module, "Answer"), nullptr);
    installation::RegisterModule("nuviktest.dll", 0x100, {{"Answer", &ReplacementProc, 0x500}});
    EXPECT_EQ(installation::ModuleLoadCount("NUVIKTEST.DLL"), 1);
    FARPROC answer = GetProcAddress(module, "Answer");
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    installation::SetDirectXVersion(0x300);  // an export can be newer than its module
    EXPECT_EQ(GetProcAddress(module, "Answer"), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(installation::TotalModuleLoadCount(), 0);
}

TEST_F(InstallationTest, CoCreateInstanceNeedsCoInitializeFirst) {
    void* object = &object;
    EXPECT_EQ(CoCreateInstance(kClsidDirectMusic, nullptr, CLSCTX_INPROC_SERVER, kIidIDirectMusic,
                               &object),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(object, nullptr);

    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    CoUninitialize();
    ASSERT_EQ(CoCreateInstance(kClsidDirectMusic, nullptr, CLSCTX_INPROC_SERVER, kIidIDirectMusic,
                               &object),
              S_OK);
    static_cast<IUnknown*>(object)->Release();
    CoUninitialize();
    EXPECT_EQ(CoCreateInstance(kClsidDirectMusic, nullptr, CLSCTX_INPROC_SERVER, kIidIDirectMusic,
                               &object),
              CO_E_NOTINITIALIZED);
    CoUninitialize();  // one too many does no harm
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
}

TEST_F(InstallationTest, DirectMusicIsARealReferenceCountedObject) {
    CoInitialize(nullptr);
    void* object = nullptr;
    ASSERT_EQ(CoCreateInstance(kClsidDirectMusic, nullptr, CLSCTX_INPROC_SERVER, kIidIDirectMusic,
                               &object),
              S_OK);
    auto* music = static_cast<IUnknown*>(object);
    EXPECT_EQ(installation::LiveClassObjectCount(), 1);

    void* unknown = nullptr;
    ASSERT_EQ(music->QueryInterface(IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(unknown, object);
    void* other = &other;
    EXPECT_EQ(music->QueryInterface(kIidSomethingElse, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(music->AddRef(), 3u);
    EXPECT_EQ(music->Release(), 2u);
    EXPECT_EQ(static_cast<IUnknown*>(unknown)->Release(), 1u);
    EXPECT_EQ(installation::LiveClassObjectCount(), 1);
    EXPECT_EQ(music->Release(), 0u);
    EXPECT_EQ(installation::LiveClassObjectCount(), 0);

    // Asking the class for an interface it lacks leaves nothing behind.
    EXPECT_EQ(CoCreateInstance(kClsidDirectMusic, nullptr, CLSCTX_INPROC_SERVER, kIidSomethingElse,
                               &object),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(installation::LiveClassObjectCount(), 0);
    CoUninitialize();
}

TEST_F(InstallationTest, CoCreateInstanceRefusesWhatTheClassCannotBe) {
    CoInitialize(nullptr);
    int outerObject = 0;
    auto* outer = reinterpret_cast<IUnknown*>(&outerObject);  // never called
    struct Case {
        const char* what;
        CLSID clsid;
        IUnknown* outer;
        DWORD context;
        HRESULT result;
    } cases[] = {
        {"aggregation", kClsidDirectMusic, outer, CLSCTX_INPROC_SERVER, CLASS_E_NOAGGREGATION},
        {"out of process", kClsidDirectMusic, nullptr, CLSCTX_LOCAL_SERVER, REGDB_E_CLASSNOTREG},
        {"unknown class", kIidSomethingElse, nullptr, CLSCTX_INPROC_SERVER, REGDB_E_CLASSNOTREG},
        {"any context", kClsidDirectMusic, nullptr, CLSCTX_ALL, S_OK},
    };
    for (const Case& c : cases) {
        void* object = &object;
        EXPECT_EQ(CoCreateInstance(c.clsid, c.outer, c.context, kIidIDirectMusic, &object),
                  c.result)
            << c.what;
        if (SUCCEEDED(c.result))
            static_cast<IUnknown*>(object)->Release();
        else
            EXPECT_EQ(object, nullptr) << c.what;
    }
    EXPECT_EQ(CoCreateInstance(kClsidDirectMusic, nullptr, CLSCTX_INPROC_SERVER, kIidIDirectMusic,
                               nullptr),
              E_POINTER);
    EXPECT_EQ(installation::LiveClassObjectCount(), 0);
    CoUninitialize();
}

TEST_F(InstallationTest, ResetCountsForgetsLoadsAndComButKeepsTheInstallation) {
    installation::SetDirectXVersion(0x700);
    LoadLibraryA("DINPUT.DLL");
    CoInitialize(nullptr);
    installation::ResetCounts();
    EXPECT_EQ(installation::TotalModuleLoadCount(), 0);
    EXPECT_EQ(installation::DirectXVersion(), 0x700u);
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(kClsidDirectMusic, nullptr, CLSCTX_INPROC_SERVER, kIidIDirectMusic,
                               &object),
              CO_E_NOTINITIALIZED);
}

}  // namespace
