// The stand-in host's command line, driven with the texts a quantity run types.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "StandInCommandLine.h"
#include "StandInOptions.h"

namespace kolvo::standin {
namespace {

const std::u16string kSelectPrevious = u"\x0003SELECT P\rU\r\r";
const std::u16string kSelect = u"\x0003SELECT ";
const std::u16string kFileDialogsOff = u"FILEDIA 0 ";
const std::u16string kFileDialogsOn = u"FILEDIA 1 ";
const std::u16string kPath = u"C:\\Users\\山田\\Application Data\\Vantorel\\202401021530.dxf";
const std::u16string kExport = u"DXFOUT \"" + kPath + u"\"\rVER 2000 OBJ PREV \r16 ";
const std::u16string kYes = u"Y\r";

class FakeFiles final : public ExportFiles {
public:
    bool Exists(const std::u16string& path) override { return existing.count(path) != 0; }
    bool Write(const std::u16string& path) override {
        written.push_back(path);
        existing.insert(path);
        return writable;
    }
    std::set<std::u16string> existing;
    std::vector<std::u16string> written;
    bool writable = true;
};

struct Session {
    explicit Session(Behaviour behaviour = {})
        : commandLine(behaviour, files, [this](const std::string& line) { log.push_back(line); }) {}

    // The run up to the export command, with the user's pick in between.
    void SelectAndExport() {
        commandLine.Type(kSelectPrevious);
        commandLine.Type(kSelect);
        commandLine.TimerFired();
        commandLine.Type(kFileDialogsOff);
        commandLine.Type(kExport);
    }
    bool Asking(std::u16string_view word) const {
        return commandLine.Line().find(word) != std::u16string::npos;
    }

