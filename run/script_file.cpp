// Reads a script file whole, converts it as its encoding asks and cuts it into lines.
#include "run/script_file.h"

#include "i18n/language.h"
#include "platform/whole_file.h"
#include "run/console.h"
#include "run/script_text.h"

namespace vekora {

std::optional<std::vector<std::string>> ReadScriptFile(const std::string& path, std::ostream& diagnostics) {
    const FileContent content = ReadWholeFile(path);
    if (!content.error.empty()) {
        diagnostics << ConsoleText(TrFormat(N_("vekora: cannot read the script '%s': %s"), {path, content.error})) << '\n';
        return std::nullopt;
    }
    return SplitScriptText(ScriptTextToLatin1(content.bytes));
}

}  // namespace vekora
