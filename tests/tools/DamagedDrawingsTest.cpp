// Damaged drawings: a file cut short, lines lost or bytes garbled on the way must end in a
// report or in the user's error message, never in a crash, a hang or a stray exception.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "Analysis.h"
#include "DxfReader.h"
#include "Errors.h"
#include "TestFiles.h"

namespace kolvo {
namespace {

using testing::BuildPath;
using testing::FileExists;
using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(start, end - start + 1));
        start = end + 1;
    }
    return lines;
}

// One kind of damage a drawing can suffer, picked at random and repeated a few times.
std::string Damage(const std::string& drawing, std::mt19937& random) {
    std::vector<std::string> lines = SplitLines(drawing);
    const int hits = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < hits && !lines.empty(); ++i) {
        const std::size_t at = random() % lines.size();
        switch (random() % 5) {
        case 0: // a line lost: every later pair is shifted, codes become values
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        case 1: // a line doubled
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), lines[at]);
            break;
        case 2: // a byte garbled, possibly into a lead byte, NUL or a line break
            if (!lines[at].empty()) {
                lines[at][random() % lines[at].size()] = static_cast<char>(random() % 256);
            }
            break;
        case 3: // the file cut short
            lines.resize(at);
            break;
        default: // two lines swapped
            std::swap(lines[at], lines[random() % lines.size()]);
            break;
        }
    }
    std::string damaged;
    for (const std::string& line : lines) {
        damaged += line;
    }
    return damaged;
}

TEST(DamagedDrawings, EndInBothReportsOrInAnErrorAndNeither) {
    TTempFolder folder;
    std::mt19937 random(20261208);
    int analysed = 0;
    int refused = 0;
    for (const char* name : {"beam-g1", "slab-s1", "footing-f1"}) {
        const std::string drawing =
            ReadBytes(BuildPath(KOLVO_SAMPLES_DIR) + "/" + std::string(name) + ".dxf");
        for (int round = 0; round < 40; ++round) {
            SCOPED_TRACE(std::string(name) + " round " + std::to_string(round));
            const std::string path = folder.File("damaged.dxf");
            WriteBytes(path, Damage(drawing, random));
            const std::string report = folder.File("report");
            std::remove((report + ".csv").c_str());
            std::remove((report + ".txt").c_str());
            bool written = false;
            try {
                TallyBarsFromDxf(path, report);
                written = true;
                ++analysed;
            } catch (const EConvertError& e) {
                ++refused;
                EXPECT_NE(std::string(e.what()).find("'"), std::string::npos) << e.what();
            } catch (const EDamagedDrawing&) {
                ++refused; // cut short, or its ENTITIES section's name or end lost
            }
            // Both reports, or neither: never an empty pair that looks like a drawing without bars.
            EXPECT_EQ(FileExists(report + ".csv"), written);
            EXPECT_EQ(FileExists(report + ".txt"), written);
        }
    }
    // Both outcomes occur, so the damage reaches both the numbers and the structure.
    EXPECT_GT(analysed, 0);
    EXPECT_GT(refused, 0);
}

// A drawing cut off anywhere inside its ENTITIES section (an interrupted export, a full disk)
// is refused, never tallied as the bars that happen to stand before the cut.
TEST(DamagedDrawings, ADrawingCutOffInsideItsEntitiesIsRefused) {
    TTempFolder folder;
    for (const char* name : {"beam-g1", "slab-s1", "footing-f1"}) {
        const std::string drawing =
            ReadBytes(BuildPath(KOLVO_SAMPLES_DIR) + "/" + std::string(name) + ".dxf");
        const std::size_t entities = drawing.find("ENTITIES") + 8;
        const std::size_t end = drawing.find("ENDSEC", entities);
        ASSERT_NE(end, std::string::npos);
        // Cuts at 40 points spread over the section after its name, each at a byte and at the
        // line's end.
        int cutOff = 0;
        for (int i = 0; i < 40; ++i) {
            std::size_t at = entities + (end - entities) * static_cast<std::size_t>(i) / 40;
            for (const bool atLineEnd : {false, true}) {
                if (atLineEnd) {
                    at = drawing.find('\n', at) + 1;
                }
                SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(at));
                const std::string path = folder.File("cut.dxf");
                WriteBytes(path, drawing.substr(0, at));
                try {
                    TallyBarsFromDxf(path, folder.File("report"));
                    ADD_FAILURE() << "tallied as if whole";
                } catch (const EDamagedDrawing& e) {
                    ++cutOff;
                    EXPECT_EQ(std::string(e.what()), CutOffDrawingMessage);
                } catch (const EConvertError&) {
                    // A cut inside a number can leave one that is no number ("1.5E").
                    EXPECT_FALSE(atLineEnd);
                }
            }
        }
        EXPECT_GE(cutOff, 60);
        // The whole drawing still reads.
        WriteBytes(folder.File("whole.dxf"), drawing);
        EXPECT_NO_THROW(TallyBarsFromDxf(folder.File("whole.dxf"), folder.File("report")));
    }
}

} // namespace
} // namespace kolvo
