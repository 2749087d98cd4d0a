// The string reader against the resources of the real Kolvo.exe (loaded as a data file) and of
// this test program (a Japanese table and damaged ones), and the program's start-up session.
#include "ClassRegistry.h"
#include "EsBase.h"
#include "EsComponentStrings.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>

namespace kolvo {
namespace {

// Kolvo.exe's resources, without running it.
struct FreeModule {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using KolvoExe = std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule>;

// The message a call raises, or "(nothing raised)".
template <typename Call> std::string ErrorOf(Call call) {
    try {
        call();
    } catch (const EStringResourceError& error) {
        return error.what();
    }
    return "(nothing raised)";
}

class StringResource : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(kolvo_, nullptr) << GetLastError(); }

    const KolvoExe kolvo_{
        LoadLibraryExA(test::WindowsPath(KOLVO_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)};
    EsComponentsSession session_;
};

TEST_F(StringResource, KolvoExeCarriesTheGeneratedTablesByteForByte) {
    for (const char* name : {StringManagerTable, ComponentStringTable}) {
        SCOPED_TRACE(name);
        std::ifstream file(
            test::WindowsPath(std::string(KOLVO_STRING_TABLE_DIR) + "/" + name + ".bin"),
            std::ios::binary);
        const std::string generated{std::istreambuf_iterator<char>(file),
                                    std::istreambuf_iterator<char>()};
        ASSERT_FALSE(generated.empty());
        HRSRC found = FindResourceA(kolvo_.get(), name, MAKEINTRESOURCEA(10));
        ASSERT_NE(found, nullptr);
        const auto* data =
            static_cast<const char*>(LockResource(LoadResource(kolvo_.get(), found)));
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(std::string(data, SizeofResource(kolvo_.get(), found)), generated);
    }
}

TEST_F(StringResource, ComponentTableGivesTextsAndEmptyTextForGaps) {
    TEsStringResource strings(kolvo_.get(), ComponentStringTable);
    ASSERT_TRUE(strings.HasTable());
    const struct {
        int number;
        const char* text;
    } cases[] = {
        {0, "Black"},         {15, "White"}, {16, ""}, {29, ""}, {30, "No label is attached"},
        {39, "Invalid date"}, {40, ""},      {-1, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(strings.GetString(c.number), c.text) << c.number;
    }
    strings.ReportMissing = true;
    EXPECT_EQ(ErrorOf([&] { strings.GetString(16); }), "String not found: 16");

    strings.ChangeResource(kolvo_.get(), StringManagerTable);
    EXPECT_EQ(strings.GetString(4), "Unable to open string resource: %s");
}

TEST_F(StringResource, UnknownDamagedAndEmptyTablesRaiseTheirMessages) {
    EXPECT_EQ(ErrorOf([&] { TEsStringResource(kolvo_.get(), "NO_SUCH_STRINGS"); }),
              "String resource not found: NO_SUCH_STRINGS");
    // Not in Kolvo.exe: found in the program's own module, then refused.
    for (const char* damaged : {"BAD_MAGIC_STRINGS", "BAD_COUNT_STRINGS"}) {
        EXPECT_EQ(ErrorOf([&] { TEsStringResource(kolvo_.get(), damaged); }),
                  "Invalid string resource")
            << damaged;
    }
    TEsStringResource reader(nullptr, "BAD_TEXT_STRINGS");
    EXPECT_EQ(ErrorOf([&] { reader.GetString(7); }), "Invalid string resource")
        << "a text past the end of the data is not read";
    EXPECT_EQ(reader.GetString(8), "");

    // A table that fails on a change leaves the reader without one.
    reader.ChangeResource(kolvo_.get(), ComponentStringTable);
    EXPECT_EQ(ErrorOf([&] { reader.ChangeResource(nullptr, "BAD_MAGIC_STRINGS"); }),
              "Invalid string resource");
    EXPECT_FALSE(reader.HasTable());

    TEsStringResource empty(kolvo_.get(), "");
    EXPECT_FALSE(empty.HasTable());
    EXPECT_EQ(ErrorOf([&] { empty.GetString(1); }), "Cannot lock resource");
}

TEST_F(StringResource, MessagesComeFromTheTableOfTheSessionOrFromTheProgram) {
    // A table of Japanese texts: converted to the ANSI code page (932 under test), and its
    // pattern 3 used as the message once it stands in for the reader's own table.
    TEsStringResource japanese(nullptr, "TEST_STRINGS");
    EXPECT_EQ(japanese.GetString(40), "鉄筋 D13 の本数");
    EXPECT_EQ(japanese.GetString(-7), "負の番号");
    EXPECT_EQ(japanese.GetString(41), "");

    ASSERT_NE(StringManagerStrings(), nullptr);
    StringManagerStrings()->ChangeResource(nullptr, "TEST_STRINGS");
    EXPECT_EQ(ErrorOf([&] { TEsStringResource(nullptr, "NOPE"); }), "文字列表 NOPE がありません");
    EXPECT_EQ(ErrorOf([&] { TEsStringResource(nullptr, "BAD_MAGIC_STRINGS"); }),
              "Invalid string resource")
        << "a message the table lacks comes from the program";

    // The reader's own table unusable: the program's texts, never a recursion.
    StringManagerStrings()->ChangeResource(nullptr, "");
    EXPECT_EQ(ErrorOf([&] { TEsStringResource(nullptr, "NOPE"); }),
              "String resource not found: NOPE");
    EXPECT_EQ(ErrorOf([&] { StringManagerStrings()->GetString(1); }), "Cannot lock resource");
}

TEST(ComponentsSession, OpensBothTablesRegistersTheLabelAndReportsWhatFails) {
    UnregisterComponentClass(AttachedLabelClassName);
    {
        const EsComponentsSession session;
        EXPECT_TRUE(session.Failures().empty());
        ASSERT_NE(StringManagerStrings(), nullptr);
        ASSERT_NE(ComponentStrings(), nullptr);
        EXPECT_EQ(StringManagerStrings()->GetString(5), "Invalid string resource");
        EXPECT_EQ(ComponentStrings()->GetString(15), "White");
        const std::unique_ptr<TComponent> label = CreateComponent(AttachedLabelClassName, nullptr);
        EXPECT_NE(dynamic_cast<TEsAttachedLabel*>(label.get()), nullptr);
    }
    EXPECT_EQ(StringManagerStrings(), nullptr);
    EXPECT_EQ(ComponentStrings(), nullptr);

    // A class of that name registered earlier stays.
    UnregisterComponentClass(AttachedLabelClassName);
    RegisterComponentClass(AttachedLabelClassName,
                           [](TComponent* owner) { return std::make_unique<TComponent>(owner); });
    {
        const EsComponentsSession session;
        EXPECT_EQ(
            dynamic_cast<TEsAttachedLabel*>(CreateComponent(AttachedLabelClassName, nullptr).get()),
            nullptr);
    }
    UnregisterComponentClass(AttachedLabelClassName);

    std::string failure;
    EXPECT_EQ(OpenProgramStringTable(nullptr, "NO_SUCH_STRINGS", &failure), nullptr);
    EXPECT_EQ(failure, "Kolvo: string table NO_SUCH_STRINGS: String resource not found: "
                       "NO_SUCH_STRINGS");
}

} // namespace
} // namespace kolvo
