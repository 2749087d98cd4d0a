#include "FuzzAnalysis.h"

#include <cstring>

#include "Analysis.h"
#include "BarTrace.h"
#include "DrawingModel.h"
#include "DxfReader.h"
#include "Errors.h"
#include "ReportFiles.h"
#include "Tally.h"

namespace kolvo::fuzz {

namespace {

// Reads `bytes`; false when the reader refuses them as the user would be told.
bool Read(std::string_view bytes, TDrawing& drawing) {
    try {
        ReadDxfText(bytes, drawing);
        return true;
    } catch (const EConvertError&) {
    } catch (const EDamagedDrawing&) {
    }
    return false;
}

bool SameRecord(const TTallyRecord& a, const TTallyRecord& b) {
    // Bitwise, so that -0 and 0 or two NaNs are told apart or matched exactly.
    const auto same = [](double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    return a.Label == b.Label && same(a.X1, b.X1) && same(a.Y1, b.Y1) && same(a.X2, b.X2) &&
           same(a.Y2, b.Y2) && same(a.Length, b.Length) && a.Layer == b.Layer &&
           a.Color == b.Color && a.LineType == b.LineType;
}

} // namespace

void AnalyseBytes(std::string_view bytes) {
    TDrawing drawing;
    if (!Read(bytes, drawing)) {
        return;
    }
    TTally tally;
    try {
        tally = TallyDrawing(drawing);
    } catch (const EDamagedDrawing&) {
        return; // numbers the reports cannot show
    }
    // Every line of both reports is formed; nothing needs to be written for that.
    static_cast<void>(DetailText(tally));
    static_cast<void>(SummaryText(tally));
}

bool IndexedTraceMatchesPlainScan(std::string_view bytes) {
    TDrawing indexed;
    if (!Read(bytes, indexed)) {
        return true;
    }
    TDrawing plain = indexed;
    TTally byIndex;
    TTally byScan;
    TBarTracer(indexed, byIndex).TraceAllLabels(TTraceSearch::Indexed);
    TBarTracer(plain, byScan).TraceAllLabels(TTraceSearch::PlainScan);
    if (byIndex.Count() != byScan.Count()) {
        return false;
    }
    for (std::int32_t i = 0; i < byIndex.Count(); ++i) {
        if (!SameRecord(byIndex[i], byScan[i])) {
            return false;
        }
    }
    return true;
}

} // namespace kolvo::fuzz
