// Runs of the real cif2at-batch in a fresh directory, checked against runs of
// cif2at on the same files: every file afterwards, the exit status and both
// console streams.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "test_support.hpp"

namespace cif2at {
namespace {

namespace fs = std::filesystem;
using testing::files_below;
using testing::fixture;
using testing::run_with;
using testing::RunResult;
using testing::WorkDir;
using Files = std::map<std::string, std::string>;

const std::string kUsage =
    "Usage: cif2at-batch [--jobs N] [--control FILE] [--out DIR] PATH...\n"
    "Try 'cif2at-batch --help' for more information.\n";

RunResult run_batch(const WorkDir& dir, const std::string& arguments) {
  return dir.run_program(CIF2AT_BATCH_BINARY, arguments);
}

void write_files(const WorkDir& dir, const Files& files) {
  for (const auto& [name, text] : files) {
    fs::create_directories((dir.path() / name).parent_path());
    dir.write(name, text);
  }
}

// cif2at's diagnostic as cif2at-batch prints it: the program's name, and the
// file's own path in place of the fixed name.
std::string as_batch_diagnostic(const std::string& line, const std::string& fixed_name, const std::string& path) {
  const std::string prefix = "cif2at: " + fixed_name;
  EXPECT_EQ(line.substr(0, prefix.size()), prefix);
  return "cif2at-batch: " + path + line.substr(prefix.size());
}

std::vector<std::string> cif_fixtures() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(CIF2AT_TEST_DATA)) {
    if (entry.path().extension() == ".cif") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

const std::string kCell =
    "data_x\n_cell_length_a 3.998 _cell_length_b 3.998 _cell_length_c 13.451\n"
    "_cell_angle_alpha 90 _cell_angle_beta 90 _cell_angle_gamma 120\n";
const std::string kRowCutShort =
    kCell + "loop_ _atom_site_label _atom_site_type_symbol _atom_site_fract_x _atom_site_fract_y _atom_site_fract_z\n"
            "Zn1 Zn 0 0\n";

TEST(BatchEndToEnd, EveryFixtureAsCif2atWritesItWithEveryControlFile) {
  struct Control {
    const char* name;
    std::optional<std::string> text;  // none: no --control, and no "zelkor.dat" for cif2at
  } controls[] = {
      {"none", std::nullopt},
      {"empty", ""},
      {"copies", "    1 1.00 1.00 1.00\n"},
      {"digits without a point", "    2  100  100  100\n"},
      {"copies and a translation", "    1 1.00 1.00 1.00\n    1 0.00 0.00 0.50\n"},
      {"reflect y and z, then a translation", "    5 0.50 0.50 0.50\n    1-0.25 0.10 0.00\n"},
      {"empty first line", "\n    1 0.50 0.50 0.50\n"},
      {"CR LF", "    7 1.00 1.00 1.00\r\n    1 0.50 0.50 0.50\r\n"},
      {"third line never read", "    0\n    1 0.50 0.50 0.50\nrubbish(\n"},
  };
  const std::vector<std::string> fixtures = cif_fixtures();
  ASSERT_GE(fixtures.size(), 10u);
  for (const Control& control : controls) {
    // What cif2at does with each fixture as "atom.cif", in input order.
    Files expected_outputs;
    std::string expected_err;
    int expected_status = 0;
    for (const std::string& name : fixtures) {
      Files files = {{"atom.cif", fixture(name)}};
      if (control.text) files["zelkor.dat"] = *control.text;
      const RunResult single = run_with(files);
      const std::string output = "out/" + name.substr(0, name.size() - 4) + ".at.dat";
      if (single.status == 0) {
        expected_outputs[output] = *single.file("at.dat");
      } else {
        expected_status = 1;
        expected_err += as_batch_diagnostic(single.err, "atom.cif", "in/" + name);
      }
    }
    ASSERT_EQ(expected_status, 1) << "some fixtures should fail, to show that their diagnostics come in order";
    const std::size_t converted = expected_outputs.size();
    expected_err +=
        std::to_string(converted) + " converted, " + std::to_string(fixtures.size() - converted) + " failed\n";

    for (const char* jobs : {"1", "4"}) {
      const WorkDir dir;
      Files inputs;
      for (const std::string& name : fixtures) inputs["in/" + name] = fixture(name);
      if (control.text) inputs["control"] = *control.text;
      write_files(dir, inputs);
      fs::create_directory(dir.path() / "out");
      const RunResult run =
          run_batch(dir, std::string("--jobs ") + jobs + (control.text ? " --control control" : "") + " --out out in");
      const std::string where = std::string(control.name) + ", --jobs " + jobs;
      EXPECT_EQ(run.status, expected_status) << where;
      EXPECT_EQ(run.out, "") << where;
      EXPECT_EQ(run.err, expected_err) << where;
      Files expected_tree = inputs;
      expected_tree.insert(expected_outputs.begin(), expected_outputs.end());
      EXPECT_EQ(files_below(dir.path()), expected_tree) << where;  // inputs unchanged, nothing else made
    }
  }
}

TEST(BatchEndToEnd, AControlFileThatCannotBeUsedStopsTheBatchBeforeAnyWork) {
  struct Case {
    const char* name;
    std::string control;
  } cases[] = {
      {"free-form values", "1 1.0 1.0 1.0\n"},
      {"malformed second line", "    0\n    1 0.5x\n"},
      {"copy mode out of range", "    9 1.00 1.00 1.00\n"},
  };
  for (const Case& c : cases) {
    const RunResult single = run_with({{"atom.cif", fixture("zns_example.cif")}, {"zelkor.dat", c.control}});
    ASSERT_EQ(single.status, 1) << c.name;
    const WorkDir dir;
    const Files inputs = {{"in/a.cif", fixture("zns_example.cif")}, {"ctl/z.dat", c.control}};
    write_files(dir, inputs);
    const RunResult run = run_batch(dir, "--control ctl/z.dat in");
    EXPECT_EQ(run.status, 2) << c.name;
    EXPECT_EQ(run.err, as_batch_diagnostic(single.err, "zelkor.dat", "ctl/z.dat")) << c.name;
    EXPECT_EQ(files_below(dir.path()), inputs) << c.name;
  }
}

TEST(BatchEndToEnd, GoodAndBadInputsMixed) {
  const std::string old_output = "an earlier output\n";
  const Files inputs = {
      {"in/a_good.cif", fixture("zns_example.cif")},
      {"in/b_no_cell.cif", "data_x\n_title 'no cell here'\n"},
      {"in/c_good.cif", fixture("shelxl.cif")},
      {"in/d_row_cut_short.cif", kRowCutShort},  // fails after the cell line
      {"in/e_good.cif", fixture("row_layout.cif")},
      {"in/notes.txt", "not a CIF\n"},
      {"in/sub/f_bad.CIF", kCell},
      {"in/sub/g_good.Cif", fixture("no_type_symbol.cif")},
      {"out/a_good.at.dat", std::string(50'000, 'x') + "\n"},  // replaced
      {"out/b_no_cell.at.dat", old_output},                     // kept
      {"out/d_row_cut_short.at.dat", old_output},               // kept
  };
  const std::string err =
      "cif2at-batch: in/b_no_cell.cif: no _cell_length_a found\n"
      "cif2at-batch: in/d_row_cut_short.cif:5: the atom-site loop ends inside the row of atom 'Zn1': "
      "expected 5 values, found 4\n"
      "cif2at-batch: in/sub/f_bad.CIF: no atom-site loop with _atom_site_fract_x, _y, _z\n"
      "4 converted, 3 failed\n";
  Files expected_tree = inputs;
  expected_tree["out/a_good.at.dat"] = fixture("expected/zns_example.at.dat");
  expected_tree["out/c_good.at.dat"] = fixture("expected/shelxl.at.dat");
  expected_tree["out/e_good.at.dat"] = fixture("expected/row_layout.at.dat");
  expected_tree["out/g_good.at.dat"] = fixture("expected/no_type_symbol.at.dat");
  for (const char* jobs : {"1", "2", "4", "16"}) {
    const WorkDir dir;
    write_files(dir, inputs);
    const RunResult run = run_batch(dir, std::string("--out out --jobs=") + jobs + " in");
    EXPECT_EQ(run.status, 1) << jobs;
    EXPECT_EQ(run.out, "") << jobs;
    EXPECT_EQ(run.err, err) << jobs;
    EXPECT_EQ(files_below(dir.path()), expected_tree) << jobs;
  }
}

TEST(BatchEndToEnd, ManyInputsReportInInputOrderWhateverTheThreads) {
  // Failing inputs among slow ones (a long text field to pass over) and fast ones.
  const std::string slow = fixture("cell_after_text_field.cif");
  Files inputs;
  std::string err;
  std::size_t failed = 0;
  for (int i = 0; i < 60; ++i) {
    const std::string name = "in/n" + std::to_string(100 + i) + ".cif";
    if (i % 4 == 1) {
      inputs[name] = "data_x\n";
      err += "cif2at-batch: " + name + ": no _cell_length_a found\n";
      ++failed;
    } else if (i % 4 == 2) {
      inputs[name] = slow;
      err += "cif2at-batch: " + name + ": no atom-site loop with _atom_site_fract_x, _y, _z\n";
      ++failed;
    } else {
      inputs[name] = fixture("zns_example.cif");
    }
  }
  err += std::to_string(60 - failed) + " converted, " + std::to_string(failed) + " failed\n";
  for (const char* jobs : {"1", "3", "8"}) {
    const WorkDir dir;
    write_files(dir, inputs);
    const RunResult run = run_batch(dir, std::string("--jobs ") + jobs + " in");
    EXPECT_EQ(run.status, 1) << jobs;
    EXPECT_EQ(run.err, err) << jobs;
  }
}

TEST(BatchEndToEnd, OutputsBesideTheInputsWithTheModeCif2atGivesAtDat) {
  const WorkDir dir;
  const Files inputs = {{"x.cif", fixture("zns_example.cif")},
                        {"sub/y.CIF", fixture("shelxl.cif")},
                        {"-dash.cif", fixture("loop_at_end.cif")}};
  write_files(dir, inputs);
  const RunResult run = run_batch(dir, "x.cif sub -- -dash.cif");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "3 converted, 0 failed\n");
  Files expected = inputs;
  expected["x.at.dat"] = fixture("expected/zns_example.at.dat");
  expected["sub/y.at.dat"] = fixture("expected/shelxl.at.dat");
  expected["-dash.at.dat"] = fixture("expected/loop_at_end.at.dat");
  EXPECT_EQ(files_below(dir.path()), expected);

  // A file created new by cif2at in the same shell gets the same permissions.
  const WorkDir single;
  single.write("atom.cif", fixture("zns_example.cif"));
  ASSERT_EQ(single.run().status, 0);
  EXPECT_EQ(fs::status(dir.path() / "x.at.dat").permissions(), fs::status(single.path() / "at.dat").permissions());
}

TEST(BatchEndToEnd, AnOutputThatCannotBeReplacedFailsAloneAndLeavesNoTemporaryFile) {
  const WorkDir dir;
  const Files inputs = {{"in/a.cif", fixture("zns_example.cif")}, {"in/b.cif", fixture("shelxl.cif")},
                        {"out/a.at.dat/keep", "a directory in the way\n"}};
  write_files(dir, inputs);
  const RunResult run = run_batch(dir, "--out out in");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "cif2at-batch: out/a.at.dat: cannot rename into place: Is a directory\n1 converted, 1 failed\n");
  Files expected = inputs;
  expected["out/b.at.dat"] = fixture("expected/shelxl.at.dat");
  EXPECT_EQ(files_below(dir.path()), expected);
}

TEST(BatchEndToEnd, RefusedBeforeAnyWork) {
  const std::string good = fixture("zns_example.cif");
  struct Case {
    const char* name;
    Files files;
    std::string arguments;
    std::string err;
  } cases[] = {
      {"two inputs, one output", {{"a/first.cif", good}, {"a/x.cif", good}, {"b/x.cif", good}, {"o/keep", ""}},
       "--out o a b", "cif2at-batch: o/x.at.dat: would be written for both a/x.cif and b/x.cif\n"},
      {"endings that differ in case", {{"d/x.CIF", good}, {"d/x.cif", good}},
       "d", "cif2at-batch: d/x.at.dat: would be written for both d/x.CIF and d/x.cif\n"},
      {"one input named twice", {{"d/x.cif", good}},
       "d/x.cif ./d/x.cif", "cif2at-batch: ./d/x.at.dat: would be written for both d/x.cif and ./d/x.cif\n"},
      {"an output that is an input", {{"d/x.cif", good}, {"d/x.at.dat", "given as an input\n"}},
       "d/x.at.dat d/x.cif", "cif2at-batch: d/x.at.dat: is an input, and would be replaced by the output of d/x.cif\n"},
      {"a path that does not exist", {{"a.cif", good}},
       "a.cif missing.cif", "cif2at-batch: missing.cif: cannot open: No such file or directory\n"},
      {"a device, which may never end", {{"a.cif", good}},
       "a.cif /dev/zero", "cif2at-batch: /dev/zero: not a regular file or a directory\n"},
      {"no output directory", {{"a.cif", good}},
       "--out missing a.cif", "cif2at-batch: missing: cannot open: No such file or directory\n"},
      {"an output directory that is a file", {{"a.cif", good}, {"o", ""}},
       "--out o a.cif", "cif2at-batch: o: not a directory\n"},
      {"no control file", {{"a.cif", good}},
       "--control missing a.cif", "cif2at-batch: missing: cannot open: No such file or directory\n"},
      {"a control file that is a directory", {{"a.cif", good}, {"ctl/keep", ""}},
       "--control ctl a.cif", "cif2at-batch: ctl: cannot read: Is a directory\n"},
  };
  for (const Case& c : cases) {
    const WorkDir dir;
    write_files(dir, c.files);
    const RunResult run = run_batch(dir, c.arguments);
    EXPECT_EQ(run.status, 2) << c.name;
    EXPECT_EQ(run.out, "") << c.name;
    EXPECT_EQ(run.err, c.err) << c.name;
    EXPECT_EQ(files_below(dir.path()), c.files) << c.name;
  }
}

TEST(BatchEndToEnd, UsageErrorsPrintTheShortUsage) {
  struct Case {
    std::string arguments;
    std::string error;
  } cases[] = {
      {"", "no PATH given"},
      {"--jobs 0 in", "--jobs takes a whole number from 1 to 1024, not '0'"},
      {"--jobs=two in", "--jobs takes a whole number from 1 to 1024, not 'two'"},
      {"in --out", "option '--out' needs a value"},
      {"--verbose in", "unknown option '--verbose'"},
  };
  for (const Case& c : cases) {
    const WorkDir dir;
    const Files inputs = {{"in/a.cif", fixture("zns_example.cif")}};
    write_files(dir, inputs);
    const RunResult run = run_batch(dir, c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_EQ(run.out, "") << c.arguments;
    EXPECT_EQ(run.err, "cif2at-batch: " + c.error + "\n" + kUsage) << c.arguments;
    EXPECT_EQ(files_below(dir.path()), inputs) << c.arguments;
  }
}

TEST(BatchEndToEnd, HelpAndVersionPrintAndTouchNothing) {
  for (const char* arguments : {"--help", "--version", "in --help", "--version --out nowhere in"}) {
    const WorkDir dir;
    const Files inputs = {{"in/a.cif", fixture("zns_example.cif")}};
    write_files(dir, inputs);
    const RunResult run = run_batch(dir, arguments);
    EXPECT_EQ(run.status, 0) << arguments;
    EXPECT_EQ(run.err, "") << arguments;
    const bool help = std::string(arguments).find("--help") != std::string::npos;
    EXPECT_TRUE(run.out.starts_with(help ? "Usage: cif2at-batch [--jobs N]" : "cif2at-batch ")) << run.out;
    if (!help) {
      EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << run.out;  // one line
    }
    EXPECT_EQ(files_below(dir.path()), inputs) << arguments;
  }
}

// What the program writes to standard error when that is a terminal.
std::string stderr_on_a_terminal(const WorkDir& dir, const std::string& arguments) {
  const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (terminal < 0 || ::grantpt(terminal) != 0 || ::unlockpt(terminal) != 0) {
    ADD_FAILURE() << "no pseudo-terminal";
    return {};
  }
  const std::string side = ::ptsname(terminal);
  const std::string command = "cd '" + dir.path().string() + "' && exec '" CIF2AT_BATCH_BINARY "' " + arguments +
                              " >/dev/null 2>'" + side + "'";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(terminal);
    ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  std::string text;
  char chunk[4096];
  for (ssize_t n; (n = ::read(terminal, chunk, sizeof chunk)) > 0;) text.append(chunk, static_cast<std::size_t>(n));
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(terminal);  // read() ends with EIO once the program has closed its side
  return text;
}

TEST(BatchEndToEnd, OnATerminalAProgressLineIsDrawnAndErasedBeforeOtherText) {
  const WorkDir dir;
  Files inputs;
  for (int i = 0; i < 30; ++i) inputs["in/n" + std::to_string(10 + i) + ".cif"] = fixture("zns_example.cif");
  inputs["in/n15.cif"] = "data_x\n";
  write_files(dir, inputs);
  std::string text = stderr_on_a_terminal(dir, "--jobs 2 in");
  EXPECT_NE(text.find("/30 done, "), std::string::npos) << text;
  // Without every drawn line, from its carriage return to its erase to the
  // end of the line, what stays is what a log file would get (with the
  // terminal's CR LF line ends).
  for (std::size_t start = 0; (start = text.find('\r', start)) != std::string::npos;) {
    if (text.compare(start, 2, "\r\n") == 0) {
      start += 2;
      continue;
    }
    const std::size_t erase = text.find("\033[K", start);
    ASSERT_NE(erase, std::string::npos) << text;
    text.erase(start, erase + 3 - start);
  }
  EXPECT_EQ(text, "cif2at-batch: in/n15.cif: no _cell_length_a found\r\n29 converted, 1 failed\r\n");
}

}  // namespace
}  // namespace cif2at
