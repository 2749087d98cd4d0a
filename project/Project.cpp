#include "Project.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "Analysis.h"
#include "CheckOutputs.h"
#include "Errors.h"
#include "FileNames.h"
#include "FileSystem.h"
#include "OutputFiles.h"
#include "ReportFiles.h"
#include "TextCodec.h"

namespace kolvo {

namespace {

bool IsDxfName(const std::string& path) {
    const std::string name = CommandLineFileName(path);
    return name.size() >= 4 && SameIgnoringAsciiCase(name.substr(name.size() - 4), ".dxf");
}

// A name as a program text (CP932): on Windows it is that already.
std::string NameAsCp932(const std::string& name) {
#ifdef _WIN32
    return name;
#else
    return Utf8ToCp932(name);
#endif
}

// One drawing analysed and its four files written, or why not.
TDrawingResult TallyOne(const std::string& path, const TProjectOptions& options, TMassTable& masses,
                        std::mutex& massesLock) {
    TDrawingResult result;
    result.Path = path;
    result.Name = CommandLineStem(path);
    try {
        const TAnalysis analysis = Analyse(path, TTraceKeeping::Everything);
        const std::string base = CommandLinePathIn(options.OutFolder, result.Name);
        TCheckPageInfo page;
        page.DrawingName = SystemNameToUtf8(CommandLineFileName(path));
        page.MadeAt = options.MadeAt;
        page.MmPerUnit = options.MmPerUnit;
        const TMassTable own = MassTableOf(analysis, options.MmPerUnit);
        result.Summary = SummaryText(analysis.Tally);
        const TWriteOutcome written =
            WriteFileSet({{base + ".csv", result.Summary},
                          {base + ".txt", DetailText(analysis.Tally)},
                          {base + ".mass.csv", own.FileText()},
                          {base + ".check.html", CheckPageText(analysis, page)}},
                         path);
        if (!written.Written()) {
            result.Failure =
                CannotCreateFileMessage + std::string(": ") + NameAsCp932(written.Path);
            result.Summary.clear();
            return result;
        }
        result.Warnings = WarningLines(analysis);
        result.Bars = analysis.Tally.Count();
        result.Length = TallyLength(analysis.Tally);
        result.MassKg = own.Rows().back().back();
        result.Look = NeedsALook(analysis);
        // The sums are exact, so the drawings may come in any order.
        const std::lock_guard<std::mutex> lock(massesLock);
        AddBarsTo(masses, analysis);
    } catch (const std::bad_alloc&) {
        result.Failure = OutOfMemoryMessage;
    } catch (const std::exception& error) {
        result.Failure = error.what();
    }
    return result;
}

} // namespace

bool TProjectResult::Failed() const {
    return !FolderFailure.empty() || !FilesFailure.empty() ||
           std::any_of(Drawings.begin(), Drawings.end(),
                       [](const TDrawingResult& d) { return !d.Failure.empty(); });
}

TProjectDrawings CollectDrawings(const std::vector<std::string>& arguments) {
    TProjectDrawings drawings;
    for (const std::string& argument : arguments) {
        switch (FileKind(argument)) {
        case TFileKind::Regular:
            drawings.Paths.push_back(argument);
            break;
        case TFileKind::Other: {
            // A project without the drawings of one folder would total less than was asked
            // for, and nobody would know.
            const TFolderListing listing = FilesUnder(argument);
            if (!listing.Unreadable.empty()) {
                drawings.Unreadable = listing.Unreadable.front();
                return drawings;
            }
            for (const std::string& path : listing.Files) {
                if (IsDxfName(path)) {
                    drawings.Paths.push_back(path);
                }
            }
            break;
        }
        case TFileKind::Missing:
            drawings.Missing = argument;
            return drawings;
        }
    }
    std::sort(drawings.Paths.begin(), drawings.Paths.end(),
              [](const std::string& a, const std::string& b) {
                  const std::string na = CommandLineFileName(a), nb = CommandLineFileName(b);
                  return na != nb ? na < nb : a < b;
              });
    // NAME.csv is also the mass table of a drawing NAME without ".mass", and the project's
    // own files are those of a drawing "project": any of these would write over another's file.
    std::vector<std::string> kept, stems;
    for (const std::string& path : drawings.Paths) {
        const std::string stem = CommandLineStem(path);
        TNameClash clash = SameFileName(stem, "project") || SameFileName(stem, "project.mass")
                               ? TNameClash::ProjectFile
                               : TNameClash::None;
        bool again = false; // the same drawing named twice (a folder and a file in it)
        for (std::size_t j = 0; j < kept.size() && clash == TNameClash::None; ++j) {
            if (SameFileName(stem, stems[j])) {
                again = IsSameFile(path, kept[j]);
                clash = again ? TNameClash::None : TNameClash::SameName;
                if (again) {
                    break;
                }
            } else if (SameFileName(stem, stems[j] + ".mass") ||
                       SameFileName(stem + ".mass", stems[j])) {
                clash = TNameClash::MassTable;
            }
        }
        if (clash != TNameClash::None) {
            drawings.Clash = clash;
            drawings.Duplicate = path;
            return drawings;
        }
        if (!again) {
            kept.push_back(path);
            stems.push_back(stem);
        }
    }
    drawings.Paths = kept;
    return drawings;
}

TProjectResult RunProject(const TProjectOptions& options, const TProjectProgress& progress) {
    TProjectResult result{{}, {}, {}, TMassTable(options.MmPerUnit)};
    if (MakeFolders(options.OutFolder) != 0) {
        result.FolderFailure = "フォルダーを作成できません: " + NameAsCp932(options.OutFolder);
        return result;
    }
    const std::size_t total = options.Drawings.size();
    result.Drawings.resize(total);
    std::atomic<std::size_t> next = 0;
    std::size_t done = 0;
    std::mutex massesLock, progressLock;
    const auto work = [&] {
        for (std::size_t i = next++; i < total; i = next++) {
            result.Drawings[i] = TallyOne(options.Drawings[i], options, result.Masses, massesLock);
            const std::lock_guard<std::mutex> lock(progressLock);
            ++done;
            if (progress) {
                progress(done, total, result.Drawings[i]);
            }
        }
    };
    const unsigned jobs = std::clamp<unsigned>(options.Jobs, 1, std::max<std::size_t>(total, 1));
    std::vector<std::thread> workers;
    for (unsigned j = 1; j < jobs; ++j) {
        // A system that gives fewer threads than asked for gets the work done on those it gave.
        try {
            workers.emplace_back(work);
        } catch (const std::system_error&) {
            break;
        }
    }
    work();
    for (std::thread& worker : workers) {
        worker.join();
    }

    const TWriteOutcome written = WriteFileSet(
        {{CommandLinePathIn(options.OutFolder, "project.csv"), ProjectCsvText(result)},
         {CommandLinePathIn(options.OutFolder, "project.mass.csv"), result.Masses.FileText()},
         {CommandLinePathIn(options.OutFolder, "project.html"), ProjectPageText(result, options)}});
    if (!written.Written()) {
        result.FilesFailure = written.Path;
    }
    return result;
}

std::string ProjectCsvText(const TProjectResult& result) {
    std::string text = "図面,符号,本数,長さ\r\n";
    for (const TDrawingResult& drawing : result.Drawings) {
        const std::string name = NameAsCp932(drawing.Name);
        for (std::size_t at = 0; at < drawing.Summary.size();) {
            // Every summary line ends in CR LF; a last line without one would still be taken whole.
            const std::size_t end =
                std::min(drawing.Summary.find("\r\n", at), drawing.Summary.size());
            text += name + "," + drawing.Summary.substr(at, end - at) + "\r\n";
            at = end + 2;
        }
    }
    return text;
}

} // namespace kolvo
