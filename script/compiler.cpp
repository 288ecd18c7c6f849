// The statement dispatch of both passes.
#include "script/compiler.h"

#include "script/statement.h"
#include "script/tokens.h"
#include "script/warnings.h"

namespace vekora {
namespace {

std::int32_t Dispatch(Statement& s) {
    switch (s.Keyword()) {
        case KwPoint: return CompilePoint(s);
        case KwLine: return CompileLine(s);
        case KwLinePolar: return CompileLinePolar(s);
        case KwCircle: return CompileCircle(s);
        case KwCopy: return CompileCopy(s);
        case KwCross: return CompileCross(s);
        case KwMiddle: return CompilePointPair(s);
        case KwMoveCircle: return CompileMoveCircle(s);
        case KwRevert: return CompileRevert(s);
        case KwMidline: return CompileMidline(s);
        case KwTangent: return CompileTangent(s);
        case KwAdvanceTo: case KwAdvanceOn: return CompileAdvance(s);
        case KwCircleEnd: return CompileCircleEnds(s);
        case KwArc: return CompileArc(s);
        case KwStartLine: return CompileStartLine(s);
        case KwFillTriangle: case KwFillCircle: case KwFill: return CompileFill(s);
        case KwOrderLines: return CompileOrderLines(s);
        case KwMarkPoint: return CompileMarkPoint(s);
        case KwMarkLine: case KwMarkNumberLine: return CompileMarkLine(s);
        case KwMarkAngle: case KwMarkNumberAngle: return CompileMarkAngle(s);
        case KwFast: case KwPace: case KwSlow: case KwCall: return CompileCall(s);
        case KwRepeat: return CompileRepeat(s);
        case KwClickable: case KwTrace: return CompilePointList(s);
        case KwClickableAlong: return CompileClickableAlong(s);
        case KwConstruction: case KwInteraction: case KwAnimation: return CompileProcedureHeader(s);
        case KwCls: case KwScreen: case KwWindow: case KwTextWindow: case KwSpeed: case KwFrameSpeed:
            return CompileScreenSetting(s);
        case KwText: case KwTitle: return CompileText(s);
        case KwDefaults: return CompileDefaults(s);
        case KwToolDefaults: return CompileToolDefaults(s);
        case KwMenu: return CompileMenu(s);
        case KwMenuItem: case KwExitMenu: case KwEndMenu: case KwRepeatMenu: return CompileMenuRow(s);
        case KwStep: return CompileStep(s);
        case KwStepAlong: return CompileStepAlong(s);
        case KwWait: case KwWaitAlways: return CompileWait(s);
        case KwEnd: return CompileEnd(s);
        default: return ErrorCode(ErrArgumentSyntax);  // ALONG as the statement keyword
    }
}

std::int32_t CompileLineIn(Pass pass, std::string_view line, Compilation& compilation) {
    compilation.written = 0;
    Statement statement(pass, compilation);
    const std::int32_t scanned = statement.Scan(line);
    if (scanned != Compiled) {
        if (scanned == EmptyStatement && compilation.warnings != nullptr) {
            compilation.warnings->EmptyLine(compilation.lineIndex, line);
        }
        return scanned;
    }
    const std::int32_t result = Dispatch(statement);
    if (result != Compiled) {
        statement.BlameByCode(result);
        if (compilation.warnings != nullptr) compilation.warnings->FailedLine(statement);
    } else if (compilation.warnings != nullptr) compilation.warnings->CompiledLine(compilation.lineIndex, statement);
    return result;
}

}  // namespace

std::int32_t Compilation::ModuleOfProcedure(std::int32_t nameIndex) const {
    if (nameIndex < 0 || static_cast<std::size_t>(nameIndex) >= moduleByName.size()) return 0;
    return moduleByName[static_cast<std::size_t>(nameIndex)];
}

std::int32_t CompileLinePass1(std::string_view line, Compilation& compilation) {
    return CompileLineIn(Pass::One, line, compilation);
}

std::int32_t CompileLinePass2(std::string_view line, Compilation& compilation) {
    return CompileLineIn(Pass::Two, line, compilation);
}

}  // namespace vekora
