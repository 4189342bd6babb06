#include "batch/progress.hpp"

#include <cmath>

namespace cif2at {

namespace {

// "m:ss", or "h:mm:ss" from an hour on.
std::string clock_text(double seconds) {
  const auto whole = static_cast<long long>(std::ceil(seconds));
  char text[32];
  if (whole >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
  }
  return text;
}

}  // namespace

std::string progress_line(const BatchProgress& progress, std::chrono::duration<double> elapsed) {
  const int width = std::snprintf(nullptr, 0, "%zu", progress.total);
  char text[128];
  std::snprintf(text, sizeof text, "%*zu/%zu done, %zu failed", width, progress.done, progress.total,
                progress.failed);
  std::string line = text;
  if (progress.done > 0 && elapsed.count() > 0) {
    const double rate = static_cast<double>(progress.done) / elapsed.count();
    const double left = static_cast<double>(progress.total - progress.done) / rate;
    std::snprintf(text, sizeof text, ", %.0f files/s, %s left", rate, clock_text(left).c_str());
    line += text;
  }
  return line;
}

ProgressDisplay::ProgressDisplay(std::FILE* stream, bool enabled)
    : stream_(stream), enabled_(enabled), start_(Clock::now()) {}

void ProgressDisplay::update(const BatchProgress& progress) {
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  if (last_drawn_ && now - *last_drawn_ < kRedrawInterval) return;
  last_drawn_ = now;
  shown_ = true;
  // Carriage return, the line, then erase to the end of the line: in place of the old one.
  std::fprintf(stream_, "\r%s\033[K", progress_line(progress, now - start_).c_str());
  std::fflush(stream_);
}

void ProgressDisplay::clear() {
  if (!shown_) return;
  shown_ = false;
  std::fputs("\r\033[K", stream_);
  std::fflush(stream_);
}

}  // namespace cif2at
