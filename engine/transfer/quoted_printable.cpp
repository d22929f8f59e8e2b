#include "engine/transfer/quoted_printable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "engine/text/ascii.h"

namespace tekvo {

namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
constexpr std::size_t kLineLimit = 76;

// Removes every occurrence of `pattern` from `text` in one pass, in place.
void RemoveAll(Text& text, std::u16string_view pattern) {
  std::size_t w = 0;
  for (std::size_t r = 0; r < text.size();) {
    if (std::u16string_view(text).substr(r, pattern.size()) == pattern) {
      r += pattern.size();
    } else {
      text[w++] = text[r++];
    }
  }
  text.resize(w);
}

}  // namespace

void QpLineWriter::Add(std::string_view bytes, Text& out) {
  // Each byte's piece, written three units at a time (the buffer has room
  // for the overshoot) so the loop has no branch on the kind of byte.
  struct Piece {
    char16_t units[3];
    std::uint8_t length;
  };
  static const std::array<Piece, 256> kPieces = [] {
    std::array<Piece, 256> pieces{};
    for (int b = 0; b < 256; ++b) {
      if (b >= 32 && b <= 126 && b != '=') {
        pieces[b] = {{static_cast<char16_t>(b), 0, 0}, 1};
      } else {
        pieces[b] = {{u'=', kHexDigits[b >> 4], kHexDigits[b & 0xF]}, 3};
      }
    }
    return pieces;
  }();

  std::size_t w = out.size();
  out.resize(w + bytes.size() * 5 + 5);
  char16_t* const o = out.data();
  for (const char ch : bytes) {
    const Piece& piece = kPieces[static_cast<unsigned char>(ch)];
    line_ += piece.length;
    if (line_ >= kLineLimit) {
      o[w++] = u'=';
      o[w++] = u'\r';
      if (fold_break_ == FoldBreak::kCrLf) o[w++] = u'\n';
      line_ = piece.length;
    }
    o[w] = piece.units[0];
    o[w + 1] = piece.units[1];
    o[w + 2] = piece.units[2];
    w += piece.length;
  }
  out.resize(w);
}

Converted EncodeQuotedPrintable(const Text& text, ComposeBytes which, std::size_t max_len) {
  if (text.empty()) return {};
  if (text.size() > EncoderInputLimit(max_len, 10)) return {text, true};
  const std::optional<ByteString> bytes = ComposeTextBytes(WithCrLfBreaks(text), which);
  if (!bytes || bytes->empty()) return {text, false};
  Text out;
  QpLineWriter writer;
  writer.Add(*bytes, out);
  return {std::move(out), false};
}

Text DecodeQpOrUrl(const Text& text, LocaleId language, ByteEscapes escapes) {
  if (text.empty()) return text;
  Text s = text;
  char16_t esc;
  if (escapes == ByteEscapes::kUrl) {
    esc = u'%';
    std::replace(s.begin(), s.end(), u'+', u' ');
  } else {
    esc = u'=';
    RemoveAll(s, u"=\r\n");
    RemoveAll(s, u"= \r\n");
    RemoveAll(s, u"=\t\r\n");
  }
  const bool dbcs = IsLcid(language);
  const std::size_t n = s.size();

  // A run converts to at most one unit per byte for the code pages served
  // here, so the output is sized once by the input; it only grows should a
  // code page ever map one byte to two units.
  Text out;
  out.reserve(n);
  ByteString run;
  run.reserve(n / 2 + 1);

  std::size_t read = 0;
  std::size_t search = 0;
  while (read < n) {
    const std::size_t p = s.find(esc, search);
    if (p == Text::npos) {
      out.append(s, read, Text::npos);
      break;
    }
    out.append(s, read, p - read);

    run.clear();
    bool prev_lead = false;
    bool malformed = false;
    std::size_t q = p;
    while (q < n) {
      if (s[q] == esc) {
        const int hi = q + 1 < n ? HexDigitValue(s[q + 1]) : -1;
        const int lo = q + 2 < n ? HexDigitValue(s[q + 2]) : -1;
        if (hi < 0 || lo < 0) {
          malformed = true;
          break;
        }
        const auto b = static_cast<unsigned char>(hi * 16 + lo);
        run.push_back(static_cast<char>(b));
        prev_lead = dbcs && b >= 0x81 && b <= 0xFE && !prev_lead;
        q += 3;
      } else if (prev_lead && s[q] >= u'!' && s[q] <= u'~') {
        run.push_back(static_cast<char>(s[q]));
        prev_lead = false;
        ++q;
      } else {
        break;
      }
    }
    if (!run.empty()) {
      const std::optional<Text> decoded = LanguageBytesToText(run, language);
      if (!decoded) return text;
      out.append(*decoded);
    }
    read = q;
    search = malformed ? q + 1 : q;
  }
  return out;
}

}  // namespace tekvo
