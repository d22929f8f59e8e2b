#include "cli/stream/transfer_streams.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <variant>

#include "cli/stream/escape_cuts.h"
#include "cli/stream/input_scan.h"
#include "engine/codepage/codepage.h"
#include "engine/codepage/windows_ids.h"
#include "engine/text/utf8_cut.h"
#include "engine/text/utf8_sequence.h"
#include "engine/transfer/char_refs.h"
#include "engine/transfer/hz.h"
#include "engine/transfer/iso2022.h"
#include "engine/transfer/quoted_printable.h"
#include "engine/transfer/utf7.h"

namespace tekvo::cli {
namespace {

bool Anywhere(std::string_view, std::size_t) { return true; }

// A coder whose state (a run of Base64, GB mode) may go on from one piece
// into the next over any length, the UTF-7 and HZ readers and writers: it
// may cut anywhere and takes the pieces in order.
template <typename Coder>
PieceRules InOrderRules(PieceRules rules) {
  rules.cut = Anywhere;
  rules.convert = [](const Text& piece, std::size_t, bool) { return piece; };
  rules.in_order = [coder = std::make_shared<Coder>()](Text piece, bool last) {
    Text out;
    coder->Add(piece, last, out);
    return out;
  };
  return rules;
}

// Whether the character before `p` stands for itself, whatever comes after
// it: a well-formed character past ASCII, or printable ASCII other than "="
// after two more such. No soft break removes it, no escape can take it in
// as a digit (one takes the two characters after an "=", and none of the
// three is one or can be removed to bring one nearer), and it ends the
// character its bytes are read in: after an escaped lead byte it is the
// trail, and none of the pages reads ASCII as a lead byte.
bool QpLiteralBefore(std::string_view bytes, std::size_t p) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (p == 0) return false;
  if (at(p - 1) >= 0x80) {
    std::size_t start = p - 1;
    while (start > 0 && p - start < 4 && (at(start) & 0xC0) == 0x80) --start;
    const std::size_t length = Utf8SequenceAt(bytes, start);
    return length >= 2 && start + length == p;
  }
  const auto plain = [](unsigned char c) { return c >= '!' && c <= '~' && c != '='; };
  return p >= 3 && plain(at(p - 1)) && plain(at(p - 2)) && plain(at(p - 3));
}

// Whether quoted-printable may be cut before `p`: right after a line break
// that no soft break ("=", "= " or "=\t" before CR LF) can take in, even once
// another soft break before it is gone. The character before the break must
// then be one that no soft break holds, and no run of escaped bytes crosses
// a line break. That character must be plain ASCII: the decoding drops NULs,
// and may drop bytes above 0x7F, which would bring the one before nearer.
bool QpCutPoint(std::string_view bytes, std::size_t p) {
  if (QpLiteralBefore(bytes, p)) return true;
  if (p < 2 || bytes[p - 1] != '\n') return false;
  const bool crlf = bytes[p - 2] == '\r';
  if (crlf && p < 3) return false;
  const auto before = static_cast<unsigned char>(bytes[crlf ? p - 3 : p - 2]);
  if (before == 0 || before >= 0x80 || before == '\r' || before == '\n') return false;
  return !crlf || (before != '=' && before != ' ' && before != '\t');
}

// Cuts a Base64 input between whole four-character groups where the decoded
// bytes may be cut too: where IsUtf8CutPoint allows for UTF-8; for an ANSI
// code page after a byte below 0x40 (never part of a double-byte
// character), else, when a read brought none, at one of the last group ends
// where the page's decoder holds nothing back (CodePageRestPoint). Keeps
// what it learnt of the buffer from one call to the next, since
// StreamCommand only ever appends to the buffer or drops the part before the
// cut it was given.
//
// ASCII bytes are characters of their own. Bytes past ASCII are read as the
// lenient UTF-8 decoder reads them, which may give letters (C1 81 is "A") or
// nothing (a lead byte before ASCII), since the survey found every character
// of the text to be Base64.
class Base64Cuts {
 public:
  Base64Cuts(LocaleId language, Base64Alphabet alphabet)
      : alphabet_(alphabet),
        page_(language == kIdUtf8 ? kCpAnsi : LocaleCodePage(language).value_or(kCpAnsi)) {}

