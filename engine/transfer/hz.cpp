#include "engine/transfer/hz.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

#include "engine/codepage/codepage.h"
#include "engine/codepage/windows_ids.h"
#include "engine/transfer/transfer_bytes.h"

namespace tekvo {

namespace {

// Code page 936 seen through pairs of bytes 0x80-0xFF, which is all that a
// pair of 7-bit characters with their high bits set can reach. Built once:
// going through the bridge per character would cost a converter call each.
struct GbPairs {
  // What each pair decodes to (one unit, or two when the pair is not one
  // character), indexed by (lead - 0x80) * 128 + (trail - 0x80).
  std::array<std::array<char16_t, 2>, 128 * 128> decoded{};
  std::array<std::uint8_t, 128 * 128> decoded_length{};
  // The GB2312 code (both bytes 0xA1 or more) of each BMP unit, 0 for none.
  // Only codes that decode back to the unit are kept, so a character the page
  // would merely approximate stays itself.
  std::array<std::uint16_t, 65536> code{};
};

const GbPairs& Pairs() {
  static const std::unique_ptr<GbPairs> pairs = [] {
    auto p = std::make_unique<GbPairs>();
    ByteString two(2, '\0');
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
      for (unsigned trail = 0x80; trail <= 0xFF; ++trail) {
        two[0] = static_cast<char>(lead);
        two[1] = static_cast<char>(trail);
        const Text t = CodePageBytesToText(two, kCpGbk);
        const std::size_t i = (lead - 0x80) * 128 + (trail - 0x80);
        const std::size_t n = t.size() < 2 ? t.size() : 2;
        for (std::size_t k = 0; k < n; ++k) p->decoded[i][k] = t[k];
        p->decoded_length[i] = static_cast<std::uint8_t>(n);
        // 0xFEFD would be written "~}", which closes GB mode instead.
        if (lead >= 0xA1 && trail >= 0xA1 && !(lead == 0xFE && trail == 0xFD) && t.size() == 1 &&
            t[0] != 0xFFFD && p->code[t[0]] == 0) {
          p->code[t[0]] = static_cast<std::uint16_t>(lead << 8 | trail);
        }
      }
    }
    return p;
  }();
  return *pairs;
}

// The length of a line continuation at s[r] ("~" + CR LF, "~ " + CR LF or
// "~" + tab + CR LF), or 0.
std::size_t ContinuationAt(std::u16string_view s, std::size_t r) {
  for (std::u16string_view form : {u"~\r\n", u"~ \r\n", u"~\t\r\n"}) {
    if (s.substr(r, form.size()) == form) return form.size();
  }
  return 0;
}

}  // namespace

void HzWriter::Add(std::u16string_view piece, bool last, Text& out) {
  const GbPairs& gb = Pairs();
  std::size_t w = out.size();
  out.resize(w + piece.size() * 4 + 2);
  for (const char16_t c : piece) {
    const std::uint16_t code = gb.code[c];
    if (code != 0) {
      if (!gb_mode_) {
        out[w++] = u'~';
        out[w++] = u'{';
        gb_mode_ = true;
      }
      out[w++] = static_cast<char16_t>((code >> 8) & 0x7F);
      out[w++] = static_cast<char16_t>(code & 0x7F);
    } else {
      if (gb_mode_) {
        out[w++] = u'~';
        out[w++] = u'}';
        gb_mode_ = false;
      }
      out[w++] = c;
      if (c == u'~') out[w++] = u'~';
    }
  }
  if (last && gb_mode_) {
    out[w++] = u'~';
    out[w++] = u'}';
    gb_mode_ = false;
  }
  out.resize(w);
}

Converted EncodeHz(const Text& text, std::size_t max_len) {
  if (text.empty()) return {};
  if (text.size() > EncoderInputLimit(max_len, 5)) return {text, true};
  Text out;
  HzWriter writer;
  writer.Add(text, true, out);
  return {std::move(out), false};
}

namespace {

// Where DecodeHz's scan stands between two stretches of text.
struct HzScanState {
  bool gb_mode = false;
  int first = -1;  // GB mode: the first byte of a pair
};

// The longest line continuation ("~\t\r\n") a "~" may begin.
constexpr std::size_t kLongestContinuation = 4;

// DecodeHz's scan, writing over `s` in place from `state` on. With `final`
// false the scan stops at a "~" that starts an escape or a pair fewer than
// kLongestContinuation units before the end, since what follows decides
// what it is; returns where it stopped (the size when it did not). Returns
// the number of units written through `written`.
std::size_t DecodeHzInPlace(Text& s, HzScanState& state, bool final, std::size_t& written) {
  const GbPairs& gb = Pairs();
  const auto undecided = [&](std::size_t r) {
    return !final && s.size() - r < kLongestContinuation;
  };

  // Line continuations are recognised where a "~" starts an escape or a pair,
  // never inside "~~": a text ending a line with a tilde is written "~~" + CR
  // LF and must keep its line break.
  std::size_t w = 0;
  bool& gb_mode = state.gb_mode;
  int& first = state.first;
  std::size_t r = 0;
  for (; r < s.size(); ++r) {
    const char16_t c = s[r];
    if (!gb_mode) {
      if (c != u'~') {
        s[w++] = c;
      } else if (undecided(r)) {
        break;
      } else if (const std::size_t n = ContinuationAt(s, r); n != 0) {
        r += n - 1;
      } else if (r + 1 < s.size()) {
        const char16_t next = s[++r];
        if (next == u'{') {
          gb_mode = true;
        } else if (next == u'~') {
          s[w++] = u'~';
        } else {
          s[w++] = u'~';
          s[w++] = next;
        }
      }
      continue;
    }
    // Only 7-bit characters are bytes here; anything else (which a code page
    // lookup would have turned into "?") ends GB mode and is kept.
    if (c >= 0x80 || c == u'\r') {
      gb_mode = false;
      first = -1;
      s[w++] = c;
    } else if (first == u'~' && c == u'}') {
      gb_mode = false;
      first = -1;
    } else if (first >= 0) {
      const std::size_t i = static_cast<std::size_t>(first) * 128 + c;
      for (std::size_t k = 0; k < gb.decoded_length[i]; ++k) s[w++] = gb.decoded[i][k];
      first = -1;
    } else if (c == u'~' && undecided(r)) {
      break;
    } else if (const std::size_t n = c == u'~' ? ContinuationAt(s, r) : 0; n != 0) {
      r += n - 1;
    } else {
      first = c;
    }
  }
  written = w;
  return r;
}

}  // namespace

Text DecodeHz(const Text& text) {
  if (text.empty()) return text;
  Text s = text;
  HzScanState state;
  std::size_t written = 0;
  DecodeHzInPlace(s, state, true, written);
  s.resize(written);
  return s;
}

void HzReader::Add(std::u16string_view piece, bool last, Text& out) {
  Text s = std::move(held_);
  s.append(piece);
  HzScanState state{gb_mode_, first_};
  std::size_t written = 0;
  const std::size_t stop = DecodeHzInPlace(s, state, last, written);
  gb_mode_ = state.gb_mode;
  first_ = state.first;
  held_.assign(s, stop, Text::npos);
  out.append(s, 0, written);
}

}  // namespace tekvo
