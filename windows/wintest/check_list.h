// The test host's record of its checks: each one named, failures with what was
// expected and what was found, printed as they happen.
#pragma once

#include <cstdio>
#include <string>

namespace wintest {

class CheckList {
 public:
  // Records one check; true when it held.
  bool expect(bool held, const std::string& name, const std::string& detail = "") {
    ++count_;
    if (held) {
      std::printf("ok   %s\n", name.c_str());
    } else {
      ++failures_;
      std::printf("FAIL %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
    }
    std::fflush(stdout);
    return held;
  }
  bool expectText(const std::string& found, const std::string& expected, const std::string& name) {
    return expect(found == expected, name, "expected " + Shown(expected) + ", found " + Shown(found));
  }
  int failures() const { return failures_; }
  int count() const { return count_; }

  // A text with its control characters visible.
  static std::string Shown(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
      if (c == '\t')
        out += "\\t";
      else if (c == '\r')
        out += "\\r";
      else if (c == '\n')
        out += "\\n";
      else
        out += c;
    }
    return out + "\"";
  }

 private:
  int count_ = 0;
  int failures_ = 0;
};

}  // namespace wintest
