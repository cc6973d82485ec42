#include "listfile/Description.h"
#include "platform/RegularFile.h"
#include "tests/listfile/ListFileTest.h"

#include <map>

namespace {

using DescriptionReading = ListFileTest;

// Every step of a reading in one line each, in the order it came: what the builder was asked
// and what the sink heard ("!" and the line as written, with its located line in brackets).
class Trace : public DescriptionBuilder, public DiagnosticSink {
  public:
    explicit Trace(std::map<std::string, NamedResult> results) : results_(std::move(results)) {}

    void named(const std::vector<NamedFile>& files) override {
        text += "named";
        for (const NamedFile& file : files)
            text += " " + file.path;
        text += "\n";
    }
    NamedResult request(const std::string& file, int32_t line, const char* role) override {
        text += std::string(role) + " " + file + "@" + std::to_string(line) + "\n";
        const auto found = results_.find(file);
        return found == results_.end() ? NamedResult::Made : found->second;
    }
    void origin(int16_t x, int16_t y) override {
        text += "origin " + std::to_string(x) + "," + std::to_string(y) + "\n";
    }
    void report(const Diagnostic& diagnostic) override {
        text += "! " + diagnostic.written();
        if (diagnostic.line)
            text += " [" + std::to_string(*diagnostic.line) + "]";
        text += "\n";
    }

    std::string text;

  private:
    std::map<std::string, NamedResult> results_;
};

// The model in one line: frames as file@line+start, parts as file@line, and the rest.
std::string summary(const Description& model) {
    std::string text;
    for (const Description::Frame& frame : model.frames)
        text += "frame " + (frame.request ? std::to_string(*frame.request) + ":" : "-:") +
                frame.file + "@" + std::to_string(frame.line) + "+" + std::to_string(frame.start) +
                " ";
    for (const Description::Part& part : model.parts)
        text += "part " + (part.request ? std::to_string(*part.request) + ":" : "-:") + part.file +
                "@" + std::to_string(part.line) + " ";
    if (model.type == Description::Type::Animated)
        text += "duration " + std::to_string(model.duration) + (model.loop ? " loop" : "");
    if (model.type == Description::Type::ShowOne)
        text += "size " + std::to_string(model.width) + "x" + std::to_string(model.height);
    return text;
}

struct Reading {
    const char* file;
    std::map<std::string, NamedResult> results; // what the builder makes of each; else Made
    const char* trace;
    const char* model;
};

const Reading readings[] = {
    {"(animated (loop) (sprite (filename a.png) (time 3))\n (sprite (filename b.png) (time 2)))",
     {},
     "named a.png b.png\nframe a.png@0\nframe b.png@1\n",
     "frame 0:a.png@0+0 frame 1:b.png@1+3 duration 5 loop"},
    // An entry without "filename" repeats the frame before's picture; one without "time" its
    // start. A frame that cannot be loaded is left out, time and all.
    {"(animated (sprite (filename a.png) (time 3)) (sprite (time 4))\n"
     " (sprite (filename gone.png) (time 9)) (sprite (filename c.png)))",
     {{"gone.png", NamedResult::Unloaded}},
     "named a.png gone.png c.png\nframe a.png@0\nframe gone.png@1\nframe c.png@1\n",
     "frame 0:a.png@0+0 frame 0:a.png@0+3 frame 2:c.png@1+3 duration 7"},
    // The element model's words, each where the walk meets it, between the files named.
    {"(animated stray (sprite x (filename a.png) (time 1))\n (sprite (filename)))",
     {},
     "named a.png\n! 0: Attempt to getList on atomic element: stray [0]\n"
     "! 0: Attempt to getList on atomic element: x [0]\nframe a.png@0\n"
     "! -1: Attempt to firstString on empty list [1]\nframe @1\n",
     "frame 0:a.png@0+0 frame 1:@1+0 duration 1"},
    {"(animated (loop))",
     {},
     "named\n! Malformed animated sprites file: d.txt\n",
     "duration 0 loop"},
    // Origins go to the part named last, as they are read, only when it gave something.
    {"(showone (size 4 5) (sprite (filename a.png) (origin 1 2))\n"
     " (sprite (filename none.png) (origin 7 7)) (sprite (origin 3 3)))",
     {{"none.png", NamedResult::Nothing}},
     "named a.png none.png\npart a.png@0\norigin 1,2\npart none.png@1\n",
     "part 0:a.png@0 part 1:none.png@1 part -:@0 size 4x5"},
    {"(showone (size) (sprite (filename a.png) (origin (1))))",
     {},
     "named a.png\n! -1: Attempt to firstInt on empty list [0]\npart a.png@0\n"
     "! 0: Attempt to get int from list object [0]\n! -1: Attempt to firstInt on empty list [0]\n"
     "origin 0,0\n",
     "part 0:a.png@0 size 0x0"},
    {"(fancy (sprite (filename a.png)))", {}, "named a.png\n! Sprite type fancy unknown.\n", ""},
    // The reader's problems come first, and the model holds what it read.
    {"(showone (sprite (filename a.png))",
     {},
     "! d.txt:1: file ends inside an open list [0]\nnamed a.png\npart a.png@0\n",
     "part 0:a.png@0 size 0x0"},
    {"", {}, "! d.txt: file holds no list\nnamed\n! Sprite type  unknown.\n", ""},
};

TEST_F(DescriptionReading, AsksForEachFileWhereItIsNamedAndReportsEachProblemWhereItIsMet) {
    const std::string folder = this->folder();
    const ListFileOpener open = [&folder](const std::string& path, std::string& problem,
                                          long long* size, bool* refused) {
        return openRegularFile(folder + "/" + path, problem, size, refused);
    };
    for (const Reading& reading : readings) {
        SCOPED_TRACE(reading.file);
        write(reading.file, "d.txt");
        Trace trace(reading.results);
        const Description model = readDescription("d.txt", open, trace, trace);
        EXPECT_EQ(trace.text, reading.trace);
        EXPECT_EQ(summary(model), reading.model);
        // The model keeps the problems the sink heard, in the same order.
        std::string kept;
        for (const Diagnostic& problem : model.problems)
            kept += problem.written() + "\n";
        std::string heard;
        for (size_t at = trace.text.find("! "); at != std::string::npos;
             at = trace.text.find("! ", at + 1)) {
            const size_t end = trace.text.find('\n', at);
            std::string line = trace.text.substr(at + 2, end - at - 2);
            line = line.substr(0, line.find(" ["));
            heard += line + "\n";
        }
        EXPECT_EQ(kept, heard);
    }
}

TEST(FrameSizes, TheFirstFrameWithAPictureSetsTheSizeTheOthersAreComparedWith) {
    using Size = std::optional<std::pair<int, int>>;
    const struct {
        std::vector<Size> sizes;
        std::optional<size_t> first;
        std::vector<size_t> differing;
    } cases[] = {
        {{}, std::nullopt, {}},
        {{std::nullopt, std::nullopt}, std::nullopt, {}},
        {{Size({4, 4}), Size({4, 4})}, 0, {}},
        {{std::nullopt, Size({4, 4}), Size({4, 5}), std::nullopt, Size({5, 4})}, 1, {2, 4}},
    };
    for (const auto& c : cases) {
        const FrameSizes compared = compareFrameSizes(c.sizes);
        EXPECT_EQ(compared.first, c.first);
        EXPECT_EQ(compared.differing, c.differing);
    }
}

} // namespace
