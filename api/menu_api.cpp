// VEKS_MENU: the pop-up menu on the screen of the active device.
#include <string>
#include <vector>

#include "platform/active_device.h"
#include "anim/stage.h"
#include "api/c_arguments.h"
#include "interp/menu.h"
#include "interp/resident.h"
#include "settings/settings.h"
#include "vekora.h"

extern "C" VEK_API int32_t VEKS_MENU(const char* const* items, int32_t count) {
    if (items == nullptr || count <= 0) return -1;
    return vekora::capi::Guarded<int32_t>(-1, [&] {
        std::vector<std::string> texts;
        texts.reserve(static_cast<std::size_t>(count));
        for (int32_t i = 0; i < count; ++i) texts.emplace_back(items[i] != nullptr ? items[i] : "");
        const vekora::Stage stage(vekora::ActiveDevice(), vekora::ProgramSettings());
        return vekora::ShowMenu(stage, texts, vekora::ResidentFont(vekora::FontFamily::Sans, 16));
    });
}
