#include "batch/batch_arguments.hpp"

#include <charconv>
#include <string_view>

namespace cif2at {

namespace {

std::optional<unsigned> job_count(std::string_view text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < 1 || value > kMaxJobs) return std::nullopt;
  return value;
}

}  // namespace

ParsedArguments parse_arguments(std::span<const char* const> arguments) {
  ParsedArguments parsed;
  auto fail = [&parsed](std::string message) {
    parsed.error = std::move(message);
    return parsed;
  };
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (options_ended || argument == "-" || !argument.starts_with('-')) {
      parsed.options.paths.emplace_back(argument);
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    if (argument == "--help" || argument == "--version") {
      parsed.request = argument == "--help" ? BatchRequest::Help : BatchRequest::Version;
      return parsed;
    }
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    if (name != "--jobs" && name != "--control" && name != "--out") {
      return fail("unknown option '" + std::string(argument) + "'");
    }
    std::string_view value;
    if (equals != std::string_view::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    }
    if (value.empty()) return fail("option '" + std::string(name) + "' needs a value");
    if (name == "--jobs") {
      const std::optional<unsigned> jobs = job_count(value);
      if (!jobs) {
        return fail("--jobs takes a whole number from 1 to " + std::to_string(kMaxJobs) + ", not '" +
                    std::string(value) + "'");
      }
      parsed.options.jobs = *jobs;
    } else {
      (name == "--control" ? parsed.options.control : parsed.options.out_dir) = std::string(value);
    }
  }
  if (parsed.options.paths.empty()) return fail("no PATH given");
  return parsed;
}

}  // namespace cif2at
