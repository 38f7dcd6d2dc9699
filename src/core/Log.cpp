#include "core/Log.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

std::string formatted(const char* format, va_list args) {
  va_list measure;
  va_copy(measure, args);
  int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, args);
  text.pop_back();
  return text;
}

}  // namespace

// Written in one piece, so lines from two threads or processes never interleave.
void logLine(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string line = "Stompalong: " + formatted(format, args) + "\n";
  va_end(args);
  std::fputs(line.c_str(), stderr);
}

// Flushed at once: a pipe or a log file sees each fragment as it happens.
void logTrace(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stdout, format, args);
  va_end(args);
  std::fflush(stdout);
}
