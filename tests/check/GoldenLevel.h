#pragma once

#include <string>

// A level folder made by a test in /tmp from a golden folder tests/check/levels/<name>, and
// removed afterwards. A golden level's folder is named <name>, as its text report's heading
// says; the folder made without a name has a name of its own. The golden folder holds the text
// files as they are, the expected outputs, and "images.txt", which lists the images (and odd files)
// to make, one per line:
//   <path> <w> <h> <colour>                       one flat colour
//   <path> <w> <h> <colour> corner <colour>       flat, but the top-left pixel differs
//   <path> <w> <h> <colour> dot <x>,<y> <colour>...  flat, with single pixels set
//   <path> corrupt | truncated | folder | text    no image, a PNG cut short, a folder in the
//                                                 file's place, a small description file
//   <path> fifo | link <target>                   a FIFO, a symbolic link (git holds neither)
// Colours are RRGGBB (opaque) or AARRGGBB; paths may hold \xNN escapes (\x20 for a space).
class GoldenLevel {
  public:
    explicit GoldenLevel(const std::string& name);
    GoldenLevel();
    ~GoldenLevel();
    GoldenLevel(const GoldenLevel&) = delete;
    GoldenLevel& operator=(const GoldenLevel&) = delete;

    const std::string& path() const { return path_; }

    // A file of the golden folder ("expected.txt"); empty when there is none.
    static std::string goldenText(const std::string& name, const std::string& file);
    // One line of the manifest grammar, applied to this folder.
    void make(const std::string& line);
    // The golden level `name` made in this folder as the folder `name`, for a run of several.
    void addGolden(const std::string& name);

  private:
    void makeIn(const std::string& folder, const std::string& line);

    std::string root_; // what the destructor removes
    std::string path_;
};
