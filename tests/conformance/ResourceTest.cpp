// The program's own resources, the ones the system loads (its form, the slider's pictures and
// cursors, the icon), as each side's build puts them into the program.
#include <string>

#include "Conformance.h"

namespace conformance {
namespace {

class ResourceTest : public Win32Test {};

TEST_F(ResourceTest, ResourcesAreFoundByNameWhateverItsCaseAndUnderTheirTypeOnly) {
    struct Case {
        const char* name;
        LPCSTR type;
        bool found;
    } cases[] = {
        {"TMAINWIN", RT_RCDATA, true},         {"tMainWin", RT_RCDATA, true},
        {"TMAINWIN", RT_BITMAP, false},        {"NOSUCH", RT_RCDATA, false},
        {"W95_HRL", RT_BITMAP, true},          {"MAINICON", RT_GROUP_ICON, true},
        {"KW_HANDCUR", RT_GROUP_CURSOR, true}, {"KW_HANDCUR", RT_GROUP_ICON, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindResourceA(GetModuleHandleA(nullptr), c.name, c.type) != nullptr, c.found);
        // No module is the program itself.
        EXPECT_EQ(FindResourceA(nullptr, c.name, c.type) != nullptr, c.found);
    }
}

TEST_F(ResourceTest, AFormResourceIsLoadedAndLockedWithItsWholeText) {
    HMODULE program = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(program, "TMAINWIN", RT_RCDATA);
    ASSERT_NE(found, nullptr);
    HGLOBAL loaded = LoadResource(program, found);
    ASSERT_NE(loaded, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(loaded));
    ASSERT_NE(bytes, nullptr);
    DWORD size = SizeofResource(program, found);
    ASSERT_GT(size, 4u);
    std::string text(bytes, size);
    EXPECT_EQ(text.rfind("object MainWin: TMainWin", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 4), "end\n");  // nothing added, nothing cut
    EXPECT_EQ(text.find('\0'), std::string::npos);
}

// A bitmap resource is a packed DIB: the header, the colour table, the rows; its size is
// exactly that.
TEST_F(ResourceTest, ABitmapResourceIsAPackedDibOfExactlyItsSize) {
    for (const char* name : {"W95_HRL", "W95_HTB", "BACKGROUND"}) {
        SCOPED_TRACE(name);
        HRSRC found = FindResourceA(nullptr, name, RT_BITMAP);
        ASSERT_NE(found, nullptr);
        const auto* header =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, found)));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->biSize, sizeof(BITMAPINFOHEADER));
        EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
        DWORD colours = header->biClrUsed;
        if (colours == 0 && header->biBitCount <= 8)
            colours = 1u << header->biBitCount;
        LONG rows = header->biHeight < 0 ? -header->biHeight : header->biHeight;
        DWORD stride = ((static_cast<DWORD>(header->biWidth) * header->biBitCount + 31) / 32) * 4;
        EXPECT_EQ(SizeofResource(nullptr, found),
                  header->biSize + colours * sizeof(RGBQUAD) + stride * static_cast<DWORD>(rows));
    }
}

TEST_F(ResourceTest, NoResourceGivesNothing) {
    HMODULE program = GetModuleHandleA(nullptr);
    EXPECT_EQ(LoadResource(program, nullptr), nullptr);
    EXPECT_EQ(SizeofResource(program, nullptr), 0u);
    EXPECT_EQ(LockResource(nullptr), nullptr);
}

// Icons are shared: the same resource gives the same handle every time.
TEST_F(ResourceTest, LoadIconAGivesTheProgramsIconAndTheSystemsOwn) {
    HMODULE program = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(program, "MAINICON");
    EXPECT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(program, "mainicon"), icon);
    EXPECT_EQ(LoadIconA(program, "NOSUCH"), nullptr);
    HICON application = LoadIconA(nullptr, IDI_APPLICATION);
    EXPECT_NE(application, nullptr);
    EXPECT_NE(application, icon);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), application);
}

}  // namespace
}  // namespace conformance
