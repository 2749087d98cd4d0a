#include "CheckOutputs.h"
#include "MassTable.h"

namespace kolvo {

std::string MassTableText(const TAnalysis& analysis, double mmPerUnit) {
    TMassTable masses(mmPerUnit);
    for (const TTallyRecord& record : analysis.Tally) {
        masses.Add(record.Label.view(), record.Length);
    }
    return masses.FileText();
}

} // namespace kolvo
