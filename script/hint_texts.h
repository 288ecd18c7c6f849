// The texts of the hints (Spanish, Latin-1): the words that name a mistake's fix, beside the
// numbered messages, which stay as they are. One table, so that a catalogue can later give
// them in another language. "%1", "%2" and "%3" stand for what FormatHint puts in.
#pragma once

#include <string>
#include <string_view>

namespace vekora {

enum class HintId {
    DidYouMean,           // %1: one keyword or several joined by HintOr
    SpanishKeyword,       // %1 the word written, %2 the keyword
    Or,                   // joins the last two keywords suggested
    MissingArgument,      // %1 the argument's name, %2 the form
    MissingArguments,     // %1 the first missing argument's name, %2 the forms
    FormsJoiner,          // between two forms
    IllegalHere,          // %1 the statement's keyword, %2 the place, %3 the reason
    PlaceMain, PlaceConstruction, PlaceInteraction, PlaceAnimation,
    OnlyInInteraction, OnlyInAnimation, OnlyInMain, NotInConstruction, RepeatInMain, CallInConstruction,
    HeaderInProcedure,
    UntypedParameter,     // %1 the parameter, %2 the procedure
    UntypedArgument,      // %1 the argument's number, %2 the procedure, %3 the parameter
    WhatGivesAType,       // follows either of the two above
    DecimalComma,         // warning: %1 the two numbers as written, %2 with a decimal point
    RepeatWithoutCount,   // warning
    TextDoesNotFit,       // warning: %1 the window's size, %2 the words that do not show
    FixReplaceWith,       // quick fix title: %1 the new text
    // The editor's texts.
    NameMadeAt,           // hover on a name: %1 its type, %2 the line where it was made
    RenameClash,          // %1 the new name, %2 the type of the name that has it
    RenameNotAName,       // %1 the text given
    RenameNothing,        // the cursor is on no name
};

std::string_view HintTemplate(HintId id);
std::string FormatHint(HintId id, std::string_view first = {}, std::string_view second = {},
                       std::string_view third = {});

}  // namespace vekora
