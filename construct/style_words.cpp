// Style words against the program settings.
#include "construct/style_words.h"

namespace vekora {

std::uint32_t ResolveColour(std::int32_t colour, const Settings& settings) {
    return static_cast<std::uint32_t>(colour == -1 ? settings.defaultColour : colour);
}

LineLook ResolveLook(const StyleWords& words, const Settings& settings) {
    const LineLook defaults = DefaultLineLook(settings);
    return LineLook{words.style == -1 ? defaults.style : static_cast<std::int16_t>(words.style),
                    words.thickness == -1 ? defaults.thickness : static_cast<std::int16_t>(words.thickness)};
}

void ApplyStyle(Line& line, const StyleWords& words, const Settings& settings) {
    const LineLook look = ResolveLook(words, settings);
    line.style = look.style;
    line.thickness = look.thickness;
    line.colour = ResolveColour(words.colour, settings);
}

void ApplyRing(Circle& circle, const RingWords& words, const Settings& settings) {
    circle.colour = ResolveColour(words.colour, settings);
    circle.thickness = words.thickness == -1 ? settings.lineThickness : words.thickness;
}

std::uint32_t AidColour(const Settings& settings, std::uint32_t figureColour) {
    return settings.constructionColour == -1 ? figureColour
                                             : static_cast<std::uint32_t>(settings.constructionColour);
}

double ArcOpening(const Settings& settings) { return ScriptAngle(settings.arcOpening); }

}  // namespace vekora
