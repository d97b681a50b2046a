// Sizes and thresholds of the print layouts, each named once.
#pragma once

namespace vt::print {

// A line is read into a buffer of this many bytes; a longer line keeps its
// first kMaxLineChars characters and ends the text.
constexpr int kLineBufferSize = 1024;
constexpr int kMaxLineChars = kLineBufferSize - 1;

// Column detection and orientation look at this many lines from the top.
constexpr int kWindowLines = 30;

// The column tables hold this many columns; a header with more column
// starts keeps the first ones.
constexpr int kMaxColumns = 128;

// One field of a column, and the title, hold at most this many characters.
constexpr int kMaxFieldChars = 255;

// With automatic orientation, a line longer than this among the first
// kWindowLines asks for landscape.
constexpr int kPortraitMaxChars = 64;

// Margins must leave at least this many device pixels in each direction.
constexpr int kMinPrintablePixels = 256;

// The job name given to the spooler is cut to this many characters.
constexpr int kMaxJobNameChars = 79;

// The progress dialog's line holds the job name and this suffix in a buffer
// of kProgressTextSize bytes; a longer job name is shortened with "...".
constexpr int kProgressTextSize = 164;
constexpr char kProgressSuffix[] = "  wird gedruckt...";

// Table fonts: heights from kLargestTableHeight up to kSmallestTableHeight in
// steps of 2 (negative: character heights), and the screen reference height.
constexpr int kLargestTableHeight = -81;
constexpr int kSmallestTableHeight = -31;
constexpr int kTableHeightStep = 2;
constexpr int kReferenceHeight = -33;

// The smallest digit width accepted from the screen, so that scaling by the
// ratio of printer to screen digit widths stays meaningful.
constexpr int kMinScreenDigitWidth = 4;

}  // namespace vt::print
