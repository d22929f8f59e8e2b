#include "engine/suggest.h"

#include <algorithm>
#include <functional>
#include <unordered_map>

#include "engine/base64.h"
#include "engine/char_refs.h"
#include "engine/fixed_repairs.h"
#include "engine/hz.h"
#include "engine/iso2022.h"
#include "engine/quoted_printable.h"
#include "engine/reinterpret.h"
#include "engine/text_score.h"
#include "engine/utf7.h"

namespace tekvo {
namespace {

// Leaving the text alone wins unless a repair reads this much better per unit:
// a false alarm on clean text costs the user more than a missed repair.
constexpr double kKeepBonus = 0.1;
// A second step must earn its place: between a one-step and a two-step result
// that read alike, the simpler repair is the likelier one.
constexpr double kChainCost = 0.05;

// The status text of a menu caption: up to and including the blank before
// the first " ：".
std::u16string_view CaptionSay(std::u16string_view caption) {
  const std::size_t at = caption.find(u" ：");
  return at == std::u16string_view::npos ? std::u16string_view() : caption.substr(0, at + 1);
}

std::vector<SuggestableRepair> BuildRepairs() {
  using R = RepairRoutine;
  std::vector<SuggestableRepair> v = {
      {u"HTM--U ", R::kNumericEscapes, static_cast<int>(EscapeFamily::kHtml)},
      {u"NumU(1)--U ", R::kNumericEscapes, static_cast<int>(EscapeFamily::kBackslash)},
      {u"NumU(2)--U ", R::kNumericEscapes, static_cast<int>(EscapeFamily::kPercent)},
      {u"URL--GB ", R::kUrl, 2052},
      {u"URL--Big5 ", R::kUrl, 1028},
      {u"URL--UTF8 ", R::kUrl, kIdUtf8},
      {u"QP--GB ", R::kQuotedPrintable, 2052},
      {u"QP--Big5 ", R::kQuotedPrintable, 1028},
      {u"QP--UTF8 ", R::kQuotedPrintable, kIdUtf8},
      {u"Base64--GB ", R::kBase64, 2052},
      {u"Base64--Big5 ", R::kBase64, 1028},
      {u"Base64--UTF8 ", R::kBase64, kIdUtf8},
      {u"UTF7--U ", R::kUtf7},
      {u"HZ--GB ", R::kHz},
  };
  for (const FixedRepair& f : FixedRepairs()) {
    v.push_back({CaptionSay(f.caption), R::kReinterpret, f.a, f.b});
  }
  v.push_back({u"Esc+中文(ISO2022) ", R::kIso2022, static_cast<int>(Iso2022Kind::kChinese)});
  v.push_back({u"Esc+日文(ISO2022) ", R::kIso2022, static_cast<int>(Iso2022Kind::kJapanese)});
  v.push_back({u"Esc+韩文(ISO2022) ", R::kIso2022, static_cast<int>(Iso2022Kind::kKorean)});
  return v;
}

const std::vector<SuggestableRepair>& Repairs() {
  static const std::vector<SuggestableRepair> repairs = BuildRepairs();
  return repairs;
}

// Quick tests that spare a routine a pass over a text it cannot change.
bool MayApply(const SuggestableRepair& r, std::u16string_view t) {
  switch (r.routine) {
    case RepairRoutine::kNumericEscapes:
      return t.find(r.a == static_cast<int>(EscapeFamily::kHtml) ? u'&'
                    : r.a == static_cast<int>(EscapeFamily::kBackslash)
                        ? u'\\'
                        : u'%') != std::u16string_view::npos ||
             (r.a == static_cast<int>(EscapeFamily::kHtml) && t.find(u'<') != t.npos);
    case RepairRoutine::kUrl:
      return t.find(u'%') != t.npos || t.find(u'+') != t.npos;
    case RepairRoutine::kQuotedPrintable:
      return t.find(u'=') != t.npos;
    case RepairRoutine::kUtf7:
      return t.find(u'+') != t.npos;
    case RepairRoutine::kHz:
      return t.find(u'~') != t.npos;
    case RepairRoutine::kIso2022:
      return t.find(u'$') != t.npos || t.find(u'\x1B') != t.npos;
    case RepairRoutine::kBase64:
      // Base64 is pure ASCII; one unit outside it makes the routine give up.
      return std::all_of(t.begin(), t.end(), [](char16_t c) { return c < 0x80; });
    case RepairRoutine::kReinterpret:
      return true;
  }
  return true;
}

struct TextHash {
  std::size_t operator()(const Text& t) const { return std::hash<std::u16string_view>()(t); }
};

class CandidateList {
 public:
  // Adds the candidate unless its text is already listed; returns whether it
  // was added.
  bool Add(RepairCandidate c) {
    const std::size_t h = TextHash()(c.text);
    auto [it, end] = by_hash_.equal_range(h);
    for (; it != end; ++it) {
      if (list_[it->second].text == c.text) return false;
    }
    by_hash_.emplace(h, list_.size());
    list_.push_back(std::move(c));
    return true;
  }
  bool Contains(const Text& t) const {
    auto [it, end] = by_hash_.equal_range(TextHash()(t));
    for (; it != end; ++it) {
      if (list_[it->second].text == t) return true;
    }
    return false;
  }
  std::vector<RepairCandidate>& list() { return list_; }

