// The one-pass substitution against the plain statement of the rule (find the first command,
// replace every occurrence of it, read on from where it stood) on many small random texts.
#include <gtest/gtest.h>

#include <random>

#include "fixture.h"
#include "textgen/html.h"
#include "textgen/substitute.h"

namespace dravo::textgen {
namespace {

// The rule as stated, replace-all and rescan: quadratic, but plain to read.
std::string ReplaceAllAndRescan(DocumentContext &ctx, std::string text) {
    std::size_t p = 0;
    for (int guard = 0; guard < 10000; ++guard) {
        const std::size_t d = text.find('{', p);
        if (d == std::string::npos)
            break;
        const std::size_t e = text.find('}', d);
        if (e == std::string::npos)
            break;
        const std::string command = text.substr(d, e - d + 1);
        if (command == "{}")
            ReplaceAllIn(text, "{}", "&nbsp;");
        else
            ReplaceAllIn(text, command, Evaluate(ctx, CommandWord(command)));
        p = d;
    }
    return text;
}

std::string RandomText(std::mt19937 &rng, std::string_view alphabet, std::size_t maxLength) {
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string s(length(rng), ' ');
    for (char &c : s)
        c = alphabet[pick(rng)];
    return s;
}

class SubstituteRandomTest : public ::testing::Test {
  protected:
    SubstituteRandomTest() : ctx(body) { ctx.highlight = false; }
    CBody body;
    DocumentContext ctx;
};

TEST_F(SubstituteRandomTest, PlainValuesGiveTheSameText) {
    testing::AddVariable(body, "a", "A");
    testing::AddVariable(body, "b", "");
    testing::AddVariable(body, "ab", "X y");
    std::mt19937 rng(4242);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = RandomText(rng, "{{{}}}ab ", 40);
        ASSERT_EQ(Substitute(ctx, text), ReplaceAllAndRescan(ctx, text)) << "text: " << text;
    }
}

TEST_F(SubstituteRandomTest, ValuesHoldingCommandsGiveTheSameText) {
    // Values hold commands, whole or halves that join the text around them; none leads back to
    // itself, so the plain rule ends too.
    testing::AddVariable(body, "a", "<{b}|{c}>");
    testing::AddVariable(body, "b", "[{c}{}]");
    testing::AddVariable(body, "c", "C");
    testing::AddVariable(body, "d", "{c");
    testing::AddVariable(body, "e", "}{a");
    testing::AddVariable(body, "ab", "{d}}");
    testing::AddVariable(body, "bc", "{}{");
    testing::AddVariable(body, "cd", "a}{b}{");
    testing::AddVariable(body, "", "{e}");
    std::mt19937 rng(777);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = RandomText(rng, "{{{}}}abcde ", 40);
        ASSERT_EQ(Substitute(ctx, text), ReplaceAllAndRescan(ctx, text)) << "text: " << text;
    }
}

TEST_F(SubstituteRandomTest, SelfReferenceAlwaysEnds) {
    testing::AddVariable(body, "a", "{a}{b}");
    testing::AddVariable(body, "b", "{a}x{c");
    testing::AddVariable(body, "c", "{b}{b}{b}");
    std::mt19937 rng(11);
    for (int i = 0; i < 5000; ++i) {
        const std::string text = RandomText(rng, "{{}}abc ", 24);
        const std::string out = Substitute(ctx, text);
        ASSERT_LE(out.size(), kExpansionLimit + 64 * (text.size() + 1)) << text;
    }
}

} // namespace
} // namespace dravo::textgen
