#include "cli/stream/escape_cuts.h"

#include <string>

#include "engine/text/utf8_cut.h"
#include "engine/text/utf8_sequence.h"

namespace tekvo::cli {
namespace {

// "&#x10FFFF;" and "&thetasym;" with the ";" that follows them; the tags,
// "\u4E2D" and "%u4E2D" are shorter.
constexpr std::size_t kLongestEscape = 10;

// A byte every rule may trust to be one character of the decoded text.
bool IsPlainAscii(unsigned char c) { return c != 0 && c < 0x80; }

bool IsHexDigit(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int HexDigitValue(unsigned char c) {
  if (c <= '9') return c - '0';
  return (c | 0x20) - 'a' + 10;
}

// The byte of the URL escape "%XY" that ends right before `end`, or -1. A
// "%" is never a digit nor a trail, so the decoder reads every "%" it meets
// as the start of an escape: "%XY" is one wherever it stands.
int EscapedByteBefore(std::string_view bytes, std::size_t end) {
  if (end < 3 || bytes[end - 3] != '%') return -1;
  const auto hi = static_cast<unsigned char>(bytes[end - 2]);
  const auto lo = static_cast<unsigned char>(bytes[end - 1]);
  if (!IsHexDigit(hi) || !IsHexDigit(lo)) return -1;
  return HexDigitValue(hi) * 16 + HexDigitValue(lo);
}

// Whether the run of escapes that ends right before `end` may be split
// there for UTF-8: IsUtf8CutPoint reads four bytes before a cut at most, and
// finds one in the last bytes of a run only where the whole run has one.
bool UrlRunEndsAtUtf8Cut(std::string_view bytes, std::size_t end) {
  constexpr std::size_t kLookedAt = 4;
  std::string run;
  for (int b; run.size() < kLookedAt && (b = EscapedByteBefore(bytes, end)) >= 0; end -= 3) {
    run.insert(run.begin(), static_cast<char>(b));
  }
  // IsUtf8CutPoint wants a byte after the cut; any will do.
  run.push_back('A');
  return IsUtf8CutPoint(run, run.size() - 1);
}

}  // namespace

bool NumericEscapeCutPoint(std::string_view bytes, std::size_t p, EscapeFamily family) {
  const char opener = family == EscapeFamily::kHtml        ? '&'
                      : family == EscapeFamily::kBackslash ? '\\'
                                                           : '%';
  // An escape ends before the next one begins, and nothing after it
  // changes how it reads; no entity name holds "<" either, nor a break tag
  // past its start. An escape, an entity name and a break tag are ASCII, so
  // a character past ASCII ends them too; it must be well-formed, as an
  // overlong sequence reads as ASCII.
  const bool html = family == EscapeFamily::kHtml;
  if (bytes[p] == opener || (html && bytes[p] == '<') || Utf8SequenceAt(bytes, p) >= 2) {
    return true;
  }
  // An escape that reaches past the cut starts at most this far before it.
  const std::size_t reach = kLongestEscape - 1;
  const std::size_t from = p > reach ? p - reach : 0;
  for (std::size_t i = from; i < p; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (!IsPlainAscii(c) || c == opener || (html && c == '<')) {
      return false;
    }
  }
  return true;
}

bool UrlCutPoint(std::string_view bytes, std::size_t p, bool double_byte) {
  // A character past ASCII is neither "%", a digit nor a trail: it ends
  // every escape and run before it.
  if (Utf8SequenceAt(bytes, p) >= 2) return true;
  // Bytes before the piece count as plain: each piece is decoded afresh,
  // and the cut that began it left no escape open and any run at rest.
  auto at = [&](std::size_t back) {
    return back <= p ? static_cast<unsigned char>(bytes[p - back])
                     : static_cast<unsigned char>('x');
  };
  for (std::size_t back = 0; back <= 4; ++back) {
    if (!IsPlainAscii(at(back))) return false;
  }
  // An escape begun before the cut that would read its digits after it.
  if (at(1) == '%' && IsHexDigit(at(0))) return false;
  if (at(2) == '%' && IsHexDigit(at(1)) && IsHexDigit(at(0))) return false;
  const int escaped = EscapedByteBefore(bytes, p);
  if (!double_byte) return at(0) != '%' || escaped < 0 || UrlRunEndsAtUtf8Cut(bytes, p);
  const bool lead = escaped >= 0x81 && escaped <= 0xFE;
  if (at(0) != '%') return !lead || at(0) < '!' || at(0) > '~';
  // The run goes on. No page has a lead byte below 0x80: its decoder and
  // the pairing of lead and trail rest after one, escaped or a trail left
  // plain ("%B5A%C4").
  return escaped < 0x80;
}

std::size_t UrlRunCuts::operator()(std::string_view bytes) {
  // An escape and a four-byte sequence are looked at whole: the last bytes
  // wait for the next call.
  constexpr std::size_t kLookAhead = 3;
  std::size_t cut = 0;
  while (scanned_ + kLookAhead < bytes.size()) {
    const std::size_t p = scanned_;
    const bool run_rests = run_ == Run::kOpen && at_rest_;
    if (p > 0 && IsUtf8CutPoint(bytes, p) && (run_rests || UrlCutPoint(bytes, p, true))) cut = p;
    Step(bytes);
  }
  scanned_ -= cut;
  return cut;
}

void UrlRunCuts::Step(std::string_view bytes) {
  const auto c = static_cast<unsigned char>(bytes[scanned_]);
  const std::size_t n = c < 0x80 ? std::size_t{c != 0} : Utf8SequenceAt(bytes, scanned_);
  if (n == 0) {
    run_ = Run::kUnsure;
    plain_after_unsure_ = 0;
    ++scanned_;
    return;
  }
  if (n > 1) {
    // Neither "%", a digit nor a trail: it ends every escape and run.
    run_ = Run::kNone;
    scanned_ += n;
    return;
  }
  if (run_ == Run::kUnsure) {
    // Two digits, a trail and a byte more end whatever a "%" began.
    constexpr std::size_t kRunSurelyEnded = 4;
    plain_after_unsure_ = c == '%' ? 0 : plain_after_unsure_ + 1;
    if (plain_after_unsure_ == kRunSurelyEnded) run_ = Run::kNone;
    ++scanned_;
    return;
  }
  if (c == '%') {
    // A "%" that a U+0000 or a malformed sequence keeps from its digits
    // ends the run here; the odd byte makes the run unsure when its turn
    // comes.
    const int b = EscapedByteBefore(bytes, scanned_ + 3);
    if (b < 0) {
      run_ = Run::kNone;
    } else {
      if (run_ == Run::kNone) {
        run_ = Run::kOpen;
        lead_pending_ = false;
        at_rest_ = true;
      }
      AddRunByte(static_cast<unsigned char>(b));
      scanned_ += 2;
    }
  } else if (run_ == Run::kOpen && lead_pending_ && c >= '!' && c <= '~') {
    AddRunByte(c);
  } else {
    run_ = Run::kNone;
  }
  ++scanned_;
}

void UrlRunCuts::AddRunByte(unsigned char b) {
  // No page has a lead byte below 0x80: its decoder rests after one.
  if (lead_pending_) {
    const char pair[] = {static_cast<char>(lead_), static_cast<char>(b)};
    at_rest_ = b < 0x80 || (rest_before_lead_ && Rests(std::string_view(pair, 2)));
    lead_pending_ = false;
  } else if (b >= 0x81 && b <= 0xFE) {
    lead_ = b;
    rest_before_lead_ = at_rest_;
    lead_pending_ = true;
    at_rest_ = false;
  } else {
    const char single = static_cast<char>(b);
    at_rest_ = b < 0x80 || (at_rest_ && Rests(std::string_view(&single, 1)));
  }
}

bool UrlRunCuts::Rests(std::string_view bytes) const {
  return CodePageRestPoint(bytes, page_) == bytes.size();
}

std::size_t Iso2022Cuts::operator()(std::string_view bytes) {
  constexpr std::size_t kLookAhead = 3;  // the longest designator, "$)A"
  constexpr unsigned char kEsc = 0x1B;
  constexpr unsigned char kShiftOut = 0x0E;
  constexpr unsigned char kShiftIn = 0x0F;
  const bool japanese = kind_ == Iso2022Kind::kJapanese;
  std::size_t cut = 0;
  // An escape is looked at whole: the last bytes wait for the next call.
  for (; !stuck_ && scanned_ + kLookAhead < bytes.size(); ++scanned_) {
    const std::string_view rest = bytes.substr(scanned_);
    // A designation after the cut sets the converter as the line's
    // designations before it would have left it.
    if (scanned_ > 0 && !shifted_ && in_ascii_ && (!line_designated_ || IsDesignator(rest)) &&
        IsUtf8CutPoint(bytes, scanned_) && ClearOfEscapes(bytes, scanned_)) {
      cut = scanned_;
    }
    const auto c = static_cast<unsigned char>(bytes[scanned_]);
    // A U+0000 (dropped, so that what it separates may join into "$B") and
    // malformed UTF-8 (which may read as "$" or "B") count as a designation
    // away from ASCII.
    if (c == 0 || c >= 0x80) {
      const std::size_t n = c == 0 ? 0 : Utf8SequenceAt(bytes, scanned_);
      if (n == 0 && japanese) in_ascii_ = false;
      if (n == 0 && !japanese) line_designated_ = true;
      if (n > 0) scanned_ += n - 1;
    } else if (c == kEsc && japanese && rest.size() > 1 && (rest[1] == '(' || rest[1] == '$')) {
      // Another set for G0 (JIS X 0201 Roman, JIS X 0212...): only "(B"
      // brings ASCII back.
      in_ascii_ = false;
    } else if (c == kEsc && !IsDesignator(rest.substr(1))) {
      // Any escape but the designations ends the cutting.
      stuck_ = true;
    } else if (c == kShiftOut || c == kShiftIn) {
      shifted_ = c == kShiftOut;
    } else if (japanese && (rest.starts_with("$B") || rest.starts_with("(B"))) {
      in_ascii_ = rest[0] == '(';
    } else if (!japanese && IsDesignator(rest)) {
      // The set stays designated to the line's end, for a shift out after
      // the cut to find.
      line_designated_ = true;
    } else if (c == '\n' && !shifted_) {
      // A line feed read as half of a double-byte character after a shift
      // out ends nothing.
      line_designated_ = false;
      if (in_ascii_) cut = scanned_ + 1;
    }
  }
  scanned_ -= cut;
  return cut;
}

bool Iso2022Cuts::IsDesignator(std::string_view s) const {
  switch (kind_) {
    case Iso2022Kind::kChinese:
      return s.starts_with("$)A") || s.starts_with("$)G");
    case Iso2022Kind::kJapanese:
      return s.starts_with("(B") || s.starts_with("$B");
    case Iso2022Kind::kKorean:
      return s.starts_with("$)C");
  }
  return false;
}

bool Iso2022Cuts::ClearOfEscapes(std::string_view bytes, std::size_t p) {
  // The scan would split a designator, or its ESC from it.
  const char c = bytes[p - 1];
  return c != '\x1b' && c != '$' && c != '(' && c != ')';
}

}  // namespace tekvo::cli
