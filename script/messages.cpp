// Error messages, byte for byte as the viewer reads them (Latin-1).
#include "script/messages.h"

#include "script/types.h"

namespace vekora {
namespace {

constexpr std::string_view TypeNames[] = {
    "Ninguno", "Punto", "Recta", "C\xEDrculo", "N\xFAmero", "N\xFAmero literal",
    "Etiqueta", "Procedimiento", "Texto literal", "Palabra clave",
};

constexpr std::string_view Places[] = {
    "el modulo principal.", "CONSTRUCTION.", "INTERACTION.", "ANIMATION.",
};

constexpr std::string_view SyntaxInArgument = "Error de s\xEDntaxis en el argumento ";

std::string Plain(std::int32_t number) {
    switch (number) {
        case ErrTooManyArguments: return "Demasiados argumentos";
        case ErrTooFewArguments: return "Demasiado pocos argumentos";
        case ErrNoKeyword: return "Error de s\xEDntaxis: no hay palabra clave en la l\xEDnea.";
        case ErrNestedProcedures: return "Procedimientos anidados.";
        case ErrPassMismatch:
            return "Error interno del int\xE9rprete: Paso 2 encontr\xF3 una instrucci\xF3n/\xEDndice diferente del Paso 1.";
        case ErrNoProcedure: return "No se encontr\xF3 el nombre de procedimiento usado en CALL.";
        case ErrParameterCount:
            return "Error interno del int\xE9rprete: Paso 2 encontr\xF3 otro n\xFAmero de par\xE1metros para CONSTRUCTION.";
        case ErrOtherKind: return "Error interno del int\xE9rprete: (otro)";
        case ErrDuplicateProcedure: return "Nombre de procedimiento duplicado";
        case ErrWrongProcedureKind:
            return "Tipo equivocado de procedimiento despu\xE9s de CONSTRUCT / ANIMATE / INTERACT.";
        case ErrTooManyParameters:
            return "Demasiados par\xE1metros para CONSTRUCTION (>12), CLICKABLE (>14) o TRACE (>14)";
        case ErrMenuWithoutEnd: return "MENU sin ENDMENU";
        case ErrTooManyMenuItems: return "Demasiados MENUITEMs";
        case ErrMenuRowWithoutMenu: return "MENUITEM / EXITMENU / ENDMENU / REPEATMENU sin MENU";
        case ErrNoEnd: return "No se encontr\xF3 END en el m\xF3" "dulo principal.";
        default: return "Se gener\xF3 un mensaje de error ilegal.";
    }
}

}  // namespace

std::string_view TypeName(std::int32_t type) {
    if (type < 0 || type >= static_cast<std::int32_t>(std::size(TypeNames))) return {};
    return TypeNames[type];
}

std::string ErrorMessage(std::int32_t code) {
    const std::int32_t number = code & 255;
    const std::int32_t a = (code >> 8) & 15;
    const std::int32_t b = (code >> 12) & 15;
    std::string text;
    switch (number) {
        case ErrTypeMismatch:
            text = "Tipos no coinciden: Primero definido como ";
            text += TypeName(a);
            text += ", ahora usado como ";
            text += TypeName(b);
            return text;
        case ErrKeywordAsName:
            return std::string(SyntaxInArgument) + std::to_string(a + 1) + ": Palabra clave como nombre de argumento.";
        case ErrBadArgumentName:
            return std::string(SyntaxInArgument) + std::to_string(a + 1) + ": Nombre de argumento inv\xE1lido";
        case ErrArgumentSyntax:
            return std::string(SyntaxInArgument) + std::to_string(a + 1);
        case ErrCallArgumentCount:
            return "N\xFAmero equivocado de par\xE1metros en CALL - se esperaban " + std::to_string(a);
        case ErrCallArgumentType:
            text = "Tipos no coinciden en CALL, Par\xE1metro " + std::to_string(a + 1) + ": Se esperaba ";
            text += TypeName(b);
            return text;
        case ErrIllegalHere:
            text = "Expresi\xF3n ilegal en ";
            if (a < static_cast<std::int32_t>(std::size(Places))) text += Places[a];
            return text;
        default:
            return Plain(number);
    }
}

}  // namespace vekora
