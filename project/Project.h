// A whole project in one run: many drawings analysed on several threads, each written as a
// single run writes it, and the project's totals over all of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "MassTable.h"
#include "Notes.h"

namespace kolvo {

// Why a drawing's files would be another's.
enum class TNameClash {
    None,
    SameName,    // another drawing has its name
    MassTable,   // its summary would be another's mass table ("x.mass" beside "x")
    ProjectFile, // its files would be the project's ("project", "project.mass")
};

// The drawings named by a project's arguments, or why they cannot be taken.
struct TProjectDrawings {
    std::vector<std::string> Paths; // by file name, then by path (bytes)
    std::string Missing;            // an argument that is neither a file nor a folder
    std::string Duplicate;          // a drawing whose files would be another's, as Clash says
    TNameClash Clash = TNameClash::None;
    std::string Unreadable; // a folder whose drawings could not all be listed
};

// Each argument a drawing, or a folder searched with the folders below it for files ending in
// ".dxf" in any letter case. The same file named twice is taken once. A drawing whose files
// would be those of another drawing or of the project is named as the Duplicate.
TProjectDrawings CollectDrawings(const std::vector<std::string>& arguments);

struct TProjectOptions {
    std::string OutFolder;             // created when missing
    std::vector<std::string> Drawings; // as CollectDrawings gives them
    unsigned Jobs = 1;                 // drawings analysed at once
    double MmPerUnit = 1;
    std::string MadeAt; // UTF-8: when the project's pages were made
};

// What became of one drawing.
struct TDrawingResult {
    std::string Path;
    std::string Name;    // the file name without its extension, as its files are named
    std::string Failure; // CP932: why it has no files; empty when it was written
    std::vector<std::string> Warnings; // CP932, as a single run shows them
    std::string Summary;               // its summary report
    std::int32_t Bars = 0;             // lines tallied
    double Length = 0;                 // their exact total length, in drawing units
    std::string MassKg;                // the total of its mass table
    TLookCounts Look;
};

struct TProjectResult {
    std::vector<TDrawingResult> Drawings; // in the order of the options
    std::string FolderFailure;            // CP932: the output folder could not be made
    std::string FilesFailure;             // a project file that could not be written
    TMassTable Masses;                    // over the bars of every drawing written

    bool Failed() const;
};

// Told of each drawing when it is done, from the thread that did it; called one at a time.
using TProjectProgress =
    std::function<void(std::size_t done, std::size_t total, const TDrawingResult& drawing)>;

// Analyses every drawing and writes, in the output folder, for each NAME: NAME.csv and NAME.txt
// as a single run writes them, NAME.mass.csv and NAME.check.html; then, once all are done,
// project.csv, project.mass.csv and project.html. Every file goes through the writer; what is
// written does not depend on the number of jobs.
TProjectResult RunProject(const TProjectOptions& options, const TProjectProgress& progress = {});

// The project's files, from the results in order.
std::string ProjectCsvText(const TProjectResult& result);
std::string ProjectPageText(const TProjectResult& result, const TProjectOptions& options);

} // namespace kolvo
