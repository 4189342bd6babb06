#include "batch/batch_inputs.hpp"

#include <algorithm>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "cif/cif_reader.hpp"
#include "cif2at/failure.hpp"

namespace cif2at {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCifEnding = ".cif";
constexpr std::string_view kOutputEnding = ".at.dat";

bool has_cif_ending(std::string_view name) {
  return name.size() >= kCifEnding.size() && iequals(name.substr(name.size() - kCifEnding.size()), kCifEnding);
}

[[noreturn]] void refuse(const fs::path& path, const char* what, const std::error_code& error) {
  throw Failure(FailureKind::FileFailure, path.string(), 0, std::string(what) + ": " + error.message());
}

void search_directory(const fs::path& directory, std::vector<fs::path>& found) {
  struct Entry {
    std::string name;
    fs::directory_entry entry;
  };
  std::error_code error;
  std::vector<Entry> entries;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    entries.push_back({it->path().filename().string(), *it});
  }
  if (error) refuse(directory, "cannot read directory", error);
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
  for (const auto& [name, entry] : entries) {
    if (entry.is_directory(error) && !entry.is_symlink(error)) {
      search_directory(entry.path(), found);
    } else if (entry.is_regular_file(error) && has_cif_ending(name)) {
      found.push_back(entry.path());
    }
  }
}

// Where a file stands, for comparing: its directory resolved, its own name
// not, since a rename replaces a link by that name rather than what it points
// to. Directories are resolved once each: most files share a few of them.
// Places are kept as strings: comparing paths element by element would cost
// more than all the rest of the planning.
class Places {
 public:
  std::string of(const fs::path& path) {
    const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
    auto found = resolved_.find(parent.native());
    if (found == resolved_.end()) {
      std::error_code error;
      const fs::path resolved = fs::canonical(parent, error);
      if (error) refuse(parent, "cannot open", error);
      found = resolved_.emplace(parent.native(), resolved.native() + "/").first;
    }
    return found->second + path.filename().native();
  }

 private:
  std::unordered_map<std::string, std::string> resolved_;  // directory as named: resolved, with a final "/"
};

}  // namespace

std::vector<fs::path> collect_inputs(std::span<const std::string> paths) {
  std::vector<fs::path> inputs;
  for (const std::string& text : paths) {
    const fs::path path(text);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) refuse(path, "cannot open", error);
    if (fs::is_directory(status)) {
      search_directory(path, inputs);
    } else if (fs::is_regular_file(status)) {
      inputs.push_back(path);
    } else {
      // A device or a pipe might never end, or end only once: no input for a batch.
      throw Failure(FailureKind::FileFailure, path.string(), 0, "not a regular file or a directory");
    }
  }
  return inputs;
}

std::string output_name(const fs::path& input) {
  std::string name = input.filename().string();
  if (has_cif_ending(name)) name.resize(name.size() - kCifEnding.size());
  return name + std::string(kOutputEnding);
}

std::vector<BatchJob> plan_jobs(const std::vector<fs::path>& inputs, const std::optional<fs::path>& out_dir) {
  if (out_dir) {
    std::error_code error;
    const bool directory = fs::is_directory(*out_dir, error);
    if (error) refuse(*out_dir, "cannot open", error);
    if (!directory) throw Failure(FailureKind::FileFailure, out_dir->string(), 0, "not a directory");
  }
  Places places;
  std::unordered_set<std::string> input_places;
  for (const fs::path& input : inputs) input_places.insert(places.of(input));

  std::vector<BatchJob> jobs;
  std::unordered_map<std::string, std::size_t> output_places;  // the input that writes each, by its index
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const fs::path& input = inputs[i];
    BatchJob job{input, (out_dir ? *out_dir : input.parent_path()) / output_name(input)};
    const std::string place = places.of(job.output);
    if (const auto clash = output_places.find(place); clash != output_places.end()) {
      throw Failure(FailureKind::BadValue, job.output.string(), 0,
                    "would be written for both " + inputs[clash->second].string() + " and " + input.string());
    }
    if (input_places.contains(place)) {
      throw Failure(FailureKind::BadValue, job.output.string(), 0,
                    "is an input, and would be replaced by the output of " + input.string());
    }
    output_places.emplace(place, i);
    jobs.push_back(std::move(job));
  }
  return jobs;
}

}  // namespace cif2at
