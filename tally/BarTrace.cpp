#include "BarTrace.h"

#include <algorithm>
#include <cmath>

#include "DrawingModel.h"
#include "Geometry.h"
#include "PlainScans.h"
#include "Tally.h"
#include "TraceIndex.h"

namespace kolvo {

void TVisitedLines::Add(std::int32_t line) {
    if (line < 0) {
        return; // no line has such an index
    }
    const auto slot = static_cast<std::size_t>(line);
    if (slot >= flags_.size()) {
        flags_.resize(std::max(slot + 1, 2 * flags_.size())); // amortised growth
    }
    flags_[slot] = 1;
    entries_.push_back(line);
}

bool TVisitedLines::Contains(std::int32_t line) const {
    const auto slot = static_cast<std::size_t>(line);
    return line >= 0 && slot < flags_.size() && flags_[slot] != 0;
}

void TVisitedLines::Clear() {
    for (const std::int32_t line : entries_) {
        flags_[static_cast<std::size_t>(line)] = 0;
    }
    entries_.clear();
}

namespace {

// ScanConnections' judgment (PlainScans.h) of the ends an index hands over, which come in no
// particular order: TConnections keeps the last hit in table order whatever the order of offers.
template <class IsFreeUnvisited>
void IndexedConnections(const TDrawing& drawing, const IsFreeUnvisited& isFreeUnvisited,
                        std::int32_t walked, const std::vector<TStrokeEnd>& ends, double x,
                        double y, TConnections& found) {
    for (const TStrokeEnd& end : ends) {
        if (end.Kind == StrokeVMark) {
            const TDxfPolyline& polyline = drawing.Polylines[end.Index];
            if (IsAvailableVMark(polyline) &&
                EndsMeet(x, y, polyline.Vertex(2).X, polyline.Vertex(2).Y)) {
                found.AddVMark(end.Index);
            }
            continue;
        }
        const TDxfLine& line = drawing.Lines[end.Index];
        const bool atStart = end.Kind == StrokeLineStart;
        if (line.TraceState == LineFree &&
            EndsMeet(x, y, atStart ? line.X1 : line.X2, atStart ? line.Y1 : line.Y2)) {
            found.FreeEnds += end.Index != walked ? 1 : 0;
            if (isFreeUnvisited(end.Index)) {
                found.AddLineEnd(end.Index, end.Kind);
            }
        }
    }
}

// Circles in ascending order of the sort keys; equal circles compare false both ways.
bool CircleBefore(const TDrawing& drawing, const TDxfCircle& a, const TDxfCircle& b) {
    auto compare = [&](TPropertyId x, TPropertyId y) {
        return x == y ? 0 : CompareBytes(drawing.Property(x), drawing.Property(y));
    };
    if (const int c = compare(a.Layer, b.Layer); c != 0) {
        return c < 0;
    }
    if (const int c = compare(a.Color, b.Color); c != 0) {
        return c < 0;
    }
    if (const int c = compare(a.LineType, b.LineType); c != 0) {
        return c < 0;
    }
    if (const int c = CompareReals(Circumference(a.Radius), Circumference(b.Radius)); c != 0) {
        return c < 0;
    }
    if (const int c = CompareReals(a.CX, b.CX); c != 0) {
        return c < 0;
    }
    return CompareReals(a.CY, b.CY) < 0;
}

} // namespace

TBarTracer::TBarTracer(TDrawing& drawing, TTally& tally) : drawing_(drawing), tally_(tally) {}

TBarTracer::~TBarTracer() = default;

bool TBarTracer::IsFreeUnvisitedLine(std::int32_t index) const {
    return drawing_.Lines[index].TraceState == LineFree && !VisitedLines.Contains(index);
}

// Looks for the bars at the tip and at each mark point of one tip segment.
void TBarTracer::TallyBarsAtTip(const std::string& label, std::int32_t tipSegment, double tipX,
                                double tipY) {
    CollectMarkPoints(tipSegment, tipX, tipY);
    double x = tipX;
    double y = tipY;
    do {
        std::int32_t bar = 0;
        const bool found = FindBarAt(x, y, tipSegment, bar);
        if (found) {
            TDxfLine& line = drawing_.Lines[bar];
            line.TraceState = LineCountedBar;
            AddTallyRecord(tally_, label, drawing_, line, line.X1, line.Y1, line.X2, line.Y2);
        }
        if (observer_) {
            observer_->Probed(x, y, found ? bar : -1);
        }
    } while (NextMarkPoint(x, y));
}

void TBarTracer::TraceLabel(const std::string& label, std::int32_t leaderStart) {
    VisitedLines.Clear();
    MarkPoints.clear();
    MarkCursor = 0;
    // Every walk starts again at the same line. When that line is itself a tip segment whose
    // stroke ends are still free, the walk returns the same tip again and again; the label is
    // done as soon as a walk returns a tip it has already had.
    std::vector<std::int32_t> tipsTaken;
    std::int32_t tipSegment = 0;
    double tipX = 0;
    double tipY = 0;
    while (WalkLeader(leaderStart, tipSegment, tipX, tipY)) {
        VisitedLines.Add(tipSegment);
        drawing_.Lines[tipSegment].TraceState = LineTipTaken;
        if (std::find(tipsTaken.begin(), tipsTaken.end(), tipSegment) != tipsTaken.end()) {
            break;
        }
        tipsTaken.push_back(tipSegment);
        if (observer_) {
            observer_->Tip(tipSegment, tipX, tipY);
        }
        TallyBarsAtTip(label, tipSegment, tipX, tipY);
    }
    if (observer_) {
        observer_->LabelDone(VisitedLines);
    }
}

void TBarTracer::TraceAllLabels(TTraceSearch search) {
    SortCircles();
    // Without a circle there is no label, and nothing to search for.
    if (search == TTraceSearch::Indexed && drawing_.CircleCount() > 0) {
        BuildSearchIndex();
    } else {
        DropSearchIndex();
    }
    for (std::int32_t i = 0; i < drawing_.CircleCount(); ++i) {
        const TDxfCircle& circle = drawing_.Circles[i];
        std::string label;
        if (!ReadCircleLabel(circle.CX, circle.CY, circle.Radius, label)) {
            continue;
        }
        if (observer_) {
            observer_->LabelCircle(circle, label);
        }
        std::int32_t leaderStart = 0;
        if (!NearestFreeLine(circle.CX, circle.CY, leaderStart)) {
            if (observer_) {
                observer_->NoLeader();
            }
            continue;
        }
        TraceLabel(label, leaderStart);
    }
    DropSearchIndex();
}

void TBarTracer::BuildSearchIndex() {
    index_ = std::make_unique<TTraceSearchIndex>(drawing_);
    provenTipless_.clear();
}

void TBarTracer::DropSearchIndex() {
    index_.reset();
    provenTipless_.clear();
}

void TBarTracer::SortCircles() {
    std::stable_sort(
        drawing_.Circles.begin(), drawing_.Circles.end(),
        [this](const TDxfCircle& a, const TDxfCircle& b) { return CircleBefore(drawing_, a, b); });
}

bool TBarTracer::ReadCircleLabel(double x, double y, double radius, std::string& label) const {
    bool found = false;
    double lowestY = 0;
    std::string joined;
    auto take = [&](const TDxfText& text) {
        if (!(PointDistance(text.X, text.Y, x, y) <= radius)) {
            return;
        }
        if (!found) {
            joined = text.Content.str();
            lowestY = text.Y;
            found = true;
        } else if (text.Y > lowestY) {
            joined += text.Content.view();
        } else {
            joined.insert(0, text.Content.str());
            lowestY = text.Y;
        }
    };
    std::vector<std::int32_t> near;
    if (index_ && index_->TextsNear(x, y, radius, near) != TIndexAnswer::Unanswered) {
        for (const std::int32_t i : near) {
            take(drawing_.Texts[i]);
        }
    } else {
        for (const TDxfText& text : drawing_.Texts) {
            take(text);
        }
    }
    if (found) {
        label = std::move(joined);
    }
    return found;
}

bool TBarTracer::NearestFreeLine(double x, double y, std::int32_t& line) const {
    if (index_) {
        const TIndexAnswer answer = index_->NearestFreeLine(x, y, line);
        if (answer != TIndexAnswer::Unanswered) {
            return answer == TIndexAnswer::Found;
        }
    }
    return ScanNearestFreeLine(drawing_, x, y, line);
}

bool TBarTracer::FindConnections(double x, double y, std::int32_t& count, std::int32_t& index,
                                 std::int32_t& kind) {
    bool neverATip = false;
    return Connections(x, y, -1, count, index, kind, neverATip);
}

bool TBarTracer::Connections(double x, double y, std::int32_t walked, std::int32_t& count,
                             std::int32_t& index, std::int32_t& kind, bool& neverATip) {
    TConnections found;
    const auto isFreeUnvisited = [this](std::int32_t line) { return IsFreeUnvisitedLine(line); };
    if (index_ && index_->EndsNear(x, y, nearby_)) {
        IndexedConnections(drawing_, isFreeUnvisited, walked, nearby_, x, y, found);
    } else {
        ScanConnections(drawing_, isFreeUnvisited, walked, x, y, found);
    }
    count = found.Count;
    neverATip = found.NeverATip();
    if (found.VMarkIndex >= 0) {
        index = found.VMarkIndex;
        kind = StrokeVMark;
    } else if (found.LineIndex >= 0) {
        index = found.LineIndex;
        kind = found.LineKind;
    }
    return found.Count > 0;
}

bool TBarTracer::WalkLeader(std::int32_t line, std::int32_t& tipSegment, double& tipX,
                            double& tipY) {
    // Depth first with a stack of its own, so that a leader of any length cannot exhaust the
    // call stack. Each entered line waits on the stack for its start-side and then its end-side
    // continuation.
    struct TPending {
        std::int32_t StartNext = -1;
        std::int32_t EndNext = -1;
        int Stage = 0; // 0: start side next, 1: end side next, 2: done
    };
    std::vector<TPending> pending;

    // With the index, a walk that ends without a tip may prove that none of the lines it entered
    // can ever lead to one (see ProveTipless); a later walk from any of them is then spared.
    const bool remember = index_ != nullptr;
    if (remember && IsProvenTipless(line)) {
        return false;
    }
    // Only a walk that starts with no line visited can tell which lines its lines meet.
    std::vector<std::int32_t>& walked = walkEntered_;
    walked.clear();
    bool provable = remember && VisitedLines.Count() == 0;

    // Enters `current`: true when one of its ends is the tip; otherwise its continuations are
    // pushed.
    auto enter = [&](std::int32_t current) {
        VisitedLines.Add(current);
        if (provable) {
            walked.push_back(current);
        }
        TDxfLine& entered = drawing_.Lines[current];
        TPending next;
        std::int32_t count = 0, index = 0, kind = 0;
        const double ends[2][2] = {{entered.X1, entered.Y1}, {entered.X2, entered.Y2}};
        for (int side = 0; side < 2; ++side) {
            bool neverATip = false;
            Connections(ends[side][0], ends[side][1], current, count, index, kind, neverATip);
            provable = provable && neverATip;
            if (count == 2) {
                entered.TraceState = LineTipSegment;
                tipSegment = current;
                tipX = ends[side][0];
                tipY = ends[side][1];
                return true;
            }
            if (count == 1) {
                (side == 0 ? next.StartNext : next.EndNext) = index;
            }
        }
        pending.push_back(next);
        return false;
    };

    if (enter(line)) {
        return true;
    }
    while (!pending.empty()) {
        TPending& top = pending.back();
        std::int32_t next = -1;
        if (top.Stage == 0) {
            next = top.StartNext;
        } else if (top.Stage == 1) {
            next = top.EndNext;
        } else {
            pending.pop_back();
            continue;
        }
        ++top.Stage;
        if (next >= 0 && enter(next)) {
            return true;
        }
    }
    if (provable) {
        ProveTipless(walked);
    }
    return false;
}

// A walk that found no tip, and at every end it looked at met no V mark and at most one end of
// another free line (visited or not), has shown this of the lines it entered: at their ends the
// count can never be 2, whatever lines are visited, and every line that meets them there was
// entered too. Trace marks only ever take lines and V marks away, which keeps both true. So a
// walk from any of these lines, in this analysis, finds no tip; only its list of visited lines
// would differ, and that list is emptied before the next label.
void TBarTracer::ProveTipless(const std::vector<std::int32_t>& lines) {
    if (provenTipless_.size() < static_cast<std::size_t>(drawing_.LineCount())) {
        provenTipless_.resize(static_cast<std::size_t>(drawing_.LineCount()), 0);
    }
    for (const std::int32_t line : lines) {
        provenTipless_[static_cast<std::size_t>(line)] = 1;
    }
}

bool TBarTracer::IsProvenTipless(std::int32_t line) const {
    const auto slot = static_cast<std::size_t>(line);
    return line >= 0 && slot < provenTipless_.size() && provenTipless_[slot] != 0;
}

void TBarTracer::CollectMarkPoints(std::int32_t tipSegment, double tipX, double tipY) {
    MarkPoints.clear();
    MarkCursor = 0;
    const TDxfLine& segment = drawing_.Lines[tipSegment];
    TLineEquation eq;
    if (!LineEquation(segment.X1, segment.Y1, segment.X2, segment.Y2, eq)) {
        return;
    }
    auto take = [&](TDxfPolyline& polyline) {
        if (!IsAvailableVMark(polyline)) {
            return;
        }
        const TDxfVertex m = polyline.Vertex(2);
        if (std::fabs(SignedDistance(eq, m.X, m.Y)) < ConnectTolerance &&
            PointDistance(m.X, m.Y, tipX, tipY) > ConnectTolerance) {
            MarkPoints.push_back(TMarkPoint{m.X, m.Y});
            polyline.Flags = PolylineMarkUsed;
        }
    };
    if (index_ && index_->VMarksAlong(eq, nearVMarks_) != TIndexAnswer::Unanswered) {
        for (const std::int32_t i : nearVMarks_) {
            take(drawing_.Polylines[i]);
        }
    } else {
        for (TDxfPolyline& polyline : drawing_.Polylines) {
            take(polyline);
        }
    }
}

bool TBarTracer::NextMarkPoint(double& x, double& y) {
    if (MarkCursor < 0 || static_cast<std::size_t>(MarkCursor) >= MarkPoints.size()) {
        return false;
    }
    const TMarkPoint& point = MarkPoints[static_cast<std::size_t>(MarkCursor)];
    x = point.X;
    y = point.Y;
    ++MarkCursor;
    return true;
}

bool TBarTracer::FindBarAt(double x, double y, std::int32_t skipLine, std::int32_t& line) const {
    if (index_) {
        return index_->FindBarAt(x, y, skipLine, line);
    }
    return ScanForBar(drawing_, x, y, skipLine, line);
}

} // namespace kolvo
