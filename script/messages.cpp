// Error messages, byte for byte as the viewer reads them (Latin-1), in the language asked for.
#include "script/messages.h"

#include "script/types.h"

namespace vekora {
namespace {

constexpr std::string_view TypeNames[] = {
    N_("Ninguno"), N_("Punto"), N_("Recta"), N_("C\xEDrculo"), N_("N\xFAmero"), N_("N\xFAmero literal"),
    N_("Etiqueta"), N_("Procedimiento"), N_("Texto literal"), N_("Palabra clave"),
};

constexpr std::string_view Places[] = {
    N_("el modulo principal."), N_("CONSTRUCTION."), N_("INTERACTION."), N_("ANIMATION."),
};

std::string_view PlainSource(std::int32_t number) {
    switch (number) {
        case ErrTooManyArguments: return N_("Demasiados argumentos");
        case ErrTooFewArguments: return N_("Demasiado pocos argumentos");
        case ErrNoKeyword: return N_("Error de s\xEDntaxis: no hay palabra clave en la l\xEDnea.");
        case ErrNestedProcedures: return N_("Procedimientos anidados.");
        case ErrPassMismatch:
            return N_("Error interno del int\xE9rprete: Paso 2 encontr\xF3 una instrucci\xF3n/\xEDndice diferente del Paso 1.");
        case ErrNoProcedure: return N_("No se encontr\xF3 el nombre de procedimiento usado en CALL.");
        case ErrParameterCount:
            return N_("Error interno del int\xE9rprete: Paso 2 encontr\xF3 otro n\xFAmero de par\xE1metros para CONSTRUCTION.");
        case ErrOtherKind: return N_("Error interno del int\xE9rprete: (otro)");
        case ErrDuplicateProcedure: return N_("Nombre de procedimiento duplicado");
        case ErrWrongProcedureKind:
            return N_("Tipo equivocado de procedimiento despu\xE9s de CONSTRUCT / ANIMATE / INTERACT.");
        case ErrTooManyParameters:
            return N_("Demasiados par\xE1metros para CONSTRUCTION (>12), CLICKABLE (>14) o TRACE (>14)");
        case ErrMenuWithoutEnd: return N_("MENU sin ENDMENU");
        case ErrTooManyMenuItems: return N_("Demasiados MENUITEMs");
        case ErrMenuRowWithoutMenu: return N_("MENUITEM / EXITMENU / ENDMENU / REPEATMENU sin MENU");
        case ErrNoEnd: return N_("No se encontr\xF3 END en el m\xF3" "dulo principal.");
        default: return N_("Se gener\xF3 un mensaje de error ilegal.");
    }
}

}  // namespace

std::string_view TypeName(std::int32_t type, const Catalogue& language) {
    if (type < 0 || type >= static_cast<std::int32_t>(std::size(TypeNames))) return {};
    return language.Find(TypeNames[type]);
}

std::string ErrorMessage(std::int32_t code, const Catalogue& language) {
    const std::int32_t number = code & 255;
    const std::int32_t a = (code >> 8) & 15;
    const std::int32_t b = (code >> 12) & 15;
    switch (number) {
        case ErrTypeMismatch:
            return TrFormat(language, N_("Tipos no coinciden: Primero definido como %s, ahora usado como %s"),
                          {TypeName(a, language), TypeName(b, language)});
        case ErrKeywordAsName:
            return TrFormat(language,
                            N_("Error de s\xEDntaxis en el argumento %s: Palabra clave como nombre de argumento."),
                          {std::to_string(a + 1)});
        case ErrBadArgumentName:
            return TrFormat(language, N_("Error de s\xEDntaxis en el argumento %s: Nombre de argumento inv\xE1lido"),
                          {std::to_string(a + 1)});
        case ErrArgumentSyntax:
            return TrFormat(language, N_("Error de s\xEDntaxis en el argumento %s"), {std::to_string(a + 1)});
        case ErrCallArgumentCount:
            return TrFormat(language, N_("N\xFAmero equivocado de par\xE1metros en CALL - se esperaban %s"),
                            {std::to_string(a)});
        case ErrCallArgumentType:
            return TrFormat(language, N_("Tipos no coinciden en CALL, Par\xE1metro %s: Se esperaba %s"),
                          {std::to_string(a + 1), TypeName(b, language)});
        case ErrIllegalHere:
            // A place beyond the four has no name: the message ends after "en ".
            return TrFormat(language, N_("Expresi\xF3n ilegal en %s"),
                          {a < static_cast<std::int32_t>(std::size(Places)) ? language.Find(Places[a]) : ""});
        default:
            return std::string(language.Find(PlainSource(number)));
    }
}

}  // namespace vekora
