#include "CheckOutputs.h"

namespace kolvo {

TMassTable MassTableOf(const TAnalysis& analysis, double mmPerUnit) {
    TMassTable masses(mmPerUnit);
    for (const TTallyRecord& record : analysis.Tally) {
        masses.Add(record.Label.view(), record.Length);
    }
    return masses;
}

std::string MassTableText(const TAnalysis& analysis, double mmPerUnit) {
    return MassTableOf(analysis, mmPerUnit).FileText();
}

} // namespace kolvo
