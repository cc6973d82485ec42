#include "listfile/AtomicElement.h"
#include "listfile/ListReader.h"
#include "platform/RegularFile.h"
#include "tests/listfile/ListFileTest.h"
#include "tests/listfile/StderrCapture.h"

#include <vector>

namespace {

using ReaderTokens = ListFileTest;
using ReaderQuoting = ListFileTest;
using ReaderLines = ListFileTest;

std::vector<std::string> tokens(const std::string& text) {
    ListInput in = ListInput::fromText(text);
    std::vector<std::string> result;
    for (std::string token = readToken(in); !token.empty(); token = readToken(in))
        result.push_back(token);
    return result;
}

TEST_F(ReaderTokens, WordsEndAtSpaceCommentsAndParentheses) {
    StderrCapture err;
    EXPECT_EQ(describe(read("(a(b)c)").get()), "[0 a@0 [0 b@0] c@0]");
    EXPECT_EQ(describe(read("(a\tb\vc\fd\re  f)").get()), "[0 a@0 b@0 c@0 d@0 e@0 f@0]");
    EXPECT_EQ(describe(read("(a;comment (x) \"y\nb)").get()), "[0 a@0 b@1]");
    EXPECT_EQ(err.text(), "");
}

TEST_F(ReaderTokens, EveryOtherByteBuildsWords) {
    std::string zero("a\0b", 3);
    auto root = read("(" + zero + " \xff\xfe\x80 a'b{c}[d]\\)");
    ASSERT_TRUE(root->first);
    EXPECT_EQ(root->firstString(), zero);
    EXPECT_EQ(root->rest()->firstString(), "\xff\xfe\x80");
    EXPECT_EQ(root->rest()->rest()->firstString(), "a'b{c}[d]\\");
    EXPECT_EQ(root->rest()->rest()->rest()->first, nullptr);
}

TEST_F(ReaderTokens, TokenStreamAtTheEndOfTheInput) {
    EXPECT_EQ(tokens("(ab)"), (std::vector<std::string>{"(", "ab", ")"}));
    // A word running to the end of the input ends with its last byte, taken once.
    EXPECT_EQ(tokens("  abc"), (std::vector<std::string>{"abc"}));
    EXPECT_EQ(tokens("x ; trailing comment"), (std::vector<std::string>{"x"}));
    ListInput in = ListInput::fromText("w");
    EXPECT_EQ(readToken(in), "w");
    EXPECT_EQ(readToken(in), "");
    EXPECT_EQ(readToken(in), "");
}

TEST_F(ReaderTokens, FirstTokenStandsForTheOpeningParenthesis) {
    EXPECT_EQ(describe(read("x a b)").get()), "[0 a@0 b@0]");
    EXPECT_EQ(describe(read("a b c)").get()), "[0 b@0 c@0]");
    EXPECT_EQ(describe(read("\"quoted (\" a)").get()), "[0 a@0]");
    EXPECT_EQ(describe(read("; comment\n\n(a)").get()), "[2 a@2]");
}

TEST_F(ReaderTokens, NothingAfterTheRootIsRead) {
    StderrCapture err;
    EXPECT_EQ(read("(a) b (c")->getString(), "(a)");
    EXPECT_EQ(read("(a)) ) (")->getString(), "(a)");
    EXPECT_EQ(read("(a) (b c)")->getString(), "(a)");
    EXPECT_EQ(read("(a)\"unclosed")->getString(), "(a)");
    EXPECT_EQ(err.text(), "");
}

TEST_F(ReaderQuoting, QuotedTextIsOneWordOfAnyBytes) {
    auto root = read("(\"x y\" \"a;b\" \"p (q) \nr\" \"\" z)");
    EXPECT_EQ(describe(root.get()), "[0 x y@0 a;b@0 p (q) \nr@0 @0 z@0]");
    // Words are printed bare.
    EXPECT_EQ(root->getString(), "(x y a;b p (q) \nr  z)");
}

TEST_F(ReaderQuoting, QuoteInsideAWordDropsWhatWasRead) {
    EXPECT_EQ(describe(read("(ab\"cd\" e)").get()), "[0 cd@0 e@0]");
    EXPECT_EQ(describe(read("(ab\"\" e)").get()), "[0 @0 e@0]");
}

TEST_F(ReaderQuoting, ClosingQuoteEndsTheToken) {
    EXPECT_EQ(describe(read("(\"x\"y \"a\"\"b\")").get()), "[0 x@0 y@0 a@0 b@0]");
    EXPECT_EQ(tokens("\"x\"(y)"), (std::vector<std::string>{"x", "(", "y", ")"}));
}

TEST_F(ReaderQuoting, QuotedParenthesesAreText) {
    EXPECT_EQ(describe(read("(filename \"(old).png\")").get()), "[0 filename@0 (old).png@0]");
    EXPECT_EQ(describe(read("(\"(abc\" d) e)").get()), "[0 (abc@0 d@0]");
    EXPECT_EQ(describe(read("(a \")zzz\" b)").get()), "[0 a@0 )zzz@0 b@0]");
}

TEST_F(ReaderQuoting, UnclosedQuoteRunsToTheEndOfTheInput) {
    ListInput in = ListInput::fromText("abc def\n(");
    EXPECT_EQ(readQuoted(in), "abc def\n(");
    EXPECT_EQ(in.get(), -1);
    ListInput closed = ListInput::fromText("abc\"rest");
    EXPECT_EQ(readQuoted(closed), "abc");
    EXPECT_EQ(readToken(closed), "rest");
}

TEST_F(ReaderLines, LinesCountFromZero) {
    auto root = read("(a\nb\nc (d\n e))");
    EXPECT_EQ(describe(root.get()), "[0 a@0 b@1 c@2 [2 d@2 e@3]]");
    EXPECT_EQ(lineNumber, 3);
    EXPECT_EQ(describe(read("\n\n(a)").get()), "[2 a@2]");
    EXPECT_EQ(lineNumber, 2); // reset for each file
}

TEST_F(ReaderLines, CommentsCountTheirLineEnd) {
    EXPECT_EQ(describe(read("(a ; one\n b ;two\n\n c)").get()), "[0 a@0 b@1 c@3]");
    // A comment that runs to the end of the input counts once.
    read("(a) ; never read");
    EXPECT_EQ(lineNumber, 0);
    StderrCapture err;
    read("(a ; last");
    EXPECT_EQ(lineNumber, 1);
}

TEST_F(ReaderLines, LineFeedsInQuotedTextAreNotCounted) {
    EXPECT_EQ(describe(read("(\"x\n\ny\"\nb\n(c))").get()), "[0 x\n\ny@0 b@1 [2 c@2]]");
}

TEST_F(ReaderLines, CarriageReturnLineFeedReadsLikeLineFeed) {
    std::string lf = "; description\n(animated\n  (sprite (filename \"a b.png\") (time 3))\n"
                     "  (loop)) ; end\n";
    std::string crlf;
    for (char c : lf) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    std::string expected = "[1 animated@1 [2 sprite@2 [2 filename@2 a b.png@2] [2 time@2 3@2]]"
                           " [3 loop@3]]";
    EXPECT_EQ(describe(read(lf).get()), expected);
    EXPECT_EQ(describe(read(crlf).get()), expected);
}

TEST_F(ReaderLines, CellsMadeByAppendCarryMinusOne) {
    auto root = read("\n(a b)");
    EXPECT_EQ(root->line, 1);
    EXPECT_EQ(root->rest()->line, -1);
    EXPECT_EQ(root->rest()->rest()->line, -1);
}

// The buffered input must give the same bytes whatever the size of its reads, including
// put-back bytes at the edge of a buffer.
TEST_F(ReaderTokens, ReadSizeDoesNotChangeTheTokens) {
    std::string text = "(ab(\"c d\"e)f;g\nh\r\n \"x\" ij) tail";
    std::string path = write(text);
    std::vector<std::string> expected = tokens(text);
    for (std::size_t size : {1, 2, 3, 5, 7, 64}) {
        std::string problem;
        long long bytes = 0;
        ListInput in =
            ListInput::fromFile(openRegularFile(path, problem, &bytes), path, bytes, size);
        ASSERT_TRUE(in.isOpen());
        std::vector<std::string> got;
        for (std::size_t i = 0; i < expected.size(); ++i)
            got.push_back(readToken(in));
        EXPECT_EQ(got, expected) << "read size " << size;
        EXPECT_EQ(readToken(in), "");
    }
}

} // namespace
