#include "cli/stream/chain_stream.h"

#include <memory>
#include <string_view>
#include <utility>

#include "engine/codepage/codepage.h"

namespace tekvo::cli {
namespace {

// The second step's side of a chain: the first step's results arrive here in
// order, one at a time, so it keeps its state without a lock.
class SecondStep {
 public:
  explicit SecondStep(PieceRules rules) : rules_(std::move(rules)) {}

  Text Take(const Text& converted, bool last) {
    // The engine's UTF-8 coder gives any text back as it was, lone
    // surrogates included, so the second step's cut rules can look at the
    // bytes they were written for.
    held_ += TextToUtf8Bytes(converted);
    Text out;
    if (const std::size_t cut = FindCut(rules_, held_, searched_); cut > 0) {
      out = Convert(ByteString(held_, 0, cut), false);
      held_.erase(0, cut);
    }
    if (last) {
      out += Convert(held_, true);
      held_.clear();
    }
    return out;
  }

 private:
  Text Convert(const ByteString& piece, bool last) {
    Text out = rules_.convert(Utf8BytesToText(piece), index_++, last);
    if (rules_.in_order) out = rules_.in_order(std::move(out), last);
    return out;
  }

  PieceRules rules_;
  ByteString held_;           // the first step's result since the last cut
  std::size_t searched_ = 0;  // for FindCut
  std::size_t index_ = 0;
};

}  // namespace

PieceRules ChainedRules(PieceRules first, PieceRules second) {
  PieceRules chained;
  chained.cut = std::move(first.cut);
  chained.last_cut = std::move(first.last_cut);
  chained.convert = std::move(first.convert);
  chained.keep_lone_surrogates = second.keep_lone_surrogates;
  chained.in_order = [first_in_order = std::move(first.in_order),
                      step = std::make_shared<SecondStep>(std::move(second))](Text converted,
                                                                              bool last) {
    if (first_in_order) converted = first_in_order(std::move(converted), last);
    return step->Take(converted, last);
  };
  return chained;
}

}  // namespace tekvo::cli
