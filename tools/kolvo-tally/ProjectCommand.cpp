#include "ProjectCommand.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "ConsoleText.h"
#include "Errors.h"
#include "FileNames.h"
#include "FreedMemory.h"
#include "LocalClock.h"
#include "Project.h"

namespace kolvo {

int RunProjectCommand(const TOptions& options) {
    const TProjectDrawings drawings = CollectDrawings(options.Inputs);
    if (!drawings.Missing.empty()) {
        TConsoleLine()
            .Text("kolvo-tally: 図面ファイルかフォルダーが見つかりません: ")
            .Name(drawings.Missing)
            .WriteTo(stderr);
        return ExitUsage;
    }
    if (!drawings.Unreadable.empty()) {
        TConsoleLine()
            .Text("kolvo-tally: フォルダーを読めません: ")
            .Name(drawings.Unreadable)
            .WriteTo(stderr);
        return ExitUsage;
    }
    switch (drawings.Clash) {
    case TNameClash::None:
        break;
    case TNameClash::SameName:
        return UsageError("同じ名前の図面がほかにもあります (同じ名前の集計表になります): ",
                          drawings.Duplicate);
    case TNameClash::MassTable:
        return UsageError("図面の集計表がほかの図面の重量表と同じ名前になります: ",
                          drawings.Duplicate);
    case TNameClash::ProjectFile:
        return UsageError("図面の集計表がプロジェクトの集計表と同じ名前になります: ",
                          drawings.Duplicate);
    }
    if (drawings.Paths.empty()) {
        return UsageError("集計する図面 (.dxf) がありません");
    }
    ReturnLargeBlocksWhenFreed();
    TProjectOptions project;
    project.OutFolder = options.Project;
    project.Drawings = drawings.Paths;
    project.Jobs =
        options.Jobs != 0 ? options.Jobs : std::max(1u, std::thread::hardware_concurrency());
    project.MmPerUnit = options.MmPerUnit;
    project.MadeAt = LocalTimeText();

    // The progress line only where a person watches; a log or a pipe gets the results alone.
    const bool terminal = IsTerminal(stderr);
    const auto start = std::chrono::steady_clock::now();
    const TProjectResult result = RunProject(project, [terminal](std::size_t done,
                                                                 std::size_t total,
                                                                 const TDrawingResult& drawing) {
        if (terminal) {
            TConsoleLine()
                .Text(std::string("[") + std::to_string(done) + "/" + std::to_string(total) + "] ")
                .Name(CommandLineFileName(drawing.Path))
                .RewriteOn(stderr);
        }
    });
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (terminal) {
        TConsoleLine().RewriteOn(stderr); // the progress line cleared
    }
    if (!result.FolderFailure.empty()) {
        return RunFailed(result.FolderFailure);
    }
    // In name order, whichever drawing was done first.
    std::size_t failed = 0;
    std::int64_t bars = 0;
    for (const TDrawingResult& drawing : result.Drawings) {
        const std::string name = CommandLineFileName(drawing.Path);
        if (!drawing.Failure.empty()) {
            ++failed;
            TConsoleLine()
                .Text("kolvo-tally: ")
                .Name(name)
                .Text(": ")
                .Text(drawing.Failure)
                .WriteTo(stderr);
            continue;
        }
        bars += drawing.Bars;
        for (const std::string& line : drawing.Warnings) {
            TConsoleLine().Name(name).Text(": ").Text(line).WriteTo(stderr);
        }
    }
    if (!result.FilesFailure.empty()) {
        CannotWrite(result.FilesFailure);
    } else {
        TConsoleLine()
            .Text("集計結果を")
            .Name(options.Project)
            .Text("へ保存しました")
            .WriteTo(stdout);
    }
    const std::vector<std::string> total = result.Masses.Rows().back(); // the table's last row
    char time[32];
    std::snprintf(time, sizeof time, "%.1f", seconds);
    TConsoleLine()
        .Text("図面 " + std::to_string(result.Drawings.size()) + " 枚 (集計できなかった図面 " +
              std::to_string(failed) + " 枚): 鉄筋の線 " + std::to_string(bars) + " 本、総延長 " +
              total[2] + " m、質量 " + total[4] + " kg、" + time + " 秒")
        .WriteTo(stderr);
    return result.Failed() ? ExitAnalysisFailed : ExitOk;
}

} // namespace kolvo
