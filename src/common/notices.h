// How a job tells its host what happened. No job shows anything itself: each host turns
// a notice into what its user sees (a message, a line of output, an entry of a vector).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/problem.h"

namespace sorvane {

enum class NoticeKind {
  Information,  // the jobs' own notices ("JOB END", ...) and reports that need no action
  Warning,      // an input was processed, but not all of it was used as it may look
  Refusal,      // an input was not processed; the text names the file, line and field
  ProgramEnd,   // shown, then the program ends
};

struct Notice {
  NoticeKind kind = NoticeKind::Information;
  std::string text;
  bool operator==(const Notice&) const = default;
};

class Notices {
 public:
  virtual ~Notices() = default;
  virtual void Show(const Notice& notice) = 0;
  // Called before each file of a run, for a host that shows how far a run has come.
  virtual void Progress(std::size_t fileIndex, std::size_t fileCount, std::string_view fileName) {
    (void)fileIndex, (void)fileCount, (void)fileName;
  }
  // Called once as a run closes, before its closing notice, with what the run came to:
  // a host that shows progress keeps it in view behind that notice.
  virtual void Summarise(std::string_view summary) { (void)summary; }
};

// Keeps every notice, in order: for tests, and for files processed on other threads
// whose notices are shown later in list order.
class CollectedNotices : public Notices {
 public:
  void Show(const Notice& notice) override { shown.push_back(notice); }
  std::vector<Notice> shown;
};

// A field's text as a refusal quotes it: 'text', cut after 40 bytes ("...'" then),
// every byte that is no printable ASCII shown as '?' (it would garble what shows it).
std::string QuotedField(std::string_view text);

// "field 2 (latitude) 'abc' is not a number": the field's place in its row from 1, its
// head, and its text as read.
std::string NotANumber(std::size_t fieldNumber, std::string_view head, std::string_view text);

// A UserNotice text: ten spaces, the message, then `trailingSpaces` spaces.
std::string PaddedNotice(std::string_view message, int trailingSpaces);

// "file:line: what" for a refusal; line 0 leaves the line out.
std::string Located(std::string_view file, long line, std::string_view what);
// The same for a problem of the file shown as `file`.
inline std::string Located(std::string_view file, const Problem& problem) {
  return Located(file, problem.line, problem.message);
}
// The same for a problem that names its own file; one that names none is its reason alone.
inline std::string Located(const Problem& problem) {
  return problem.file.empty() ? Reason(problem) : Located(problem.file, problem);
}

inline Notice Information(std::string text) { return {NoticeKind::Information, std::move(text)}; }
inline Notice Refusal(std::string text) { return {NoticeKind::Refusal, std::move(text)}; }
inline Notice Warning(std::string text) { return {NoticeKind::Warning, std::move(text)}; }

// Passes every notice on except warnings, which it keeps to be shown together, one
// per line, in a single notice: the warnings of a whole run shown together instead of
// one per file.
class GatheredWarnings : public Notices {
 public:
  explicit GatheredWarnings(Notices& next) : next_(next) {}
  void Show(const Notice& notice) override {
    if (notice.kind != NoticeKind::Warning) return next_.Show(notice);
    gathered_ += (gathered_.empty() ? "" : "\n") + notice.text;
  }
  void Progress(std::size_t fileIndex, std::size_t fileCount, std::string_view fileName) override {
    next_.Progress(fileIndex, fileCount, fileName);
  }
  void Summarise(std::string_view summary) override { next_.Summarise(summary); }
  // Shows the warnings gathered so far, if any, as one notice.
  void ShowGathered() {
    if (!gathered_.empty()) next_.Show(Warning(std::move(gathered_)));
    gathered_.clear();
  }

 private:
  Notices& next_;
  std::string gathered_;
};

}  // namespace sorvane
