// Collecting the declarations of INTERACTION and ANIMATION procedures, and the dispatch to
// their prologues.
#include "interp/prologues.h"

#include "interp/statement_row.h"

namespace vekora {
namespace {

constexpr double FixedOne = 65536.0;  // numbers in the table carry 16 fraction bits
// A STEP ... ALONG without a distance moves one pixel a frame; one without a change of
// radius keeps the radius. (The row holds -1 for either when it was not written.)
constexpr double DefaultStepDistance = 1.0;

double Fixed(std::int32_t word) { return word / FixedOne; }
double FixedOr(std::int32_t word, double absent) { return word == -1 ? absent : Fixed(word); }

template <typename List>
bool Names(const List& list, std::int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

StatementRow ReadRow(const RunContext& run, std::int32_t procedure, std::int32_t rowNumber) {
    StatementRow row;
    for (int word = 0; word < InstructionTable::WordsPerRow; ++word) row.w[word] = run.table.Word(procedure, rowNumber, word);
    row.opcode = row.w[0] & 0x3FF;
    row.target = row.w[0] >> 16;
    return row;
}

// The point indexes of CLICKABLE P1 ... Pn and TRACE P1 ... Pn: n in the target, the
// indexes as 16-bit halves from word 1.
template <typename Add>
void ForEachListedPoint(const RunContext& run, const StatementRow& row, Add add) {
    const std::int32_t count = row.target < MaxPointList ? row.target : MaxPointList;
    for (std::int32_t i = 0; i < count; ++i) {
        const auto index = static_cast<std::int32_t>(static_cast<std::int16_t>(row.Half(1, i)));
        if (Names(run.objects.points, index)) add(index);
    }
}

// The object and constraint words of a STEP row, or nothing when one of them is missing.
bool StepObjects(const RunContext& run, const StatementRow& row, StepEntry& entry) {
    const ObjectLists& o = run.objects;
    const bool circle = row.opcode == OpStepCircle || row.opcode == OpStepCircleOnLine || row.opcode == OpStepCircleOnCircle;
    entry.object = row.target | (circle ? AlongCircle : SteppedPoint);
    if (circle ? !Names(o.circles, row.target) : !Names(o.points, row.target)) return false;
    if (row.opcode == OpStepPointOnLine || row.opcode == OpStepCircleOnLine) {
        entry.constraint = row.w[1] | AlongLine;
        return Names(o.lines, row.w[1]);
    }
    if (row.opcode == OpStepPointOnCircle || row.opcode == OpStepCircleOnCircle) {
        entry.constraint = row.w[1] | AlongCircle;
        return Names(o.circles, row.w[1]);
    }
    return true;
}

void AddStep(const RunContext& run, Activation& act, const StatementRow& row) {
    StepEntry entry;
    if (!StepObjects(run, row, entry)) return;
    if (row.opcode == OpStepPoint || row.opcode == OpStepCircle) {
        entry.a = Fixed(row.w[1]);
        entry.b = Fixed(row.w[2]);
        if (row.opcode == OpStepCircle) entry.c = FixedOr(row.w[3], 0.0);
    } else {
        entry.a = FixedOr(row.w[2], DefaultStepDistance);
        entry.c = FixedOr(row.w[3], 0.0);
        if (row.opcode == OpStepPointOnLine || row.opcode == OpStepPointOnCircle) entry.c = 0.0;
    }
    act.steps.push_back(entry);
}

void AddClickableAlong(const RunContext& run, Activation& act, const StatementRow& row) {
    const bool onLine = row.opcode == OpClickableOnLine;
    const bool known = onLine ? Names(run.objects.lines, row.w[1]) : Names(run.objects.circles, row.w[1]);
    if (!known || !Names(run.objects.points, row.target)) return;
    act.clickables.push_back(ClickableEntry{row.target, row.w[1] | (onLine ? AlongLine : AlongCircle)});
}

}  // namespace

void CollectDeclarations(const RunContext& run, Activation& act) {
    act.clickables.clear();
    act.steps.clear();
    act.traced.clear();
    act.trail.clear();
    for (std::int32_t r = act.startRow; r <= act.lastRow; ++r) {
        const StatementRow row = ReadRow(run, act.procedure, r);
        switch (row.opcode) {
            case OpClickable:
                ForEachListedPoint(run, row, [&](std::int32_t p) { act.clickables.push_back(ClickableEntry{p, 0}); });
                break;
            case OpClickableOnLine: case OpClickableOnCircle: AddClickableAlong(run, act, row); break;
            case OpTrace: ForEachListedPoint(run, row, [&](std::int32_t p) { act.traced.push_back(p); }); break;
            case OpStepPoint: case OpStepCircle: case OpStepPointOnLine: case OpStepCircleOnLine:
            case OpStepPointOnCircle: case OpStepCircleOnCircle:
                AddStep(run, act, row);
                break;
            default: break;
        }
    }
    act.trail.resize(act.traced.size());
}

StepResult RunPrologue(RunContext& run, Activation& activation) {
    switch (activation.kind) {
        case KindInteraction: return InteractionPrologue(run, activation);
        case KindAnimation: return AnimationPrologue(run, activation);
        default: return NextStep();
    }
}

}  // namespace vekora
