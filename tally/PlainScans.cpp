#include "PlainScans.h"

#include <cmath>

namespace kolvo {

bool LinePassesNear(const TDxfLine& line, double x, double y) {
    TLineEquation eq;
    return LineEquation(line.X1, line.Y1, line.X2, line.Y2, eq) &&
           std::fabs(SignedDistance(eq, x, y)) < ConnectTolerance;
}

bool ScanForBar(const TDrawing& drawing, double x, double y, std::int32_t skipLine,
                std::int32_t& line) {
    for (std::int32_t i = 0; i < drawing.LineCount(); ++i) {
        if (i != skipLine && LinePassesNear(drawing.Lines[i], x, y)) {
            line = i;
            return true;
        }
    }
    return false;
}

bool ScanNearestFreeLine(const TDrawing& drawing, double x, double y, std::int32_t& line) {
    bool found = false;
    double best = NearestLineStart;
    for (std::int32_t i = 0; i < drawing.LineCount(); ++i) {
        const TDxfLine& candidate = drawing.Lines[i];
        if (candidate.TraceState != LineFree) {
            continue;
        }
        const double distances[3] = {
            PointDistance(x, y, candidate.X1, candidate.Y1),
            PointDistance(x, y, candidate.X2, candidate.Y2),
            PointDistance(x, y, (candidate.X1 + candidate.X2) * 0.5,
                          (candidate.Y1 + candidate.Y2) * 0.5),
        };
        for (const double distance : distances) {
            if (distance < best) {
                best = distance;
                line = i;
                found = true;
            }
        }
    }
    return found;
}

} // namespace kolvo
