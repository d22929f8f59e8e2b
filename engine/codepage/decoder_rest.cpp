#include "engine/codepage/decoder_rest.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <utility>

#include "engine/codepage/codepage.h"
#include "engine/codepage/codepage_registry.h"
#include "engine/codepage/fast_codec.h"
#include "engine/codepage/icu_converter.h"
#include "engine/text/utf8_sequence.h"

namespace tekvo {
namespace {

bool IsContinuation(unsigned char b) { return b >= 0x80 && b <= 0xBF; }

// Johab's pairs start with a byte of 0x84 or more, and the bridge reads a
// lead byte with the byte after it or alone: a byte below 0x80 either ends
// the pair before it or stands alone, and the next byte starts afresh.
constexpr unsigned kJohabNeverLead = 0x80;

// Bytes handed to ICU at a time, and the units its output may take.
constexpr std::size_t kIcuStep = 4096;
// As in the bridge: each call into ICU costs about as much as a few hundred
// plain characters, so after this many detours from the table in one feed
// the rest goes to ICU a stretch at a time.
constexpr int kMaxDetours = 16;

}  // namespace

// A converter of the page's own, configured as the bridge configures its
// own, so that what it holds back is what the bridge's decoder would hold.
// The table-driven path goes first where it knows the bytes, as in the
// bridge, since a character it reads leaves nothing held.
struct DecoderRest::Icu {
  UConverter* cnv = nullptr;
  const FastCodecTable* table = nullptr;
  Text out = Text(kIcuStep, u'\0');
  ~Icu() {
    if (cnv != nullptr) ucnv_close(cnv);
  }

  int Pending() const {
    UErrorCode err = U_ZERO_ERROR;
    const int n = ucnv_toUCountPending(cnv, &err);
    return U_SUCCESS(err) ? n : -1;
  }

  // Reads [src, end) without flushing, the output thrown away.
  bool Read(const char*& src, const char* end) {
    for (;;) {
      UErrorCode err = U_ZERO_ERROR;
      UChar* dst = reinterpret_cast<UChar*>(out.data());
      ucnv_toUnicode(cnv, &dst, dst + out.size(), &src, end, nullptr, false, &err);
      if (err == U_BUFFER_OVERFLOW_ERROR) continue;
      return U_SUCCESS(err);
    }
  }
};

DecoderRest::DecoderRest(Kind kind) : kind_(kind) {}
DecoderRest::DecoderRest(DecoderRest&&) noexcept = default;
DecoderRest& DecoderRest::operator=(DecoderRest&&) noexcept = default;
DecoderRest::~DecoderRest() = default;

DecoderRest DecoderRest::ForCodePage(CodePageId cp) {
  const CodePageEntry* entry = FindCodePage(cp);
  if (entry == nullptr || !IsCodePageStateless(cp)) return DecoderRest(Kind::kNever);
  if (entry->backend == ConverterBackend::kIconv) return DecoderRest(Kind::kJohab);
  DecoderRest rest(Kind::kIcu);
  rest.icu_ = std::make_unique<Icu>();
  rest.icu_->cnv = OpenConfiguredConverter(*entry);
  if (rest.icu_->cnv == nullptr) return DecoderRest(Kind::kNever);
  rest.icu_->table = FastCodecTableFor(*entry);
  return rest;
}

DecoderRest DecoderRest::ForUtf8() { return DecoderRest(Kind::kUtf8); }

DecoderRest DecoderRest::ForUtf16() { return DecoderRest(Kind::kUtf16); }

void DecoderRest::Feed(std::string_view bytes) {
  if (bytes.empty()) return;
  switch (kind_) {
    case Kind::kIcu:
      FeedIcu(bytes);
      return;
    case Kind::kJohab:
      last_ = static_cast<unsigned char>(bytes.back());
      return;
    case Kind::kUtf8:
      FeedUtf8(bytes);
      return;
    case Kind::kUtf16:
      last_ = (last_ + bytes.size()) % 2;
      return;
    case Kind::kNever:
      return;
  }
}

void DecoderRest::FeedIcu(std::string_view bytes) {
  Icu& icu = *icu_;
  const char* src = bytes.data();
  const char* const end = src + bytes.size();
  int detours = 0;
  while (src < end) {
    const int pending = icu.Pending();
    if (pending < 0) {
      kind_ = Kind::kNever;
      return;
    }
    const bool tabled = icu.table != nullptr && detours <= kMaxDetours;
    if (tabled && pending == 0) {
      const std::size_t n = std::min<std::size_t>(end - src, kIcuStep);
      src += FastDecode(*icu.table, src, n, icu.out.data()).consumed;
      if (src == end) return;
      ++detours;
    }
    // ICU takes what the table does not know, a byte at a time until it
    // holds nothing back.
    const char* stop = tabled ? src + 1 : src + std::min<std::size_t>(end - src, kIcuStep);
    if (!icu.Read(src, stop)) {
      kind_ = Kind::kNever;
      return;
    }
  }
}

// The engine's UTF-8 decoder, byte by byte (its fast paths read as these
// rules do): a continuation byte adds to what is pending and the last one a
// sequence asks for brings the decoder back to rest; any other byte starts
// afresh, a four-byte lead taking its whole well-formed sequence at once.
void DecoderRest::FeedUtf8(std::string_view bytes) {
  held_.append(bytes);
  std::size_t i = 0;
  while (i < held_.size()) {
    const auto b = static_cast<unsigned char>(held_[i]);
    if (IsContinuation(b)) {
      acc_ = acc_ * 64 + (b & 0x3Fu);
      if (--need_ == 0) {
        acc_ = 0;
        need_ = 2;
      }
      ++i;
      continue;
    }
    if (b >= 0xF0) {
      if (held_.size() - i < 4) break;
      if (Utf8SequenceAt(std::string_view(held_).substr(i, 4), 0) == 4) {
        acc_ = 0;
        need_ = 2;
        i += 4;
        continue;
      }
    }
    if (b >= 0xE0) {
      acc_ = b & 0x0Fu;
      need_ = 2;
    } else if (b >= 0xC0) {
      acc_ = b & 0x1Fu;
      need_ = 1;
    } else {
      acc_ = 0;
      need_ = 2;
    }
    ++i;
  }
  held_.erase(0, i);
}

bool DecoderRest::Rests() const {
  switch (kind_) {
    case Kind::kIcu:
      return icu_->Pending() == 0;
    case Kind::kJohab:
      return last_ < kJohabNeverLead;
    case Kind::kUtf8:
      return held_.empty() && acc_ == 0 && need_ == 2;
    case Kind::kUtf16:
      return last_ == 0;
    case Kind::kNever:
      return false;
  }
  return false;
}

bool DecoderRest::RestsBefore(unsigned char next) const {
  // A sequence cut short is written at the next byte that does not continue
  // it, unless it is too short to have a value, and dropped at the end.
  return Rests() || (kind_ == Kind::kUtf8 && held_.empty() && acc_ < 32 && !IsContinuation(next));
}

}  // namespace tekvo
