#include "WorkFolder.h"

#include <gtest/gtest.h>

namespace kolvo {
namespace {

// 表 and ソ end in 0x5C, the byte of a backslash.
const std::string Hyou = "\x95\x5C";
const std::string So = "\x83\x5C";

TEST(TimeStamp, TwelveDigitsWithLeadingZeros) {
    EXPECT_EQ(TimeStampDigits({2024, 3, 7, 9, 5, 3}), "240307090503");
    EXPECT_EQ(TimeStampDigits({2031, 12, 31, 23, 59, 59}), "311231235959");
    // The century is dropped, also when the year is a round one.
    EXPECT_EQ(TimeStampDigits({2000, 1, 1, 0, 0, 0}), "000101000000");
    EXPECT_EQ(TimeStampDigits({2100, 10, 1, 0, 0, 0}), "001001000000");
}

TEST(WorkFolder, BaseNameIsWorkFolderStampAndScr) {
    const std::string work = WorkFolderFor("C:\\Users\\tanaka\\AppData\\Roaming");
    EXPECT_EQ(work, "C:\\Users\\tanaka\\AppData\\Roaming\\Vantorel\\");
    EXPECT_EQ(BaseNameFor(work, {2024, 3, 7, 9, 5, 3}),
              "C:\\Users\\tanaka\\AppData\\Roaming\\Vantorel\\240307090503.scr");
}

TEST(WorkFolder, AppDataFallsBackToEnvironmentThenTemp) {
    EXPECT_EQ(ChooseAppDataFolder("C:\\shell", "C:\\env", "C:\\Temp\\"), "C:\\shell");
    EXPECT_EQ(ChooseAppDataFolder("", "C:\\env", "C:\\Temp\\"), "C:\\env");
    // GetTempPath ends with a backslash; the work folder brings its own.
    EXPECT_EQ(ChooseAppDataFolder("", "", "C:\\Temp\\"), "C:\\Temp");
    EXPECT_EQ(WorkFolderFor(ChooseAppDataFolder("", "", "C:\\Temp\\")), "C:\\Temp\\Vantorel\\");
}

TEST(WorkFolder, TrailByteOfLastCharacterIsNotADelimiter) {
    const std::string folder = "C:\\" + So;
    EXPECT_EQ(ChooseAppDataFolder("", "", folder), folder);
    EXPECT_EQ(ChooseAppDataFolder("", "", folder + "\\"), folder);
}

TEST(SettingsFile, NamedAfterExecutableInWorkFolder) {
    const std::string work = "C:\\AppData\\Vantorel\\";
    EXPECT_EQ(SettingsPathFor(work, "C:\\Program Files\\Kolvo\\Kolvo.exe"), work + "Kolvo.Ini");
    // The executable's own folder plays no part, whatever it looks like.
    EXPECT_EQ(SettingsPathFor(work, "D:\\tools.v2\\Kolvo2.exe"), work + "Kolvo2.Ini");
    EXPECT_EQ(SettingsPathFor(work, "D:/mixed\\dir/Other Name.EXE"), work + "Other Name.Ini");
    EXPECT_EQ(SettingsPathFor(work, "E:Kolvo.exe"), work + "Kolvo.Ini");
    // Only the last extension goes; a name without one gets ".Ini" appended.
    EXPECT_EQ(SettingsPathFor(work, "C:\\x\\kolvo.old.exe"), work + "kolvo.old.Ini");
    EXPECT_EQ(SettingsPathFor(work, "C:\\x\\Kolvo"), work + "Kolvo.Ini");
}

TEST(SettingsFile, DoubleByteNamesKeepTheirTrailBytes) {
    const std::string work = "C:\\Vantorel\\";
    // A naive search for the last backslash would cut 表 in half.
    EXPECT_EQ(SettingsPathFor(work, "C:\\tools\\" + Hyou + ".exe"), work + Hyou + ".Ini");
    EXPECT_EQ(SettingsPathFor(work, "C:\\" + Hyou + "\\" + So + "Kolvo.exe"),
              work + So + "Kolvo.Ini");
}

TEST(SettingsFile, ValueCutInsideACharacterLosesTheLoneLeadByte) {
    const std::string a = "\x82\xa0"; // あ
    EXPECT_EQ(SettingsValueFromBuffer("C:\\" + a + a + "\x82"), "C:\\" + a + a);
    // A trail byte that looks like a lead byte belongs to the character before it.
    EXPECT_EQ(SettingsValueFromBuffer("x\x88\x88"), "x\x88\x88");
    EXPECT_EQ(SettingsValueFromBuffer("x\x88\x88\x88"), "x\x88\x88");
    // Half-width katakana are single bytes.
    EXPECT_EQ(SettingsValueFromBuffer("\xb1\xb2"), "\xb1\xb2");
    EXPECT_EQ(SettingsValueFromBuffer(""), "");
}

TEST(SettingsFile, KeysAndMessageAreShiftJisBytes) {
    EXPECT_EQ(SettingsSection, "\x8f\x89\x8a\xfa\x89\xbb");
    EXPECT_EQ(SettingsKey, "\x95\xdb\x91\xb6\x96\xbc");
    EXPECT_EQ(SettingsWriteFailedMessage("C:\\a\\Kolvo.Ini"),
              "C:\\a\\Kolvo.Ini \x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1");
}

} // namespace
} // namespace kolvo
