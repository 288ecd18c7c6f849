// The hint texts.
#include "script/hint_texts.h"

namespace vekora {

std::string_view HintTemplate(HintId id) {
    switch (id) {
        case HintId::DidYouMean: return "\xBFQuisiste decir %1?";
        case HintId::SpanishKeyword:
            return "%1 no es una palabra clave: las palabras clave se escriben en ingl\xE9s. \xBFQuisiste decir %2?";
        case HintId::Or: return " o ";
        case HintId::MissingArgument: return "falta %1; la forma es %2";
        case HintId::MissingArguments: return "falta %1; las formas son %2";
        case HintId::FormsJoiner: return " | ";
        case HintId::IllegalHere: return "%1 no se admite en %2: %3";
        case HintId::PlaceMain: return "el m\xF3" "dulo principal";
        case HintId::PlaceConstruction: return "una CONSTRUCTION";
        case HintId::PlaceInteraction: return "una INTERACTION";
        case HintId::PlaceAnimation: return "una ANIMATION";
        case HintId::OnlyInInteraction: return "solo va dentro de una INTERACTION";
        case HintId::OnlyInAnimation: return "solo va dentro de una ANIMATION";
        case HintId::OnlyInMain: return "solo va en el m\xF3" "dulo principal, antes de END";
        case HintId::NotInConstruction:
            return "una CONSTRUCTION no cambia los valores por defecto; escr\xED" "belo antes de llamarla";
        case HintId::RepeatInMain: return "REPEAT cierra un procedimiento; el m\xF3" "dulo principal acaba con END";
        case HintId::CallInConstruction:
            return "dentro de una CONSTRUCTION solo se llama a otra CONSTRUCTION, y solo desde una sin par\xE1metros";
        case HintId::HeaderInProcedure:
            return "el procedimiento anterior no est\xE1 cerrado; ci\xE9rralo con REPEAT antes de abrir otro";
        case HintId::UntypedParameter: return "%1, par\xE1metro de %2, no tiene tipo: ";
        case HintId::UntypedArgument: return "el par\xE1metro %1 de %2 (%3) no tiene tipo: ";
        case HintId::WhatGivesAType:
            return "un par\xE1metro toma el tipo de la primera instrucci\xF3n que lo pide como punto, recta o c\xEDrculo "
                   "(POINT, LINE P1, P2, MIDDLE...); ser el punto por el que pasa un CIRCLE o el de un COPY no le da "
                   "tipo. D\xE1selo us\xE1ndolo antes en una de ellas";
        case HintId::DecimalComma:
            return "%1 son dos n\xFAmeros: la coma separa argumentos. Si es un decimal, escribe %2 con punto";
        case HintId::RepeatWithoutCount:
            return "REPEAT sin n\xFAmero al final de una ANIMATION: la animaci\xF3n da un solo paso; escribe cu\xE1ntos, "
                   "p. ej. REPEAT 100";
        case HintId::TextDoesNotFit:
            return "El texto no cabe en su ventana de texto (%1): no se ve %2; agranda la ventana con TEXTWINDOW o "
                   "acorta el texto";
        case HintId::FixReplaceWith: return "Cambiar por %1";
        case HintId::NameMadeAt: return "%1, hecho en la l\xEDnea %2";
        case HintId::RenameClash: return "Ya hay un nombre %1 (%2): elige otro, o los dos ser\xED" "an uno";
        case HintId::RenameNotAName:
            return "%1 no sirve como nombre: ha de empezar por una letra, no ser una palabra clave y no llevar "
                   "espacios, comas ni signos =";
        case HintId::RenameNothing: return "Aqu\xED no hay ning\xFAn nombre que cambiar";
    }
    return {};
}

std::string FormatHint(HintId id, std::string_view first, std::string_view second, std::string_view third) {
    const std::string_view pattern = HintTemplate(id);
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '3') {
            text += pattern[i + 1] == '1' ? first : pattern[i + 1] == '2' ? second : third;
            ++i;
        } else {
            text.push_back(pattern[i]);
        }
    }
    return text;
}

}  // namespace vekora
