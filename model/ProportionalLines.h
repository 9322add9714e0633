#pragma once
// Field lines in proportion to charge, each traced once: the source of the largest magnitude
// gets the chosen number of lines, every other round(N |q| / |q|max), at least one. Lines
// start at the sources of the sign with the larger total magnitude, spaced by equal flux
// through a small circle; a line that ends on a source of the other sign counts for it, and
// a source that is still short of its count gets the missing lines traced backwards from
// the middles of its widest empty angles.

#include "model/FieldLineTracer.h"

#include <cstdint>
#include <vector>

struct TScene;

// Lines of each of the scene's charges (0 for test charges and sources without charge).
std::vector<uint32_t> ProportionalCounts(const TScene &scene, uint32_t largest);

// The first lines: those of the sources of the starting sign.
std::vector<TTraceJob> ProportionalStarts(const TScene &scene);

// In the plane, more of a source's evenly spaced lines can run into a source of the other
// sign than that one's share. The first lines again (traced: those of ProportionalStarts,
// finished), each source's lines moved from the runs that end on such a source to its other
// runs, in proportion; none when no source of the other sign gets more than its share.
std::vector<TTraceJob> RebalancedStarts(const TScene &scene, const std::vector<TTraceJob> &traced);

// The lines still missing at sources of the other sign after the first lines were traced
// (traced: the jobs of ProportionalStarts, finished).
std::vector<TTraceJob> MissingLineStarts(const TScene &scene, const std::vector<TTraceJob> &traced);

// Lines traced backwards (from index firstMissing on) that ended on a source of the starting
// sign take the places of that source's own lines that end on no source, the nearest in
// angle first, so that the source keeps its share.
void GiveBackSurplus(const TScene &scene, std::vector<TTraceJob> &lines, size_t firstMissing);

// Drops each line that runs within 1.5 px of earlier ones along more than a third of its
// part on the surface (beyond 12 px from every source): lines from two neighbouring sources
// of one sign close in on the line that parts them and then run as one.
void DropLinesRunningTogether(const TScene &scene, TSize surface, std::vector<TTraceJob> &lines);

// The charge a finished line ended on: Reached when the tracer knows it, else the source
// nearest to the line's end that takes lines traced that way; -1 if it ended elsewhere.
int32_t EndCharge(const TScene &scene, const TTraceJob &job);
