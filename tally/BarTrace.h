// Label reading and bar tracing.
//
// A label is a circle with one or more texts inside. From the free line nearest its centre the
// tracer walks the leader, line by line through ends that meet, to its tip: a leader end where
// exactly two further stroke ends meet (two line ends, or the middle vertex of a V mark, which
// counts as two). At the tip, and at every unused V mark lying on the tip segment's infinite
// line, the first line in table order whose infinite line passes there is a bar with the label.
//
// Everything works on the tables of one drawing; table order (the order of the DXF file) decides
// every tie. The tracer marks its progress in the tables themselves (TraceState of lines, Flags
// of polylines), so what one label takes is out of reach of the labels after it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DrawingModel.h"
#include "Tally.h"
#include "TraceIndex.h"
#include "TraceObserver.h"
#include "TraceTolerances.h"

namespace kolvo {

// Lines entered while tracing the current label, in the order they were entered (a line may
// stand more than once). Membership is answered from a flag per line, so the test stays cheap
// however long the leader.
class TVisitedLines {
public:
    void Add(std::int32_t line);
    bool Contains(std::int32_t line) const;
    void Clear();
    std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }
    std::int32_t operator[](std::int32_t i) const { return entries_.at(static_cast<size_t>(i)); }

private:
    std::vector<std::int32_t> entries_;
    std::vector<unsigned char> flags_; // flags_[line] != 0 exactly when `line` is in entries_
};

struct TMarkPoint {
    double X = 0, Y = 0;
};

// How the searches are answered: by scanning the tables, or from an index built for the
// analysis that gives exactly the same answers faster on large drawings.
enum class TTraceSearch { Indexed, PlainScan };

// The tracer of one drawing: it reads the drawing, marks its progress there and appends every bar
// it finds to the tally. Its working state (the lines visited for the current label, the mark
// points of the current tip, the search index) belongs to it alone, so tracers of different
// drawings may run at the same time. The drawing and the tally must outlive the tracer.
class TBarTracer {
public:
    TBarTracer(TDrawing& drawing, TTally& tally);
    TBarTracer(const TBarTracer&) = delete;
    TBarTracer& operator=(const TBarTracer&) = delete;
    ~TBarTracer();

    // Traces every label of the drawing and adds a tally record for every bar found. With
    // TTraceSearch::Indexed the searches use an index built here and dropped at the end.
    void TraceAllLabels(TTraceSearch search = TTraceSearch::Indexed);

    // Builds the search index of the drawing as it stands; the searches use it until
    // DropSearchIndex. Between the two the drawing's geometry must not change, and trace marks
    // may only be set, never cleared.
    void BuildSearchIndex();
    void DropSearchIndex();

    // Orders Circles by layer, colour, line type, circumference, centre x, centre y; circles
    // equal in all of these keep their order.
    void SortCircles();

    // The texts whose insertion point lies in or on the circle, joined without separator: a text
    // lower than (or as low as) every one taken so far goes in front, any other at the end.
    bool ReadCircleLabel(double x, double y, double radius, std::string& label) const;

    // The free line whose start, end or middle point (tried in that order) is nearest (x, y); on
    // equal distances the earlier line wins.
    bool NearestFreeLine(double x, double y, std::int32_t& line) const;

    // Counts the stroke ends within ConnectTolerance of (x, y): both ends of free lines not yet
    // visited (each end separately), and the middle vertex of every unused V mark, which counts
    // two. `index` and `kind` tell the last of them in table order (lines before polylines).
    // `count` is always set; the others only when something was found.
    bool FindConnections(double x, double y, std::int32_t& count, std::int32_t& index,
                         std::int32_t& kind);

    // Walks the leader from `line`, depth first, the start side before the end side, and returns
    // the first tip found with its segment (which is marked LineTipSegment).
    bool WalkLeader(std::int32_t line, std::int32_t& tipSegment, double& tipX, double& tipY);

    // Refills MarkPoints with the middle vertices of the unused V marks that lie on the tip
    // segment's infinite line and more than ConnectTolerance from the tip, in polyline order,
    // and marks those V marks used.
    void CollectMarkPoints(std::int32_t tipSegment, double tipX, double tipY);

    // The next entry of MarkPoints.
    bool NextMarkPoint(double& x, double& y);

    // The first line in table order, other than `skipLine` and other than lines too short to
    // have a direction, whose infinite line passes closer than ConnectTolerance to (x, y). Lines
    // already taken count like any other.
    bool FindBarAt(double x, double y, std::int32_t skipLine, std::int32_t& line) const;

    // Tells `observer` (null for none) of every label traced from now on; it must outlive the
    // tracing.
    void SetObserver(TTraceObserver* observer) { observer_ = observer; }

    TDrawing& Drawing() { return drawing_; }
    TTally& Tally() { return tally_; }

    TVisitedLines VisitedLines;
    std::vector<TMarkPoint> MarkPoints;
    std::int32_t MarkCursor = 0; // index of the next entry NextMarkPoint hands out

private:
    bool IsFreeUnvisitedLine(std::int32_t index) const;
    void TallyBarsAtTip(const std::string& label, std::int32_t tipSegment, double tipX,
                        double tipY);
    void TraceLabel(const std::string& label, std::int32_t leaderStart);
    // FindConnections, also telling whether the point could never be a tip; `walked` is the
    // line whose end it is.
    bool Connections(double x, double y, std::int32_t walked, std::int32_t& count,
                     std::int32_t& index, std::int32_t& kind, bool& neverATip);
    void ProveTipless(const std::vector<std::int32_t>& lines);
    bool IsProvenTipless(std::int32_t line) const;

    TDrawing& drawing_;
    TTally& tally_;
    std::unique_ptr<TTraceSearchIndex> index_; // null while the searches scan
    std::vector<TStrokeEnd> nearby_;           // FindConnections' answer from the index
    TTraceObserver* observer_ = nullptr;
    std::vector<std::int32_t> nearVMarks_;  // CollectMarkPoints' candidates from the index
    std::vector<std::int32_t> walkEntered_; // the lines the current walk entered
    // Lines from which no walk can reach a tip any more; kept only with the index.
    std::vector<unsigned char> provenTipless_;
};

} // namespace kolvo
