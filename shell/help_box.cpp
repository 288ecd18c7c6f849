// The help box's text and how it is drawn.
#include "shell/help_box.h"

#include <string_view>

#include "draw/text.h"
#include "interp/resident.h"

namespace vekora {
namespace {

// Latin-1; a carriage return ends a line.
constexpr std::string_view HelpTitle = "Ayuda de Vekora";
constexpr std::string_view HelpText =
    "Enter o el bot\xF3n Pausa: detiene la lecci\xF3n; Continuar la reanuda.\r"
    "R o Re P\xE1g, o el bot\xF3n Repetir: vuelve a empezar la construcci\xF3n o la animaci\xF3n en curso.\r"
    "Esc o el bot\xF3n Salir: termina la lecci\xF3n (dentro de una construcci\xF3n, la termina de inmediato).\r"
    "En una espera o una pausa: Espacio, flecha derecha o Av P\xE1g siguen, como Enter; B o el punto "
    "oscurecen la pantalla hasta la siguiente tecla.\r"
    "Men\xFAs: flechas y Enter, o un clic en la opci\xF3n; Esc los salta.\r"
    "Arrastrar: en una interacci\xF3n, mant\xE9n pulsado el bot\xF3n del rat\xF3n sobre un punto y mu\xE9velo; "
    "la figura lo sigue.\r"
    "F11: pantalla completa, y F11 otra vez para salir de ella.\r"
    "F1: esta ayuda. La lecci\xF3n espera mientras se muestra.\r"
    "\r"
    "Pulsa cualquier tecla para seguir.";

constexpr std::int32_t BoxWidth = 480;
constexpr std::int32_t BoxHeight = 300;
constexpr std::int32_t Margin = 12;
constexpr std::uint32_t Paper = 0xFFFFE0;
constexpr std::uint32_t InkColour = 0x000000;
constexpr std::uint32_t FrameColour = 0x404080;

}  // namespace

OwnedImage HelpBoxPicture() {
    OwnedImage box(ImageNewOfDepth(BoxWidth, BoxHeight, 4, Paper));
    if (!box) return box;
    const ImageHandle image = box.get();
    for (std::int32_t inset = 0; inset < 3; ++inset) {
        RasterLine(image, static_cast<float>(inset), static_cast<float>(inset), static_cast<float>(BoxWidth - 1 - inset),
                   static_cast<float>(BoxHeight - 1 - inset), FrameColour, LineKind::Box, 0xFFFF);
    }
    const FontView title = ResidentFont(FontFamily::Sans, 24);
    PrintText(image, HelpTitle, title, Margin, Margin, FrameColour, TransparentColour(image));
    const std::int32_t textTop = Margin + 24 + Margin / 2;
    LineWrap(image, HelpText, ResidentFont(FontFamily::Sans, 16), Margin, textTop, BoxWidth - 2 * Margin,
             BoxHeight - textTop - Margin, InkColour, TransparentColour(image));
    return box;
}

}  // namespace vekora
