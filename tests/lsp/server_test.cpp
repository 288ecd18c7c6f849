// The language server in conversation: a committed list of requests is replayed against the
// server and its answers compared with a committed transcript. After a deliberate change,
// VEKORA_UPDATE_GOLDEN=1 writes the transcript again (then read the difference before
// committing it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "lsp/server.h"
#include "lsp/transport.h"

namespace vekora::lsp {
namespace {

const std::string Folder = std::string(VEKORA_SOURCE_DIR) + "/tests/lsp/";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every message of the request file (one JSON text a line; '#' lines are notes), framed.
std::string FramedRequests(const std::string& path) {
    std::istringstream lines(ReadFile(path));
    std::ostringstream framed;
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        WriteMessage(framed, line);
    }
    return framed.str();
}

// The server's messages, one a line, keys sorted so that the transcript reads the same
// however the server builds its objects.
std::string Transcript(const std::string& requests, int& exitCode) {
    std::istringstream in(requests);
    std::ostringstream out;
    exitCode = RunLanguageServer(in, out);
    std::istringstream answers(out.str());
    std::string transcript;
    while (const std::optional<std::string> body = ReadMessage(answers)) {
        transcript += Json::parse(*body).dump() + "\n";
    }
    return transcript;
}

TEST(LanguageServer, ConversationMatchesTheTranscript) {
    int exitCode = -1;
    const std::string transcript = Transcript(FramedRequests(Folder + "conversation.jsonl"), exitCode);
    EXPECT_EQ(exitCode, 0) << "shutdown then exit ends the server cleanly";
    const std::string golden = Folder + "conversation.golden";
    if (std::getenv("VEKORA_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(golden, std::ios::binary) << transcript;
        GTEST_SKIP() << "wrote " << golden;
    }
    const std::string expected = ReadFile(golden);
    std::istringstream got(transcript), want(expected);
    std::string gotLine, wantLine;
    for (int message = 1; std::getline(want, wantLine); ++message) {
        ASSERT_TRUE(std::getline(got, gotLine)) << "the server stopped before message " << message;
        EXPECT_EQ(gotLine, wantLine) << "message " << message;
    }
    EXPECT_FALSE(std::getline(got, gotLine)) << "more messages than the transcript: " << gotLine;
}

// The framing: headers in any case and order, stray blank lines, a body that is cut short.
TEST(LanguageServer, MessagesAreReadByTheirLength) {
    std::istringstream in("\r\ncontent-length: 2\r\nContent-Type: x\r\n\r\n{}Content-Length: 9\r\n\r\n{\"a\":");
    EXPECT_EQ(ReadMessage(in).value_or("none"), "{}");
    EXPECT_FALSE(ReadMessage(in).has_value()) << "a body shorter than its length ends the conversation";
    std::istringstream noLength("Content-Type: x\r\n\r\n{}");
    EXPECT_FALSE(ReadMessage(noLength).has_value());
}

// A client that leaves without shutdown, garbage, unknown methods and requests about a lesson
// never opened: the server answers what it can and carries on.
TEST(LanguageServer, BadRequestsAreAnsweredAndTheServerGoesOn) {
    std::ostringstream requests;
    WriteMessage(requests, "not json");
    WriteMessage(requests, R"({"jsonrpc":"2.0","id":1,"method":"no/such"})");
    WriteMessage(requests, R"({"jsonrpc":"2.0","id":2,"method":"textDocument/hover","params":{"textDocument":{"uri":"x"},"position":{"line":0,"character":0}}})");
    WriteMessage(requests, R"({"jsonrpc":"2.0","id":3,"method":"textDocument/didOpen","params":{"textDocument":"wrong"}})");
    WriteMessage(requests, R"({"jsonrpc":"2.0","method":"exit"})");
    int exitCode = -1;
    const std::string transcript = Transcript(requests.str(), exitCode);
    EXPECT_EQ(exitCode, 1) << "exit without shutdown";
    EXPECT_EQ(transcript,
              "{\"error\":{\"code\":-32700,\"message\":\"not a JSON object\"},\"id\":null,\"jsonrpc\":\"2.0\"}\n"
              "{\"error\":{\"code\":-32601,\"message\":\"unknown method no/such\"},\"id\":1,\"jsonrpc\":\"2.0\"}\n"
              "{\"id\":2,\"jsonrpc\":\"2.0\",\"result\":null}\n"
              "{\"error\":{\"code\":-32602,\"message\":\"[json.exception.type_error.306] cannot use value() with "
              "string\"},\"id\":3,\"jsonrpc\":\"2.0\"}\n");
}

}  // namespace
}  // namespace vekora::lsp
