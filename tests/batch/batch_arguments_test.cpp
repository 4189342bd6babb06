#include "batch/batch_arguments.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cif2at {
namespace {

ParsedArguments parse(const std::vector<const char*>& arguments) { return parse_arguments(arguments); }

TEST(BatchArguments, OptionsInBothFormsAndPathsInOrder) {
  struct Case {
    std::vector<const char*> arguments;
    unsigned jobs;
    std::optional<std::string> control;
    std::optional<std::string> out_dir;
    std::vector<std::string> paths;
  } cases[] = {
      {{"a.cif"}, 0, {}, {}, {"a.cif"}},
      {{"--jobs", "4", "--control", "z.dat", "--out", "o", "a.cif", "dir"}, 4, "z.dat", "o", {"a.cif", "dir"}},
      {{"--jobs=1", "--control=z.dat", "--out=o", "a.cif"}, 1, "z.dat", "o", {"a.cif"}},
      {{"a.cif", "--jobs", "2", "b.cif"}, 2, {}, {}, {"a.cif", "b.cif"}},  // options among the paths
      {{"--jobs", "2", "--jobs", "1024", "a.cif"}, 1024, {}, {}, {"a.cif"}},  // the last one counts
      {{"--", "--jobs", "-x.cif"}, 0, {}, {}, {"--jobs", "-x.cif"}},          // paths after --
      {{"-", "a.cif"}, 0, {}, {}, {"-", "a.cif"}},                           // a lone dash is a name
      {{"--out", "--odd name", "a.cif"}, 0, {}, "--odd name", {"a.cif"}},      // a value may begin with -
  };
  for (const Case& c : cases) {
    const ParsedArguments parsed = parse(c.arguments);
    const std::string shown = c.arguments.front();
    EXPECT_EQ(parsed.error, "") << shown;
    EXPECT_EQ(parsed.request, BatchRequest::Convert) << shown;
    EXPECT_EQ(parsed.options.jobs, c.jobs) << shown;
    EXPECT_EQ(parsed.options.control, c.control) << shown;
    EXPECT_EQ(parsed.options.out_dir, c.out_dir) << shown;
    EXPECT_EQ(parsed.options.paths, c.paths) << shown;
  }
}

TEST(BatchArguments, UsageErrors) {
  struct Case {
    std::vector<const char*> arguments;
    std::string error;
  } cases[] = {
      {{}, "no PATH given"},
      {{"--jobs", "2"}, "no PATH given"},
      {{"--", }, "no PATH given"},
      {{"--jobs", "0", "a.cif"}, "--jobs takes a whole number from 1 to 1024, not '0'"},
      {{"--jobs", "1025", "a.cif"}, "--jobs takes a whole number from 1 to 1024, not '1025'"},
      {{"--jobs=-1", "a.cif"}, "--jobs takes a whole number from 1 to 1024, not '-1'"},
      {{"--jobs", "2x", "a.cif"}, "--jobs takes a whole number from 1 to 1024, not '2x'"},
      {{"--jobs", " 2", "a.cif"}, "--jobs takes a whole number from 1 to 1024, not ' 2'"},
      {{"--jobs", "99999999999999999999", "a.cif"},
       "--jobs takes a whole number from 1 to 1024, not '99999999999999999999'"},
      {{"a.cif", "--jobs"}, "option '--jobs' needs a value"},
      {{"--out=", "a.cif"}, "option '--out' needs a value"},
      {{"a.cif", "--control"}, "option '--control' needs a value"},
      {{"-j", "2", "a.cif"}, "unknown option '-j'"},
      {{"--job=2", "a.cif"}, "unknown option '--job=2'"},
      {{"--bogus", "--help"}, "unknown option '--bogus'"},  // the first problem decides
  };
  for (const Case& c : cases) {
    const ParsedArguments parsed = parse(c.arguments);
    EXPECT_EQ(parsed.error, c.error) << (c.arguments.empty() ? "(none)" : c.arguments.front());
  }
}

TEST(BatchArguments, HelpAndVersionNeedNoPath) {
  struct Case {
    std::vector<const char*> arguments;
    BatchRequest request;
  } cases[] = {
      {{"--help"}, BatchRequest::Help},
      {{"--version"}, BatchRequest::Version},
      {{"a.cif", "--jobs", "3", "--help"}, BatchRequest::Help},
      {{"--version", "--bogus"}, BatchRequest::Version},
      {{"--", "--help"}, BatchRequest::Convert},  // a file named --help
  };
  for (const Case& c : cases) {
    const ParsedArguments parsed = parse(c.arguments);
    EXPECT_EQ(parsed.error, "") << c.arguments.back();
    EXPECT_EQ(parsed.request, c.request) << c.arguments.back();
  }
}

}  // namespace
}  // namespace cif2at
