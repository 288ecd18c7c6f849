// The help box's text and how it is drawn.
#include "shell/help_box.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "draw/text.h"
#include "i18n/language.h"
#include "interp/resident.h"

namespace vekora {
namespace {

// Latin-1, one paragraph a line.
constexpr std::string_view HelpTitle = N_("Ayuda de Vekora");
constexpr std::string_view HelpLines[] = {
    N_("Enter o el bot\xF3n Pausa: detiene la lecci\xF3n; Continuar la reanuda."),
    N_("R o Re P\xE1g, o el bot\xF3n Repetir: vuelve a empezar la construcci\xF3n o la animaci\xF3n en curso."),
    N_("Esc o el bot\xF3n Salir: termina la lecci\xF3n (dentro de una construcci\xF3n, la termina de inmediato)."),
    N_("En una espera o una pausa: Espacio, flecha derecha o Av P\xE1g siguen, como Enter; B o el punto "
       "oscurecen la pantalla hasta la siguiente tecla."),
    N_("En un WAIT: flecha izquierda o Retroceso (y Re P\xE1g con --presenter) vuelven al WAIT anterior. "
       "En una pantalla t\xE1" "ctil, deslizar a la izquierda sigue y a la derecha vuelve."),
    N_("Men\xFAs: flechas y Enter, o un clic en la opci\xF3n; Esc los salta."),
    N_("Arrastrar: en una interacci\xF3n, mant\xE9n pulsado el bot\xF3n del rat\xF3n sobre un punto y mu\xE9velo; "
       "la figura lo sigue."),
    N_("F11: pantalla completa, y F11 otra vez para salir de ella."),
    N_("F2: p\xEDxeles grandes y n\xEDtidos, o la imagen fina y suavizada."),
    N_("F1: esta ayuda. La lecci\xF3n espera mientras se muestra."),
    "",
    N_("Pulsa cualquier tecla para seguir."),
};

// The help in the language in use; a carriage return ends a line.
std::string HelpText() {
    std::string text;
    for (const std::string_view line : HelpLines) {
        if (!text.empty()) text += '\r';
        text += line.empty() ? line : Tr(line);
    }
    return text;
}

constexpr std::int32_t BoxWidth = 480;
constexpr std::int32_t LeastBoxHeight = 360;  // grows when a language's help needs more
constexpr std::int32_t Margin = 12;
constexpr std::uint32_t Paper = 0xFFFFE0;
constexpr std::uint32_t InkColour = 0x000000;
constexpr std::uint32_t FrameColour = 0x404080;

}  // namespace

OwnedImage HelpBoxPicture() {
    const FontView textFont = ResidentFont(FontFamily::Sans, 16);
    const std::string text = HelpText();
    const std::int32_t textTop = Margin + 24 + Margin / 2;
    const std::int32_t textWidth = BoxWidth - 2 * Margin;
    const auto boxHeight = static_cast<std::int32_t>(
        std::max<std::int64_t>(LeastBoxHeight, textTop + WrappedTextHeight(text, textFont, textWidth) + Margin));
    OwnedImage box(ImageNewOfDepth(BoxWidth, boxHeight, 4, Paper));
    if (!box) return box;
    const ImageHandle image = box.get();
    for (std::int32_t inset = 0; inset < 3; ++inset) {
        RasterLine(image, static_cast<float>(inset), static_cast<float>(inset), static_cast<float>(BoxWidth - 1 - inset),
                   static_cast<float>(boxHeight - 1 - inset), FrameColour, LineKind::Box, 0xFFFF);
    }
    const FontView title = ResidentFont(FontFamily::Sans, 24);
    PrintText(image, Tr(HelpTitle), title, Margin, Margin, FrameColour, TransparentColour(image));
    LineWrap(image, text, textFont, Margin, textTop, textWidth, boxHeight - textTop - Margin, InkColour,
             TransparentColour(image));
    return box;
}

}  // namespace vekora