 private:
  std::vector<RepairCandidate> list_;
  std::unordered_multimap<std::size_t, std::size_t> by_hash_;
};

std::u16string ChainName(std::u16string_view first, std::u16string_view second) {
  std::u16string_view head = first;
  while (!head.empty() && head.back() == u' ') head.remove_suffix(1);
  std::u16string name;
  name.reserve(head.size() + 3 + second.size());
  name.append(head).append(u" + ").append(second);
  return name;
}

}  // namespace

std::span<const SuggestableRepair> SuggestableRepairs() { return Repairs(); }

Text RunRepair(const SuggestableRepair& r, const Text& text, std::size_t max_len) {
  Text out;
  switch (r.routine) {
    case RepairRoutine::kReinterpret: {
      Converted c = ReinterpretByLocale(text, r.a, r.b, max_len);
      if (c.too_long) return text;
      out = std::move(c.text);
      break;
    }
    case RepairRoutine::kNumericEscapes:
      out = DecodeNumericEscapes(text, static_cast<EscapeFamily>(r.a));
      break;
    case RepairRoutine::kUrl:
      out = DecodeQpOrUrl(text, r.a, ByteEscapes::kUrl);
      break;
    case RepairRoutine::kQuotedPrintable:
      out = DecodeQpOrUrl(text, r.a, ByteEscapes::kQuotedPrintable);
      break;
    case RepairRoutine::kBase64:
      out = DecodeBase64Text(text, r.a, Base64Alphabet::kStandard);
      break;
    case RepairRoutine::kUtf7:
      out = DecodeUtf7(text);
      break;
    case RepairRoutine::kHz:
      out = DecodeHz(text);
      break;
    case RepairRoutine::kIso2022: {
      Converted c = DecodeIso2022Escapes(text, static_cast<Iso2022Kind>(r.a), max_len);
      if (c.too_long) return text;
      out = std::move(c.text);
      break;
    }
  }
  if (out.size() > max_len) return text;
  return out;
}

std::vector<RepairCandidate> SuggestRepairs(const Text& text, const SuggestOptions& options) {
  CandidateList found;
  RepairCandidate keep;
  keep.name = kNoRepairName;
  keep.text = text;
  keep.score = ScoreText(text) + kKeepBonus;
  found.Add(std::move(keep));
  if (text.empty()) return std::move(found.list());

  const auto& repairs = Repairs();
  for (std::size_t i = 0; i < repairs.size(); ++i) {
    if (!MayApply(repairs[i], text)) continue;
    Text out = RunRepair(repairs[i], text, options.max_len);
    if (out.empty() || out == text || found.Contains(out)) continue;
    RepairCandidate c;
    c.name = repairs[i].say;
    c.score = ScoreText(out);
    c.text = std::move(out);
    c.steps = 1;
    c.first = static_cast<int>(i);
    found.Add(std::move(c));
  }

  // Extend the best one-step results, and every decoded transfer encoding:
  // what such a decoder gives may still be in another one, and reads no
  // better until that is decoded too. The indexes are taken first: adding
  // chains grows the list.
  std::vector<std::size_t> firsts;
  std::vector<std::size_t> decoded;
  for (std::size_t i = 1; i < found.list().size(); ++i) {
    const auto routine = repairs[found.list()[i].first].routine;
    (routine == RepairRoutine::kReinterpret ? firsts : decoded).push_back(i);
  }
  const std::size_t width = std::min<std::size_t>(
      firsts.size(), static_cast<std::size_t>(std::max(0, options.chain_width)));
  std::partial_sort(
      firsts.begin(), firsts.begin() + width, firsts.end(),
      [&](std::size_t a, std::size_t b) { return found.list()[a].score > found.list()[b].score; });
  firsts.resize(width);
  if (options.chain_width > 0) firsts.insert(firsts.end(), decoded.begin(), decoded.end());
  for (std::size_t f : firsts) {
    const Text base = found.list()[f].text;  // copied: the list may reallocate
    const int first = found.list()[f].first;
    for (std::size_t j = 0; j < repairs.size(); ++j) {
      if (!MayApply(repairs[j], base)) continue;
      Text out = RunRepair(repairs[j], base, options.max_len);
      if (out.empty() || out == base || found.Contains(out)) continue;
      RepairCandidate c;
      c.name = ChainName(repairs[first].say, repairs[j].say);
      c.score = ScoreText(out) - kChainCost;
      c.text = std::move(out);
      c.steps = 2;
      c.first = first;
      c.second = static_cast<int>(j);
      found.Add(std::move(c));
    }
  }

  std::vector<RepairCandidate>& list = found.list();
  std::stable_sort(
      list.begin(), list.end(),
      [](const RepairCandidate& a, const RepairCandidate& b) { return a.score > b.score; });
  return std::move(list);
}

Text FirstLine(std::u16string_view text, std::size_t max_units) {
  std::size_t end = 0;
  while (end < text.size() && end < max_units && text[end] != u'\r' && text[end] != u'\n') ++end;
  if (end > 0 && end < text.size() && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF &&
      text[end] >= 0xDC00 && text[end] <= 0xDFFF) {
    --end;  // keep the pair whole
  }
  return Text(text.substr(0, end));
}

}  // namespace tekvo