  std::size_t operator()(std::string_view bytes) {
    if (at_input_start_) {
      if (bytes.size() < 4) return 0;
      if (bytes.starts_with("\xEF\xBB\xBF")) scanned_ = 3;
      at_input_start_ = false;
    }
    // The last byte is left for the next call: a cut must come before it.
    while (scanned_ + 1 < bytes.size()) {
      const auto c = static_cast<unsigned char>(bytes[scanned_]);
      if (c < 0x80) {
        ++scanned_;
        AddChar(c, true);
        continue;
      }
      // Bytes past ASCII are read as the decoder reads them, from here to
      // the next place UTF-8 may be cut, and a group may end only there.
      std::size_t end = scanned_ + 1;
      while (end < bytes.size() && !IsUtf8CutPoint(bytes, end)) ++end;
      if (end == bytes.size()) break;
      const Text units = Utf8BytesToText(ByteString(bytes.substr(scanned_, end - scanned_)));
      scanned_ = end;
      for (std::size_t i = 0; i < units.size(); ++i) AddChar(units[i], i + 1 == units.size());
    }
    if (last_.input == 0 && page_ != kCpAnsi) FindRestingGroupEnd();
    const GroupEnd cut = last_;
    scanned_ -= cut.input;
    decoded_.erase(0, cut.decoded);
    for (GroupEnd& end : ends_) end = {};
    last_ = {};
    return cut.input;
  }

 private:
  struct GroupEnd {
    std::size_t input = 0;    // position in the buffer after the group
    std::size_t decoded = 0;  // bytes decoded up to there
  };

  // Takes one character read at scanned_ - 1 (the last of its sequence when
  // `may_end`, so that a group it ends may be cut after).
  void AddChar(char16_t c, bool may_end) {
    const int value = Base64CharValue(c, alphabet_);
    if (value < 0) return;
    bits_ = bits_ << 6 | static_cast<std::uint32_t>(value);
    if (++chars_ < 4) return;
    decoded_.push_back(static_cast<char>(bits_ >> 16));
    decoded_.push_back(static_cast<char>(bits_ >> 8));
    decoded_.push_back(static_cast<char>(bits_));
    bits_ = 0;
    chars_ = 0;
    if (!may_end) return;
    ends_[next_end_++ % ends_.size()] = {scanned_, decoded_.size()};
    if (DecodedMayEndHere()) last_ = ends_[(next_end_ - 1) % ends_.size()];
  }

  bool DecodedMayEndHere() const {
    const std::size_t n = decoded_.size();
    if (page_ != kCpAnsi) return static_cast<unsigned char>(decoded_[n - 1]) < 0x40;
    // IsUtf8CutPoint looks only at the bytes before the cut; the one after
    // it stands in for the next group.
    const std::size_t from = n > 6 ? n - 6 : 0;
    const std::string view = decoded_.substr(from) + 'A';
    return IsUtf8CutPoint(view, n - from);
  }

  void FindRestingGroupEnd() {
    for (std::size_t k = 1; k <= ends_.size() && k <= next_end_; ++k) {
      const GroupEnd& end = ends_[(next_end_ - k) % ends_.size()];
      if (end.input == 0) break;
      const std::string_view head(decoded_.data(), end.decoded);
      if (CodePageRestPoint(head, page_) == end.decoded) {
        last_ = end;
        return;
      }
    }
  }

