// The role strings of the statement forms, by opcode.
#include "script/argument_roles.h"

#include "script/opcodes.h"
#include "script/tokens.h"

namespace vekora {

std::string_view RolesOf(std::int32_t opcode, int markLineForm) {
    switch (opcode) {
        case OpPoint: return "koffncn";
        case OpLineXY: return "koffffncn";
        case OpLinePolarXY: return "koffancn";
        case OpCircleXY: return "kofffcnss";
        case OpCopyPoint: case OpCopyLine: case OpCopyCircle: return "oki";
        case OpCrossLines: case OpMiddle: case OpLineThrough: case OpMidline: case OpBisector: return "okiincn";
        case OpMoveCircle: return "kbicn";
        case OpRevert: return "kb";
        case OpLinePolarAt: return "okiiancn";
        case OpTangent: case OpCrossCircleLine: case OpCrossLineCircle: case OpCrossCircles: return "ookiincn";
        case OpAdvanceTo: case OpAdvanceOn: return "okiifncn";
        case OpCircleEnds: return "ookincn";
        case OpCircleThrough: case OpCircleToLine: return "okiicnss";
        case OpArcPoints: return "okiiscn";
        case OpArcLines: return "okiifcn";
        case OpStartLine: return "ookiafncn";
        case OpFillTriangle: return "kiiicn";
        case OpFillCircle: return "kicn";
        case OpOrderLines: return "kii";
        case OpMarkPoint: return "kinn";
        case OpMarkLine: case OpMarkNumberLine:
            return markLineForm == 0 ? "ki" : markLineForm == 1 ? "kiiinnn" : "kinnn";
        case OpMarkAngleLines: case OpMarkNumberLines: return "kiitnnn";
        case OpMarkAnglePoints: case OpMarkNumberPoints: return "kiiitnn";
        case OpRepeat: return "kn";
        case OpClickable: return "ki*";
        case OpTrace: return "kd*";
        case OpClickableOnLine: case OpClickableOnCircle: return "kiki";
        case OpCls: return "kc";
        case OpScreen: return "knnnc";
        case OpWindow: return "knn";
        case OpTextWindow: return "knnnn";
        case OpText: return "ktccn";
        case OpTitle: case OpMenuItem: return "kt";
        case OpSpeed: case OpFrameSpeed: case OpWaitFor: case OpWaitAlwaysFor: return "kn";
        case OpDefaults: return "kcccchhhhhh";
        case OpToolDefaults: return "khhhccccc";
        case OpMenu: return "kcc";
        case OpStepPoint: return "kiff";
        case OpStepCircle: return "kifff";
        case OpStepPointOnLine: case OpStepPointOnCircle: return "kikif";
        case OpStepCircleOnLine: case OpStepCircleOnCircle: return "kikiff";
        default: return "k";  // the menu rows, the waits without a time, END
    }
}

bool KeywordFitsPosition(std::int32_t code, int m) {
    switch (code) {
        case KwLine: case KwLinePolar: case KwCircle: return m <= 1;
        case KwCopy: case KwMiddle: case KwMidline: case KwAdvanceTo: case KwAdvanceOn: case KwArc: return m == 1;
        case KwCross: return m == 1 || m == 2;
        case KwTangent: case KwCircleEnd: case KwStartLine: return m == 2;
        case KwDefault: case KwAlong: case 0: return false;
        default: return m == 0;
    }
}

}  // namespace vekora
