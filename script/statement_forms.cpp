// The statement forms, in the order of the keyword table.
#include "script/statement_forms.h"

#include "script/line_words.h"
#include "script/opcodes.h"
#include "script/tokens.h"

namespace vekora {
namespace {

constexpr StatementForm Forms[] = {
    {"POINT", KwPoint, OpPoint, "POINT P, x, y [, shape [, colour [, size]]]", "kPnnncn"},
    {"LINE", KwLine, OpLineThrough, "L = LINE P1, P2 [, style [, colour [, thickness]]]", "LkPPncn"},
    {"LINE", KwLine, OpLineXY, "LINE L, x1, y1, x2, y2 [, style [, colour [, thickness]]]", "kLnnnnncn"},
    {"LINEPOLAR", KwLinePolar, OpLinePolarAt, "L = LINEPOLAR P, L2, angle [, style [, colour [, thickness]]]", "LkPLnncn"},
    {"LINEPOLAR", KwLinePolar, OpLinePolarXY, "LINEPOLAR L, x, y, angle [, style [, colour [, thickness]]]", "kLnnnncn"},
    {"CIRCLE", KwCircle, OpCircleThrough, "C = CIRCLE P, Q [, colour [, thickness [, start [, end]]]]", "CkPPcnnn"},
    {"CIRCLE", KwCircle, OpCircleToLine, "C = CIRCLE P, L [, colour [, thickness [, start [, end]]]]", "CkPLcnnn"},
    {"CIRCLE", KwCircle, OpCircleXY, "CIRCLE C, x, y, r [, colour [, thickness [, start [, end]]]]", "kCnnncnnn"},
    {"COPY", KwCopy, OpCopyPoint, "P = COPY Q", "PkP"},
    {"COPY", KwCopy, OpCopyLine, "L = COPY M", "LkL"},
    {"COPY", KwCopy, OpCopyCircle, "C = COPY D", "CkC"},
    {"CROSS", KwCross, OpCrossLines, "P = CROSS L1, L2 [, shape [, colour [, size]]]", "PkLLncn"},
    {"CROSS", KwCross, OpCrossCircleLine, "P Q = CROSS C, L [, shape [, colour [, size]]]", "PPkCLncn"},
    {"CROSS", KwCross, OpCrossLineCircle, "P Q = CROSS L, C [, shape [, colour [, size]]]", "PPkLCncn"},
    {"CROSS", KwCross, OpCrossCircles, "P Q = CROSS C1, C2 [, shape [, colour [, size]]]", "PPkCCncn"},
    {"MIDDLE", KwMiddle, OpMiddle, "M = MIDDLE P1, P2 [, shape [, colour [, size]]]", "PkPPncn"},
    {"MOVECIRCLE", KwMoveCircle, OpMoveCircle, "MOVECIRCLE C, P [, colour [, thickness]]", "kCPcn"},
    {"REVERT", KwRevert, OpRevert, "REVERT L", "kL"},
    {"MIDLINE", KwMidline, OpMidline, "L = MIDLINE P1, P2 [, style [, colour [, thickness]]]", "LkPPncn"},
    {"BISECTOR", KwMidline, OpBisector, "L = BISECTOR L1, L2 [, style [, colour [, thickness]]]", "LkLLncn"},
    {"TANGENT", KwTangent, OpTangent, "T1 T2 = TANGENT P, C [, style [, colour [, thickness]]]", "LLkPCncn"},
    {"ADVANCETO", KwAdvanceTo, OpAdvanceTo, "Q = ADVANCETO P1, P2, d [, shape [, colour [, size]]]", "PkPPnncn"},
    {"ADVANCEON", KwAdvanceOn, OpAdvanceOn, "Q = ADVANCEON P, L, d [, shape [, colour [, size]]]", "PkPLnncn"},
    {"CIRCLEND", KwCircleEnd, OpCircleEnds, "P Q = CIRCLEND C [, shape [, colour [, size]]]", "PPkCncn"},
    {"ARC", KwArc, OpArcPoints, "C = ARC P, Q [, opening [, colour [, thickness]]]", "CkPPncn"},
    {"ARC", KwArc, OpArcLines, "C = ARC L1, L2, r [, colour [, thickness]]", "CkLLncn"},
    {"STARTLINE", KwStartLine, OpStartLine, "L Q = STARTLINE P, angle, length [, style [, colour [, thickness]]]",
     "LPkPnnncn"},
    {"FILLTRIANGLE", KwFillTriangle, OpFillTriangle, "FILLTRIANGLE P1, P2, P3 [, colour [, alpha]]", "kPPPcn"},
    {"FILLCIRCLE", KwFillCircle, OpFillCircle, "FILLCIRCLE C [, colour [, alpha]]", "kCcn"},
    {"FILL", KwFill, OpFillTriangle, "FILL P1, P2, P3 [, colour [, alpha]]", "kPPPcn"},
    {"FILL", KwFill, OpFillCircle, "FILL C [, colour [, alpha]]", "kCcn"},
    {"ORDERLINES", KwOrderLines, OpOrderLines, "ORDERLINES L1, L2", "kLL"},
    {"MARKPOINT", KwMarkPoint, OpMarkPoint, "MARKPOINT P [, size [, place]]", "kPnn"},
    {"MARKLINE", KwMarkLine, OpMarkLine, "MARKLINE L [, size [, side]]", "kLnn"},
    {"MARKLINE", KwMarkLine, OpMarkLine, "MARKLINE L, P1, P2 [, size [, side]]", "kLPPnn"},
    {"MARKANGLE", KwMarkAngle, OpMarkAngleLines, "MARKANGLE L1, L2, text [, size [, which [, radius]]]", "kLLTnnn"},
    {"MARKANGLE", KwMarkAngle, OpMarkAnglePoints, "MARKANGLE P1, V, P2, text [, size [, radius]]", "kPPPTnn"},
    {"MARKNUMBERLINE", KwMarkNumberLine, OpMarkNumberLine, "MARKNUMBERLINE L [, unit [, size [, side]]]", "kLnnn"},
    {"MARKNUMBERLINE", KwMarkNumberLine, OpMarkNumberLine, "MARKNUMBERLINE L, P1, P2 [, unit [, size [, side]]]",
     "kLPPnnn"},
    {"MARKNUMBERANGLE", KwMarkNumberAngle, OpMarkNumberLines,
     "MARKNUMBERANGLE L1, L2 [, text [, size [, which [, radius]]]]", "kLLTnnn"},
    {"MARKNUMBERANGLE", KwMarkNumberAngle, OpMarkNumberPoints, "MARKNUMBERANGLE P1, V, P2 [, text [, size [, radius]]]",
     "kPPPTnn"},
    {"FAST", KwFast, OpCallFast, "FAST Name [, argument ...]", "kRa", true},
    {"PACE", KwPace, OpCallPace, "PACE Name [, argument ...]", "kRa", true},
    {"SLOW", KwSlow, OpCallSlow, "SLOW Name [, argument ...]", "kRa", true},
    {"CALL", KwCall, OpCall, "CALL Name [, argument ...]", "kRa", true},
    {"CALL", KwCall, OpCallSlow, "CALL Name SLOW [, argument ...]", "kRka", true},
    {"REPEAT", KwRepeat, OpRepeat, "REPEAT [n]", "kn"},
    {"CLICKABLE", KwClickable, OpClickable, "CLICKABLE P1 [, P2 ...]", "kPP", true},
    {"CLICKABLE", KwClickable, OpClickableOnLine, "CLICKABLE P ALONG L", "kPkL"},
    {"CLICKABLE", KwClickable, OpClickableOnCircle, "CLICKABLE P ALONG C", "kPkC"},
    {"TRACE", KwTrace, OpTrace, "TRACE P1 [, P2 ...]", "kPP", true},
    {"CONSTRUCTION", KwConstruction, 0, "CONSTRUCTION Name [P1 [, P2 ...]]", "kRaa", true},
    {"INTERACTION", KwInteraction, 0, "INTERACTION Name", "kR"},
    {"ANIMATION", KwAnimation, 0, "ANIMATION Name", "kR"},
    {"CLS", KwCls, OpCls, "CLS [colour]", "kc"},
    {"SCREEN", KwScreen, OpScreen, "SCREEN width, height [, depth [, colour]]", "knnnc"},
    {"WINDOW", KwWindow, OpWindow, "WINDOW width, height", "knn"},
    {"TEXTWINDOW", KwTextWindow, OpTextWindow, "TEXTWINDOW x, y, width, height", "knnnn"},
    {"TEXT", KwText, OpText, "TEXT text [, colour [, background [, size]]]", "kTccn"},
    {"TITLE", KwTitle, OpTitle, "TITLE text", "kT"},
    {"SPEED", KwSpeed, OpSpeed, "SPEED milliseconds", "kn"},
    {"FRAMESPEED", KwFrameSpeed, OpFrameSpeed, "FRAMESPEED milliseconds", "kn"},
    {"DEFAULTS", KwDefaults, OpDefaults,
     "DEFAULTS [background [, figures [, text [, construction [, thickness [, style [, point_size [, point_shape "
     "[, unused [, arc_opening]]]]]]]]]]",
     "kccccnnnnnn"},
    {"TOOLDEFAULTS", KwToolDefaults, OpToolDefaults,
     "TOOLDEFAULTS [ruler_size [, square_size [, ruler_width [, pencil [, compasses [, set_square [, protractor "
     "[, ruler]]]]]]]]",
     "knnnccccc"},
    {"MENU", KwMenu, OpMenu, "MENU [text_colour [, background]]", "kcc"},
    {"MENUITEM", KwMenuItem, OpMenuItem, "MENUITEM text", "kT"},
    {"EXITMENU", KwExitMenu, OpExitMenu, "EXITMENU", "k"},
    {"ENDMENU", KwEndMenu, OpEndMenu, "ENDMENU", "k"},
    {"REPEATMENU", KwRepeatMenu, OpRepeatMenu, "REPEATMENU", "k"},
    {"STEP", KwStep, OpStepPoint, "STEP P, dx, dy", "kPnn"},
    {"STEP", KwStep, OpStepCircle, "STEP C, dx, dy [, dr]", "kCnnn"},
    {"STEP", KwStep, OpStepPointOnLine, "STEP P ALONG L [, d]", "kPkLn"},
    {"STEP", KwStep, OpStepCircleOnLine, "STEP C ALONG L [, d [, dr]]", "kCkLnn"},
    {"STEP", KwStep, OpStepPointOnCircle, "STEP P ALONG K [, d]", "kPkCn"},
    {"STEP", KwStep, OpStepCircleOnCircle, "STEP C ALONG K [, d [, dr]]", "kCkCnn"},
    {"WAIT", KwWait, OpWaitFor, "WAIT [milliseconds]", "kn"},
    {"WAITALWAYS", KwWaitAlways, OpWaitAlwaysFor, "WAITALWAYS [milliseconds]", "kn"},
    {"END", KwEnd, OpEnd, "END", "k"},
};

bool IsFormSeparator(char c) { return c == ' ' || c == ',' || c == '=' || c == '[' || c == ']'; }

}  // namespace

std::span<const StatementForm> StatementForms() { return Forms; }

std::vector<const StatementForm*> FormsOf(std::string_view keyword, int m) {
    std::string spelling = UpperCase(keyword);
    const std::int32_t code = KeywordCode(spelling);
    if (code <= 0) return {};
    if ((code & IVariant) != 0) spelling.erase(0, 1);
    const std::int32_t plain = code & ~IVariant;
    bool spelledAsForm = false;
    for (const StatementForm& form : Forms) spelledAsForm = spelledAsForm || form.keyword == spelling;
    std::vector<const StatementForm*> found;
    for (const StatementForm& form : Forms) {
        const bool ofKeyword = spelledAsForm ? form.keyword == spelling : form.code == plain;
        if (ofKeyword && (m < 0 || KeywordPosition(form) == m)) found.push_back(&form);
    }
    return found;
}

int KeywordPosition(const StatementForm& form) {
    const std::size_t at = form.kinds.find('k');
    return at == std::string_view::npos ? 0 : static_cast<int>(at);
}

FormWords WordsOf(const StatementForm& form) {
    FormWords words;
    bool optional = false;
    std::size_t i = 0;
    const std::string_view text = form.text;
    while (i < text.size()) {
        if (text[i] == '[') optional = true;
        if (IsFormSeparator(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !IsFormSeparator(text[end])) ++end;
        const std::string_view word = text.substr(i, end - i);
        if (word != "...") {
            words.words.push_back(word);
            if (!optional) words.required = static_cast<int>(words.words.size());
        }
        i = end;
    }
    return words;
}

char KindAt(const StatementForm& form, int i) {
    if (i < 0) return 0;
    if (static_cast<std::size_t>(i) < form.kinds.size()) return form.kinds[static_cast<std::size_t>(i)];
    return form.repeats ? form.kinds.back() : 0;
}

std::string FormText(const StatementForm& form, std::string_view spelling) {
    std::string text(form.text);
    const std::size_t at = text.find(form.keyword);
    if (at != std::string::npos) text.replace(at, form.keyword.size(), UpperCase(spelling));
    return text;
}

}  // namespace vekora
