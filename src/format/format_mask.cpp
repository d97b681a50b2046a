// Format word to mask text: "#####.##", "0xxxx", "E##.###", "hh:mm:ss.sss",
// "W DD.MM.YYYY HH:MM:SS".
#include "format/format_word.h"
#include "format/text_sink.h"

namespace vt::format {

Word reduce_plain(Word w) {
  if (!(w.format & kPlain)) return w;
  if (is_date_time(w.format)) return {kPlainDateTimeWidth, 0};
  if (w.format & (kBinary | kHex)) return {w.format & kWidthMask, w.decimals};
  return {w.format & ~(kLeadingZeros | kPlain), w.decimals};
}

namespace {

// Date/time fields in the order they are shown, with the piece each writes.
struct FieldPiece {
  int bit;
  const char* piece;
};
constexpr FieldPiece kShownFields[] = {
    {kFieldWeekday, "W "}, {kFieldDay, "DD."},   {kFieldMonth, "MM."},
    {kFieldYear, "YYYY "}, {kFieldHours, "HH:"}, {kFieldMinutes, "MM:"},
    {kFieldSeconds, "SS"},
};

void write_date_time_mask(int fields, TextSink& sink) {
  sink.clear();  // the selection has no "0" or "E" prefix
  for (const FieldPiece& f : kShownFields)
    if (fields & f.bit) sink.put(f.piece);
  if (sink.ends_with(':')) sink.drop_last();
}

}  // namespace

std::size_t write_mask(Word w, char* out, std::size_t size) {
  TextSink sink(out, size);
  int width = w.format & kWidthMask;
  int decimals = w.decimals > 0 ? w.decimals : 0;
  if (w.format & kLeadingZeros) sink.put('0');
  if (w.format & kExponent) {
    width = width > kExponentChars ? width - kExponentChars : 0;
    sink.put('E');
  }
  char digit = '#';
  if (w.format & kBinary) {
    digit = 'b';
  } else if (w.format & kHex) {
    digit = 'x';
  } else if (w.format & kTime) {
    if (w.format & kLeadingZeros) {
      write_date_time_mask(width, sink);
    } else {
      sink.put("hh:mm:ss");
      if (decimals) {
        sink.put('.');
        sink.repeat('s', decimals);
      }
    }
    return sink.finish();
  }
  sink.repeat(digit, decimals ? width - decimals - 1 : width);
  if (decimals) {
    sink.put('.');
    sink.repeat(digit, decimals);
  }
  return sink.finish();
}

}  // namespace vt::format