    FakeFiles files;
    std::vector<std::string> log;
    CommandLine commandLine;
};

TEST(StandInCommandLine, SelectionWaitsForTheUserAndBecomesThePreviousSet) {
    Behaviour behaviour;
    behaviour.selectionDelayMs = 1234;
    behaviour.pickedObjects = 5;
    Session s(behaviour);
    EXPECT_EQ(s.commandLine.Line(), kIdlePrompt);
    EXPECT_EQ(s.commandLine.TimerDelayMs(), -1);

    s.commandLine.Type(kSelectPrevious);
    EXPECT_EQ(s.commandLine.Line(), kIdlePrompt);
    s.commandLine.Type(kSelect);
    EXPECT_EQ(s.commandLine.Line(), u"オブジェクトを選択: ");
    EXPECT_EQ(s.commandLine.TimerDelayMs(), 1234);

    s.commandLine.TimerFired();
    EXPECT_EQ(s.commandLine.Line(), kIdlePrompt);
    EXPECT_EQ(s.commandLine.PreviousSelection(), 5);
    EXPECT_EQ(s.commandLine.TimerDelayMs(), -1);

    // The first selection text picks the previous set and takes it back: it leaves it empty.
    s.commandLine.Type(kSelectPrevious);
    EXPECT_EQ(s.commandLine.PreviousSelection(), 0);
}

TEST(StandInCommandLine, EchoesTypingAndCancelsWithCtrlC) {
    Session s;
    s.commandLine.Type(u"SEL");
    EXPECT_EQ(s.commandLine.Line(), u"コマンド: SEL");
    s.commandLine.Type(u"\x0003");
    EXPECT_EQ(s.commandLine.Line(), kIdlePrompt);
    s.commandLine.Type(u"select ");
    EXPECT_EQ(s.commandLine.Line(), u"オブジェクトを選択: ");
    s.commandLine.Type(u"\x0003");
    EXPECT_EQ(s.commandLine.Line(), kIdlePrompt);
    EXPECT_EQ(s.commandLine.TimerDelayMs(), -1);
}

TEST(StandInCommandLine, ExportWritesThePickedObjectsAfterItsDelay) {
    Behaviour behaviour;
    behaviour.exportDelayMs = 777;
    Session s(behaviour);
    s.SelectAndExport();
    EXPECT_FALSE(s.commandLine.FileDialogs());
    EXPECT_EQ(s.commandLine.Line(), kExportingLine);
    EXPECT_EQ(s.commandLine.TimerDelayMs(), 777);
    EXPECT_TRUE(s.files.written.empty());

    s.commandLine.TimerFired();
    ASSERT_EQ(s.files.written, std::vector<std::u16string>{kPath});
    ASSERT_EQ(s.commandLine.Exports().size(), 1u);
    const ExportRecord& record = s.commandLine.Exports()[0];
    EXPECT_EQ(record.version, u"2000");
    EXPECT_EQ(record.decimalPlaces, 16);
    EXPECT_TRUE(record.objectsOnly);
    EXPECT_EQ(record.objectCount, Behaviour{}.pickedObjects);
    EXPECT_FALSE(record.binary);
    EXPECT_EQ(s.commandLine.Line(), kIdlePrompt);
    ASSERT_EQ(s.log.size(), 1u);
    EXPECT_NE(s.log[0].find("version=2000 places=16 binary=no objects=12 written=yes"),
              std::string::npos)
        << s.log[0];

    s.commandLine.Type(kFileDialogsOn);
    EXPECT_TRUE(s.commandLine.FileDialogs());
}

TEST(StandInCommandLine, ExportWithFileDialogsOnOpensADialogInstead) {
    Session s;
    s.commandLine.Type(kExport);
    EXPECT_NE(s.commandLine.Line(), kIdlePrompt);
    s.commandLine.TimerFired();
    EXPECT_TRUE(s.files.written.empty());
    s.commandLine.Type(u"\x0003");
    EXPECT_EQ(s.commandLine.Line(), kIdlePrompt);
}

TEST(StandInCommandLine, ExistingFileIsReplacedOnlyAfterYes) {
    Session s;
    s.files.existing.insert(kPath);
    s.SelectAndExport();
    EXPECT_TRUE(s.Asking(u"置き換えますか"));
    EXPECT_FALSE(s.Asking(u"書き出しますか"));
    s.commandLine.Type(u"N\r");
    EXPECT_EQ(s.commandLine.Line(), kIdlePrompt);
    EXPECT_TRUE(s.files.written.empty());

    s.commandLine.Type(kExport);
    ASSERT_TRUE(s.Asking(u"置き換えますか"));
    s.commandLine.Type(kYes);
    EXPECT_EQ(s.commandLine.Line(), kExportingLine);
    s.commandLine.TimerFired();
    EXPECT_EQ(s.files.written.size(), 1u);
}

TEST(StandInCommandLine, BothQuestionsWhenAskedToConfirmTheExport) {
    Behaviour behaviour;
    behaviour.askBeforeExport = true;
    Session s(behaviour);
    s.files.existing.insert(kPath);
    s.SelectAndExport();
    ASSERT_TRUE(s.Asking(u"書き出しますか"));
    s.commandLine.Type(kYes);
    ASSERT_TRUE(s.Asking(u"置き換えますか"));
    s.commandLine.Type(kYes);
    s.commandLine.TimerFired();
    EXPECT_EQ(s.files.written.size(), 1u);
}

TEST(StandInCommandLine, KeepsAskingWhenToldTo) {
    Behaviour behaviour;
    behaviour.askBeforeExport = true;
    behaviour.keepAsking = true;
    Session s(behaviour);
    s.SelectAndExport();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(s.Asking(u"書き出しますか"));
        s.commandLine.Type(kYes);
    }
    s.commandLine.TimerFired();
    EXPECT_TRUE(s.files.written.empty());
}

TEST(StandInCommandLine, MisbehavesAsTold) {
    Behaviour empty;
    empty.emptyLineDuringExport = true;
    Session quiet(empty);
    quiet.SelectAndExport();
    EXPECT_EQ(quiet.commandLine.Line(), u"");
    quiet.commandLine.TimerFired();
    EXPECT_EQ(quiet.commandLine.Line(), kIdlePrompt);

    Behaviour noFile;
    noFile.writeNoFile = true;
    Session lazy(noFile);
    lazy.SelectAndExport();
    lazy.commandLine.TimerFired();
    EXPECT_TRUE(lazy.files.written.empty());
    EXPECT_EQ(lazy.commandLine.Line(), kIdlePrompt);
    EXPECT_NE(lazy.log.at(0).find("written=no"), std::string::npos);

    Behaviour stuck;
    stuck.neverReturnToPrompt = true;
    Session hung(stuck);
    hung.SelectAndExport();
    hung.commandLine.TimerFired();
    EXPECT_EQ(hung.files.written.size(), 1u);
    hung.commandLine.Type(u"\x0003" + kFileDialogsOn);
    EXPECT_EQ(hung.commandLine.Line(), kExportingLine);
    EXPECT_FALSE(hung.commandLine.FileDialogs());
}

TEST(StandInCommandLine, TextTypedDuringTheExportRunsAfterIt) {
    Session s;
    s.SelectAndExport();
    s.commandLine.Type(kFileDialogsOn);
    EXPECT_FALSE(s.commandLine.FileDialogs());
    s.commandLine.TimerFired();
    EXPECT_TRUE(s.commandLine.FileDialogs());
    EXPECT_EQ(s.commandLine.Line(), kIdlePrompt);
}

TEST(StandInCommandLine, ExportOptionsAreRead) {
    Session s;
    s.commandLine.Type(kFileDialogsOff);
    s.commandLine.Type(u"dxfout \"D:\\a b\\c.dxf\"\rv r12 b ");
    s.commandLine.TimerFired();
    ASSERT_EQ(s.commandLine.Exports().size(), 1u);
    const ExportRecord& record = s.commandLine.Exports()[0];
    EXPECT_EQ(record.path, u"D:\\a b\\c.dxf");
    EXPECT_EQ(record.version, u"R12");
    EXPECT_TRUE(record.binary);
    EXPECT_FALSE(record.objectsOnly);

    // An unknown answer keeps the prompt; a bad place count is refused.
    s.commandLine.Type(u"DXFOUT x.dxf\r17 ");
    EXPECT_NE(s.commandLine.Line().find(u"桁数"), std::u16string::npos);
    s.commandLine.Type(u"3 ");
    s.commandLine.TimerFired();
    EXPECT_EQ(s.commandLine.Exports().back().decimalPlaces, 3);
}

TEST(StandInOptions, ReadsEveryOptionAndRefusesUnknownOnes) {
    Options options;
    std::string error;
    ASSERT_TRUE(ParseOptions({u"--ansi", u"--title=ACAD 図面", u"--class=AfxMDIFrame100u",
                              u"--command-line=text-window", u"--no-mounttam", u"--select-delay=50",
                              u"--export-delay=0", u"--stuck", u"--log=C:\\t\\log.txt",
                              u"--ready-event=kolvo-1"},
                             options, error))
        << error;
    EXPECT_TRUE(options.ansi);
    EXPECT_EQ(options.title, u"ACAD 図面");
    EXPECT_EQ(options.className, u"AfxMDIFrame100u");
    EXPECT_EQ(options.commandLine, CommandLinePlace::TextWindow);
    EXPECT_FALSE(options.mountTam);
    EXPECT_EQ(options.behaviour.selectionDelayMs, 50);
    EXPECT_EQ(options.behaviour.exportDelayMs, 0);
    EXPECT_TRUE(options.behaviour.neverReturnToPrompt);
    EXPECT_EQ(options.log, u"C:\\t\\log.txt");
    EXPECT_EQ(options.readyEvent, u"kolvo-1");

    for (const char16_t* bad :
         {u"--bogus", u"--select-delay=fast", u"--command-line=left", u"--ansi=1", u"--class="}) {
        Options o;
        EXPECT_FALSE(ParseOptions({bad}, o, error)) << ToUtf8(bad);
    }
}

} // namespace
} // namespace kolvo::standin
