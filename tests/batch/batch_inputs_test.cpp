#include "batch/batch_inputs.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cif2at/failure.hpp"
#include "test_support.hpp"

namespace cif2at {
namespace {

namespace fs = std::filesystem;

TEST(BatchInputs, OutputNameDropsTheCifEndingInAnyCase) {
  struct Case {
    const char* input;
    const char* output;
  } cases[] = {
      {"x.cif", "x.at.dat"},      {"dir/x.CIF", "x.at.dat"},   {"x.Cif", "x.at.dat"},
      {"a.b.cif", "a.b.at.dat"},  {"x.cif.cif", "x.cif.at.dat"}, {"x.txt", "x.txt.at.dat"},
      {"xcif", "xcif.at.dat"},    {".cif", ".at.dat"},         {"atom.cif", "atom.at.dat"},
  };
  for (const Case& c : cases) EXPECT_EQ(output_name(c.input), c.output) << c.input;
}

// A tree of files in a fresh directory; the paths are relative to it.
class InputTree : public ::testing::Test {
 protected:
  void add(const std::string& name) {
    fs::create_directories((dir_.path() / name).parent_path());
    testing::write_file(dir_.path() / name, "data_x\n");
  }
  std::vector<std::string> collect(const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& name : names) paths.push_back((dir_.path() / name).string());
    std::vector<std::string> found;
    for (const fs::path& path : collect_inputs(paths)) found.push_back(path.lexically_relative(dir_.path()).string());
    return found;
  }

  testing::WorkDir dir_;
};

TEST_F(InputTree, DirectoriesGiveTheirCifsSortedAndFilesStandAsGiven) {
  for (const char* name : {"d/b.cif", "d/A.CIF", "d/a.cif", "d/notes.txt", "d/x.cif.bak", "d/sub/c.Cif",
                           "d/sub/deeper/e.cif", "d/sub.cif", "d/listed.cif/f.cif", "plain.txt", "z.cif"}) {
    add(name);
  }
  fs::create_directories(dir_.path() / "d/empty");
  fs::create_directory_symlink(dir_.path() / "d", dir_.path() / "d/sub/loop");  // not followed
  fs::create_symlink(dir_.path() / "z.cif", dir_.path() / "d/link.cif");        // a file: taken

  EXPECT_EQ(collect({"z.cif", "d", "plain.txt"}),
            (std::vector<std::string>{"z.cif", "d/A.CIF", "d/a.cif", "d/b.cif", "d/link.cif", "d/listed.cif/f.cif",
                                      "d/sub/c.Cif", "d/sub/deeper/e.cif", "d/sub.cif", "plain.txt"}));
  EXPECT_EQ(collect({"d/empty"}), std::vector<std::string>{});
}

TEST_F(InputTree, APathThatDoesNotExistIsAFileFailure) {
  add("a.cif");
  try {
    collect({"a.cif", "missing.cif"});
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.kind(), FailureKind::FileFailure);
    EXPECT_EQ(describe(failure), "cif2at: " + (dir_.path() / "missing.cif").string() +
                                     ": cannot open: No such file or directory");
  }
}

TEST_F(InputTree, OutputsGoBesideEachInputOrIntoTheOutputDirectory) {
  add("a/x.cif");
  add("b/y.CIF");
  add("z.txt");
  fs::create_directory(dir_.path() / "out");
  const std::vector<fs::path> inputs = {dir_.path() / "a/x.cif", dir_.path() / "b/y.CIF", dir_.path() / "z.txt"};
  auto outputs = [&](const std::optional<fs::path>& out_dir) {
    std::vector<std::string> names;
    for (const BatchJob& job : plan_jobs(inputs, out_dir)) {
      names.push_back(job.output.lexically_relative(dir_.path()).string());
    }
    return names;
  };
  EXPECT_EQ(outputs(std::nullopt), (std::vector<std::string>{"a/x.at.dat", "b/y.at.dat", "z.txt.at.dat"}));
  EXPECT_EQ(outputs(dir_.path() / "out"),
            (std::vector<std::string>{"out/x.at.dat", "out/y.at.dat", "out/z.txt.at.dat"}));
}

}  // namespace
}  // namespace cif2at
