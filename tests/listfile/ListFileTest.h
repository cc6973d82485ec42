#pragma once

#include "listfile/ListObject.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

// Fixture for tests that read real files: a private temporary folder, removed afterwards.
class ListFileTest : public ::testing::Test {
  protected:
    ListFileTest();
    ~ListFileTest() override;

    // Writes `bytes` to a file `name` in the folder and returns its path.
    std::string write(const std::string& bytes, const std::string& name = "list.txt");
    // Writes `bytes` to a file and reads it with readListFile.
    std::unique_ptr<ListObject> read(const std::string& bytes);
    const std::string& folder() const { return folder_; }

    // The tree with every element's line: words as text@line, lists as [line ...].
    static std::string describe(ListObject* list);

  private:
    std::string folder_;
};
