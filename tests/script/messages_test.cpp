// Error codes against their Spanish texts, byte for byte (Latin-1).
#include <gtest/gtest.h>

#include <string>

#include "script/messages.h"
#include "script/types.h"

namespace vekora {
namespace {

const std::string Illegal = "Se gener\xF3 un mensaje de error ilegal.";

TEST(ErrorMessage, EveryMessage) {
    struct Case {
        std::int32_t code;
        std::string text;
    };
    const Case cases[] = {
        {ErrorCode(10, 3, 1), "Tipos no coinciden: Primero definido como C\xEDrculo, ahora usado como Punto"},
        {ErrorCode(10, 0, 1), "Tipos no coinciden: Primero definido como Ninguno, ahora usado como Punto"},
        {ErrorCode(10, 4, 5), "Tipos no coinciden: Primero definido como N\xFAmero, ahora usado como N\xFAmero literal"},
        {ErrorCode(10, 6, 7), "Tipos no coinciden: Primero definido como Etiqueta, ahora usado como Procedimiento"},
        {ErrorCode(10, 8, 9), "Tipos no coinciden: Primero definido como Texto literal, ahora usado como Palabra clave"},
        {ErrorCode(10, 2, 12), "Tipos no coinciden: Primero definido como Recta, ahora usado como "},
        {11, "Demasiados argumentos"},
        {12, "Demasiado pocos argumentos"},
        {13, "Error de s\xEDntaxis: no hay palabra clave en la l\xEDnea."},
        {ErrorCode(14, 4), "Error de s\xEDntaxis en el argumento 5: Palabra clave como nombre de argumento."},
        {ErrorCode(15, 2), "Error de s\xEDntaxis en el argumento 3: Nombre de argumento inv\xE1lido"},
        {ErrorCode(16, 0), "Error de s\xEDntaxis en el argumento 1"},
        {ErrorCode(16, 20), "Error de s\xEDntaxis en el argumento 5"},  // a is cut to 4 bits
        {20, "Procedimientos anidados."},
        {21, "Error interno del int\xE9rprete: Paso 2 encontr\xF3 una instrucci\xF3n/\xEDndice diferente del Paso 1."},
        {22, "No se encontr\xF3 el nombre de procedimiento usado en CALL."},
        {23, "Error interno del int\xE9rprete: Paso 2 encontr\xF3 otro n\xFAmero de par\xE1metros para CONSTRUCTION."},
        {24, "Error interno del int\xE9rprete: (otro)"},
        {26, "Nombre de procedimiento duplicado"},
        {27, "Tipo equivocado de procedimiento despu\xE9s de CONSTRUCT / ANIMATE / INTERACT."},
        {ErrorCode(28, 2), "N\xFAmero equivocado de par\xE1metros en CALL - se esperaban 2"},
        {ErrorCode(29, 0, 2), "Tipos no coinciden en CALL, Par\xE1metro 1: Se esperaba Recta"},
        {30, "Demasiados par\xE1metros para CONSTRUCTION (>12), CLICKABLE (>14) o TRACE (>14)"},
        {ErrorCode(31, 0), "Expresi\xF3n ilegal en el modulo principal."},
        {ErrorCode(31, 1), "Expresi\xF3n ilegal en CONSTRUCTION."},
        {ErrorCode(31, 2), "Expresi\xF3n ilegal en INTERACTION."},
        {ErrorCode(31, 3), "Expresi\xF3n ilegal en ANIMATION."},
        {ErrorCode(31, 5), "Expresi\xF3n ilegal en "},
        {32, "MENU sin ENDMENU"},
        {33, "Demasiados MENUITEMs"},
        {34, "MENUITEM / EXITMENU / ENDMENU / REPEATMENU sin MENU"},
        {36, "No se encontr\xF3 END en el m\xF3" "dulo principal."},
        {11 + 0x7FFF0000, "Demasiados argumentos"},  // bits above 15 are ignored
        {-256 + 12, "Demasiado pocos argumentos"},
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorMessage(c.code), c.text) << c.code;
}

TEST(ErrorMessage, NumbersWithoutMessage) {
    for (std::int32_t number = 0; number < 256; ++number) {
        const bool known = (number >= 10 && number <= 16) || (number >= 20 && number <= 36 && number != 25 && number != 35);
        if (!known) EXPECT_EQ(ErrorMessage(number), Illegal) << number;
        else EXPECT_NE(ErrorMessage(number), Illegal) << number;
    }
}

TEST(TypeName, TenNames) {
    EXPECT_EQ(TypeName(0), "Ninguno");
    EXPECT_EQ(TypeName(3), "C\xEDrculo");
    EXPECT_EQ(TypeName(9), "Palabra clave");
    EXPECT_EQ(TypeName(10), "");
    EXPECT_EQ(TypeName(-1), "");
}

}  // namespace
}  // namespace vekora
