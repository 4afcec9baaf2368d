#pragma once
// No C++ exception may leave the module: not out of an export, a host interface operation or a
// callback into the host. GuardBoundary runs an operation, and when it raises, reports the error
// to the user through the module's message box and answers the operation's failure value.
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qv {

// The error of a list read or changed at an index outside it.
class ListIndexError : public std::out_of_range {
 public:
  explicit ListIndexError(int64_t index)
      : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")") {}
};

// Tells the user that `operation` failed with `what`; never raises.
void ReportBoundaryError(std::string_view operation, std::string_view what) noexcept;

template <class Result, class Fn>
Result GuardBoundary(std::string_view operation, Result failure, Fn&& fn) noexcept {
  try {
    return fn();
  } catch (const std::exception& e) {
    ReportBoundaryError(operation, e.what());
  } catch (...) {
    ReportBoundaryError(operation, "unknown error");
  }
  return failure;
}

template <class Fn>
void GuardBoundary(std::string_view operation, Fn&& fn) noexcept {
  try {
    fn();
  } catch (const std::exception& e) {
    ReportBoundaryError(operation, e.what());
  } catch (...) {
    ReportBoundaryError(operation, "unknown error");
  }
}

}  // namespace qv
