#include "commands/lsp/message_queue.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace tracciato::lsp {
namespace {

using nlohmann::json;

std::string change(const std::string& uri, const std::string& text, bool ranged = false) {
  json edit = {{"text", text}};
  if (ranged)
    edit["range"] = {{"start", {{"line", 0}, {"character", 0}}},
                     {"end", {{"line", 0}, {"character", 0}}}};
  return json{
      {"jsonrpc", "2.0"},
      {"method", "textDocument/didChange"},
      {"params", {{"textDocument", {{"uri", uri}, {"version", 2}}}, {"contentChanges", {edit}}}}}
      .dump();
}

std::string hover(const std::string& uri) {
  return json{
      {"jsonrpc", "2.0"},
      {"id", 7},
      {"method", "textDocument/hover"},
      {"params", {{"textDocument", {{"uri", uri}}}, {"position", {{"line", 0}, {"character", 0}}}}}}
      .dump();
}

std::vector<std::string> waiting_after(const std::vector<std::string>& bodies) {
  std::deque<WaitingMessage> waiting;
  for (const std::string& body : bodies) add_waiting(waiting, body);
  std::vector<std::string> kept;
  kept.reserve(waiting.size());
  for (const WaitingMessage& m : waiting) kept.push_back(m.body);
  return kept;
}

TEST(WaitingMessages, ABurstOfWholeTextsKeepsOnlyTheLatest) {
  const std::string a = "file:///a_linea.txt";
  EXPECT_EQ(waiting_after({change(a, "1"), change(a, "2"), change(a, "3")}),
            std::vector<std::string>{change(a, "3")});
}

TEST(WaitingMessages, AWholeTextDropsTheEditsJustBeforeIt) {
  const std::string a = "file:///a_linea.txt";
  EXPECT_EQ(waiting_after({change(a, "x", true), change(a, "y", true), change(a, "whole")}),
            std::vector<std::string>{change(a, "whole")});
}

TEST(WaitingMessages, ChangesAreKeptWhereSomethingReadsTheTextBetweenThem) {
  const std::string a = "file:///a_linea.txt";
  const std::string b = "file:///a_9001-.txt";
  const std::vector<std::string> kept = {change(a, "1"), hover(a), change(b, "2"), change(a, "3")};
  EXPECT_EQ(waiting_after(kept), kept);
}

TEST(WaitingMessages, EditsOfRangesAreNeverDropped) {
  const std::string a = "file:///a_linea.txt";
  const std::vector<std::string> kept = {change(a, "1", true), change(a, "2", true)};
  EXPECT_EQ(waiting_after(kept), kept);
}

TEST(WaitingMessages, TextThatIsNoMessageWaitsForTheServerToRefuse) {
  const std::string a = "file:///a_linea.txt";
  const std::vector<std::string> kept = {change(a, "1"), "{not json", std::string(100, '['),
                                         change(a, "2")};
  EXPECT_EQ(waiting_after(kept), kept);
}

}  // namespace
}  // namespace tracciato::lsp
