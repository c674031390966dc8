#include <gtest/gtest.h>

#include <string>

#include "ui/TextFormat.h"

using ui::ConvertLineBreaks;
using ui::FormatText;
using ui::LineBreakDirection;

TEST(FormatText, FillsPlaceholdersFromLeftToRight) {
  EXPECT_EQ(FormatText("Save file %s failed!", {"C:\\P\\Langs\\English.ini"}),
            "Save file C:\\P\\Langs\\English.ini failed!");
  EXPECT_EQ(FormatText("%s Application Report", {"Prunaxis"}), "Prunaxis Application Report");
  EXPECT_EQ(FormatText("%s and %d and %u", {"a", "12", "7"}), "a and 12 and 7");
  // Flags, width, precision and length are part of the placeholder and ignored:
  // the value arrives as text.
  EXPECT_EQ(FormatText("Size:  %.2f M", {"12.50"}), "Size:  12.50 M");
  EXPECT_EQ(FormatText("[%-8s|%08lu|%+.3e|%I64d|%lld|%#x]", {"a", "b", "c", "d", "e", "f"}),
            "[a|b|c|d|e|f]");
  EXPECT_EQ(FormatText("no placeholders", {"unused"}), "no placeholders");
  EXPECT_EQ(FormatText("", {}), "");
}

TEST(FormatText, TranslationsWithWrongPlaceholdersStayHarmless) {
  // Missing values: the placeholder stays visible, nothing is read.
  EXPECT_EQ(FormatText("Datei %s konnte nicht %s werden", {"x.ini"}),
            "Datei x.ini konnte nicht %s werden");
  EXPECT_EQ(FormatText("%s%s%s%s%s%s%s%s%s%s%s%s", {}), "%s%s%s%s%s%s%s%s%s%s%s%s");
  EXPECT_EQ(FormatText("%.2f%n%p", {"1"}), "1%n%p");
  // Surplus values are dropped.
  EXPECT_EQ(FormatText("Fertig", {"a", "b"}), "Fertig");
  // A different kind of placeholder still takes the value in its place.
  EXPECT_EQ(FormatText("Speichern von %d fehlgeschlagen", {"C:\\a.ini"}),
            "Speichern von C:\\a.ini fehlgeschlagen");
  // "%n" would write to memory in printf; here it is never a placeholder.
  EXPECT_EQ(FormatText("%n%s", {"v"}), "%nv");
  // Values are never scanned for placeholders themselves.
  EXPECT_EQ(FormatText("%s|%s", {"%s%n%d", "b"}), "%s%n%d|b");
}

TEST(FormatText, PercentSignsThatStartNoPlaceholderAreKept) {
  EXPECT_EQ(FormatText("100%% done", {"x"}), "100% done");
  // A blank after "%" is ordinary text here, so "% d" in prose never eats a value.
  EXPECT_EQ(FormatText("100% done, %s", {"x"}), "100% done, x");
  EXPECT_EQ(FormatText("50%", {"x"}), "50%");
  EXPECT_EQ(FormatText("%", {}), "%");
  EXPECT_EQ(FormatText("%5", {"x"}), "%5");
  EXPECT_EQ(FormatText("%.", {"x"}), "%.");
  EXPECT_EQ(FormatText("%l", {"x"}), "%l");
  EXPECT_EQ(FormatText("%z%", {"x"}), "%z%");
  EXPECT_EQ(FormatText("a%%%s", {"b"}), "a%b");
  std::string embedded("%\0s", 3);
  EXPECT_EQ(FormatText(embedded, {"x"}), embedded);
}

TEST(ConvertLineBreaks, ReadingTrimsAndTurnsMarkersIntoLineBreaks) {
  EXPECT_EQ(ConvertLineBreaks("  first#13second \t", LineBreakDirection::Reading),
            "first\r\nsecond");
  EXPECT_EQ(ConvertLineBreaks("a#13#13b", LineBreakDirection::Reading), "a\r\n\r\nb");
  EXPECT_EQ(ConvertLineBreaks("##13#1#3", LineBreakDirection::Reading), "#\r\n#1#3");
  EXPECT_EQ(ConvertLineBreaks("#13", LineBreakDirection::Reading), "\r\n");
  EXPECT_EQ(ConvertLineBreaks(std::string("\x01\x1f x \x20", 6), LineBreakDirection::Reading), "x");
  EXPECT_EQ(ConvertLineBreaks("", LineBreakDirection::Reading), "");
  EXPECT_EQ(ConvertLineBreaks(" \r\n ", LineBreakDirection::Reading), "");
}

TEST(ConvertLineBreaks, WritingTurnsEveryKindOfLineBreakIntoOneMarker) {
  EXPECT_EQ(ConvertLineBreaks("a\r\nb", LineBreakDirection::Writing), "a#13b");
  EXPECT_EQ(ConvertLineBreaks("a\nb\rc", LineBreakDirection::Writing), "a#13b#13c");
  EXPECT_EQ(ConvertLineBreaks("a\r\r\nb\n\rc", LineBreakDirection::Writing), "a#13#13b#13#13c");
  EXPECT_EQ(ConvertLineBreaks("\r\n lead and trail \r\n", LineBreakDirection::Writing),
            "lead and trail");
  // Markers already in the text stay as they are.
  EXPECT_EQ(ConvertLineBreaks("a#13b", LineBreakDirection::Writing), "a#13b");
  // Reading what was written gives the text back (trimmed).
  std::string text = "Erste Zeile,\r\nzweite Zeile";
  EXPECT_EQ(ConvertLineBreaks(ConvertLineBreaks(text, LineBreakDirection::Writing),
                              LineBreakDirection::Reading),
            text);
}
