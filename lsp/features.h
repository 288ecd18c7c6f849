// The language server's answers, one function a request: each takes the lesson and the
// request's params and returns the result (JSON null where there is nothing to say).
#pragma once

#include <string>

#include "lsp/protocol.h"

namespace vekora::lsp {

Json Completion(Lesson& lesson, const Json& params);
Json SignatureHelp(Lesson& lesson, const Json& params);
Json Hover(Lesson& lesson, const Json& params);
Json Definition(Lesson& lesson, const Json& params, const std::string& uri);
Json References(Lesson& lesson, const Json& params, const std::string& uri);
// A rename that cannot be done gives its reason in `refusal` (UTF-8) and returns null.
Json Rename(Lesson& lesson, const Json& params, const std::string& uri, std::string& refusal);
Json DocumentSymbols(Lesson& lesson);
Json SemanticTokens(Lesson& lesson);
Json CodeActions(Lesson& lesson, const Json& params, const std::string& uri);
Json DiagnosticsJson(const Lesson& lesson);

// The semantic token types, in the order of their numbers in SemanticTokens.
Json SemanticTokenLegend();

}  // namespace vekora::lsp