  Base64Alphabet alphabet_;
  CodePageId page_;          // 0 for UTF-8
  std::size_t scanned_ = 0;  // bytes of the buffer looked at
  std::uint32_t bits_ = 0;   // of the group being read
  int chars_ = 0;
  ByteString decoded_;  // the bytes of the groups since the last cut
  std::array<GroupEnd, 3> ends_{};
  std::size_t next_end_ = 0;
  GroupEnd last_;  // the last cut found
  bool at_input_start_ = true;
};

int StreamTwice(const Invocation& inv, const InputReadTwice& input, const PieceRules& rules) {
  std::optional<InputSource> in = input.Reopen();
  if (!in) return kExitError;
  return StreamCommand(inv, *in, rules);
}

}  // namespace

Text BareCrToCrLf(const Text& text) {
  Text out;
  out.reserve(text.size() + text.size() / 76 + 1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    out.push_back(text[i]);
    if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')) out.push_back(u'\n');
  }
  return out;
}

std::optional<PieceRules> DecodingRules(RepairRoutine routine, const RepairParam& param,
                                        bool keep_lone_surrogates) {
  PieceRules rules;
  rules.keep_lone_surrogates = keep_lone_surrogates;
  rules.convert = [routine, param](const Text& piece, std::size_t, bool) {
    return RunRepairRoutine(routine, param, piece, kNoLengthLimit).text;
  };
  switch (routine) {
    case RepairRoutine::kUrl:
      if (const auto* language = std::get_if<ByteLanguage>(&param)) {
        if (!IsLcid(language->id)) {
          rules.cut = [](std::string_view bytes, std::size_t p) {
            return UrlCutPoint(bytes, p, false);
          };
        } else if (const std::optional<CodePageId> page = LocaleCodePage(language->id)) {
          rules.last_cut = [cuts = std::make_shared<UrlRunCuts>(*page)](std::string_view bytes) {
            return (*cuts)(bytes);
          };
        } else {
          rules.cut = [](std::string_view bytes, std::size_t p) {
            return UrlCutPoint(bytes, p, true);
          };
        }
        return rules;
      }
      return std::nullopt;
    case RepairRoutine::kQuotedPrintable:
      rules.cut = QpCutPoint;
      return rules;
    case RepairRoutine::kUtf7:
      return InOrderRules<Utf7Reader>(std::move(rules));
    case RepairRoutine::kHz:
      return InOrderRules<HzReader>(std::move(rules));
    case RepairRoutine::kIso2022:
      // A page the converters lack leaves the whole text as it is.
      if (const auto* kind = std::get_if<Iso2022Kind>(&param);
          kind != nullptr && !CodePageBytesToText("\n", Iso2022CodePage(*kind)).empty()) {
        rules.last_cut = [cuts = std::make_shared<Iso2022Cuts>(*kind)](std::string_view bytes) {
          return (*cuts)(bytes);
        };
        // A piece after the first that decodes to nothing gives nothing, for
        // the whole text gives its input back only when all of it does.
        rules.convert = [routine, param, kind = *kind](const Text& piece, std::size_t index,
                                                       bool last) {
          if (index == 0 && last)
            return RunRepairRoutine(routine, param, piece, kNoLengthLimit).text;
          Text out = CodePageBytesToText(
              TextToCodePageBytes(RestoreIso2022Escapes(piece, kind), kIso2022SevenBitPage),
              Iso2022CodePage(kind));
          if (index == 0 && !out.empty() && out.front() == u'\uFEFF') out.erase(0, 1);
          std::erase(out, u'\0');
          return out;
        };
        return rules;
      }
      return std::nullopt;
    case RepairRoutine::kNumericEscapes:
      if (const auto* family = std::get_if<EscapeFamily>(&param)) {
        rules.cut = [family = *family](std::string_view bytes, std::size_t p) {
          return NumericEscapeCutPoint(bytes, p, family);
        };
        return rules;
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

PieceRules Utf7EncodeRules() { return InOrderRules<Utf7Writer>(PieceRules()); }

PieceRules HzEncodeRules(bool keep_lone_surrogates) {
  PieceRules rules;
  rules.keep_lone_surrogates = keep_lone_surrogates;
  return InOrderRules<HzWriter>(std::move(rules));
}

void Base64Survey::Add(const Text& piece) {
  for (std::size_t i = 0; valid_ && i < piece.size(); ++i) {
    const int value = Base64CharValue(piece[i], alphabet_);
    if (value == kBase64Invalid) valid_ = false;
    if (value >= 0) ++chars_;
  }
}

PieceRules Base64DecodeRules(const Base64Survey& survey, LocaleId language, Base64Alphabet alphabet,
                             bool keep_lone_surrogates) {
  PieceRules rules;
  rules.keep_lone_surrogates = keep_lone_surrogates;
  if (!survey.Decodes()) {
    rules.cut = Anywhere;
    rules.convert = [](const Text& piece, std::size_t, bool) { return piece; };
    return rules;
  }
  rules.last_cut = [cuts = std::make_shared<Base64Cuts>(language, alphabet)](
                       std::string_view bytes) { return (*cuts)(bytes); };
  rules.convert = [language, alphabet](const Text& piece, std::size_t, bool) {
    std::optional<Text> text = LanguageBytesToText(Base64ToBytes(piece, alphabet), language);
    if (!text) return piece;
    RemoveNuls(*text);
    return std::move(*text);
  };
  return rules;
}

int StreamBase64Decode(const Invocation& inv, LocaleId language, Base64Alphabet alphabet,
                       bool keep_lone_surrogates) {
  Base64Survey survey(alphabet);
  const std::optional<InputReadTwice> input =
      InputReadTwice::Scan(inv, 1, [&](const Text& piece) { survey.Add(piece); });
  if (!input) return kExitError;
  return StreamTwice(inv, *input,
                     Base64DecodeRules(survey, language, alphabet, keep_lone_surrogates));
}

int StreamLineEncode(const Invocation& inv, LineEncoding encoding, ComposeBytes which) {
  bool has_lf = false;
  // An LF of the text is an LF byte of its UTF-8, and no other sequence
  // decodes to one.
  const std::optional<InputReadTwice> input =
      InputReadTwice::ScanBytes(inv, 1, [&](std::string_view piece) {
        has_lf = has_lf || piece.find('\n') != std::string_view::npos;
      });
  if (!input) return kExitError;
  PieceRules rules;
  rules.cut = Anywhere;
  // With no LF anywhere every piece has none, and each CR becomes CR LF.
  // The piece's bytes, the costly part, are made on the worker threads and
  // handed on one unit per byte; only the folding into lines, which
  // carries the line position over, waits for the pieces before.
  rules.convert = [has_lf, which](const Text& piece, std::size_t, bool) {
    const ByteString bytes =
        ComposeTextBytes(has_lf ? piece : WithCrLfBreaks(piece), which).value_or(ByteString());
    Text units(bytes.size(), u'\0');
    std::transform(bytes.begin(), bytes.end(), units.begin(),
                   [](char b) { return static_cast<char16_t>(static_cast<unsigned char>(b)); });
    return units;
  };
  // The line breaks a file gets, as BareCrToCrLf makes them of the
  // whole-text encoders' bare CRs (no LF of the text follows one: it is
  // escaped).
  struct Writers {
    QpLineWriter qp{FoldBreak::kCrLf};
    Base64LineWriter base64{FoldBreak::kCrLf};
  };
  rules.in_order = [writers = std::make_shared<Writers>(), encoding](Text units, bool last) {
    const ByteString bytes(units.begin(), units.end());
    Text out;
    if (encoding == LineEncoding::kQuotedPrintable) {
      writers->qp.Add(bytes, out);
    } else {
      writers->base64.Add(bytes, out);
      if (last) writers->base64.Finish(out);
    }
    return out;
  };
  return StreamTwice(inv, *input, rules);
}

}  // namespace tekvo::cli
