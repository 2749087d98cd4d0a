#include "CheckOutputs.h"
#include "ExactSum.h"
#include "Geometry.h"
#include "Notes.h"

namespace kolvo {

double TallyLength(const TTally& tally) {
    TExactSum length;
    for (const TTallyRecord& record : tally) {
        length.Add(record.Length);
    }
    return length.Value();
}

TMassTable MassTableOf(const TAnalysis& analysis, double mmPerUnit) {
    TMassTable masses(mmPerUnit);
    AddBarsTo(masses, analysis);
    return masses;
}

void AddBarsTo(TMassTable& masses, const TAnalysis& analysis) {
    if (!analysis.Trace.Detailed()) {
        for (const TTallyRecord& record : analysis.Tally) {
            masses.Add(record.Label.view(), record.Length);
        }
        return;
    }
    // Bar by bar as the circles found them, so that a label's count of bars is read: "4-D25"
    // on a circle that found one line is four bars of its length.
    const std::vector<TLabelNotes> notes = LabelNotes(analysis);
    const std::vector<TLabelTrace>& labels = analysis.Trace.Labels();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        for (const TProbe& probe : labels[i].ProbedPoints) {
            if (probe.Bar >= 0) {
                const TDxfLine& line = analysis.Drawing.Lines[probe.Bar];
                masses.Add(labels[i].Label, PointDistance(line.X1, line.Y1, line.X2, line.Y2),
                           notes[i].BarsPerLine());
            }
        }
    }
}

std::string MassTableText(const TAnalysis& analysis, double mmPerUnit) {
    return MassTableOf(analysis, mmPerUnit).FileText();
}

} // namespace kolvo
