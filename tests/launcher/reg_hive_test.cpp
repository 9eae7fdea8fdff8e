#include "launcher/reg_hive.h"

#include <gtest/gtest.h>

#include <string>

namespace gp {
namespace {

using namespace std::string_literals;

constexpr char kKey[] = "HKEY_CURRENT_USER\\Software\\zorbel games\\Galaputt SE v1.1\\Players";

// One hive text in every form the reader takes; `eol` is the line end.
std::string SampleText(const std::string& eol) {
  const std::string lines[] = {
      "Windows Registry Editor Version 5.00",
      "",
      "; saved by hand",
      "[HKEY_CURRENT_USER\\Software\\zorbel games\\Galaputt SE v1.1\\Players]",
      "\"Players\"=dword:00000002",
      "[HKEY_CURRENT_USER\\Software\\zorbel games\\Galaputt SE v1.1\\skin]",
      "\"skin\"=\"my \\\"best\\\" skin\\\\2\"",
      "@=\"default\"",
      "\"Path\"=hex(2):25,00,41,00,25,00,\\",
      "  5c,00,78,00,00,00,ff,ff",
      "\"Blob\"=hex:01,02 ; a comment after a value",
  };
  std::string out;
  for (const std::string& l : lines) out += l + eol;
  return out;
}

std::string Utf16le(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

std::string Utf16be(const std::string& ascii) {
  std::string out = "\xFE\xFF";
  for (char c : ascii) out += std::string{'\0', c};
  return out;
}

TEST(RegHiveTest, ReadsEveryFormInEveryEncoding) {
  const std::string encodings[] = {SampleText("\r\n"), SampleText("\n"),
                                   "\xEF\xBB\xBF" + SampleText("\r\n"), Utf16le(SampleText("\r\n")),
                                   Utf16be(SampleText("\n"))};
  for (const std::string& text : encodings) {
    RegParseReport rep;
    const RegHive h = RegHive::Parse(text, &rep);
    ASSERT_TRUE(rep.ok) << rep.error;
    EXPECT_EQ(rep.skipped_lines, 0);
    ASSERT_EQ(h.keys().size(), 2u);
    EXPECT_EQ(h.FindKey(kKey)->Find("players")->AsDword(), 2u);
    const RegKey* skin =
        h.FindKey("hkey_current_user\\SOFTWARE\\zorbel games\\galaputt se v1.1\\Skin");
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->Find("Skin")->AsString(), "my \"best\" skin\\2");
    EXPECT_EQ(skin->Find("")->AsString(), "default");
    EXPECT_EQ(skin->Find("path")->AsString(), "%A%\\x");  // ends at the zero unit
    EXPECT_EQ(skin->Find("blob")->data, std::string("\x01\x02", 2));
    EXPECT_EQ(skin->Find("blob")->AsString(), std::nullopt);
  }
}

TEST(RegHiveTest, HeaderMustComeFirst) {
  const std::string bad[] = {
      "",
      "REGEDIT4\r\n[A\\B]\r\n",
      "\r\nWindows Registry Editor Version 5.00\r\n",
      "; comment\nWindows Registry Editor Version 5.00\n",
      "Windows Registry Editor Version 5.0\n",
      "\xFE\xFFWindows Registry Editor Version 5.00\n",  // a UTF-16 mark, 8-bit text
      std::string("\0\0\0\0", 4)};
  for (const std::string& text : bad) {
    RegParseReport rep;
    const RegHive h = RegHive::Parse(text, &rep);
    EXPECT_FALSE(rep.ok) << text;
    EXPECT_NE(rep.error.find("first line"), std::string::npos);
    EXPECT_TRUE(h.keys().empty());
  }
  RegParseReport rep;
  RegHive::Parse("Windows Registry Editor Version 5.00 \t", &rep);
  EXPECT_TRUE(rep.ok);
}

TEST(RegHiveTest, SkipsLinesThatCannotBeRead) {
  const std::string text =
      "Windows Registry Editor Version 5.00\n"
      "\"Early\"=dword:1\n"  // 2: before any key
      "[A\\B]\n"
      "\"Good\"=dword:0000002a\n"
      "\"Open=\"x\"\n"             // 5: name never closed
      "\"Big\"=dword:123456789\n"  // 6: nine digits
      "\"Type\"=hex(zz):00\n"      // 7
      "\"Odd\"=hex:1,2,,3\n"       // 8: empty byte
      "\"Tail\"=\"x\" junk\n"      // 9
      "\"Del\"=-\n"                // 10: deletion is not ours
      "just words\n"               // 11
      "[-A\\B]\n"                  // 12
      "\"Lost\"=dword:1\n"         // 13: under the bad key line
      "[A\\C\n"                    // 14
      "[A\\B]\n"
      "\"Second\"=\"ok\"\n";
  RegParseReport rep;
  const RegHive h = RegHive::Parse(text, &rep);
  ASSERT_TRUE(rep.ok);
  EXPECT_EQ(rep.skipped_lines, 11);
  EXPECT_EQ(rep.first_skipped, 2);
  ASSERT_EQ(h.keys().size(), 1u);
  const RegKey& k = h.keys()[0];
  ASSERT_EQ(k.values().size(), 2u);
  EXPECT_EQ(k.values()[0].dword, 42u);
  EXPECT_EQ(k.values()[1].AsString(), "ok");
}

TEST(RegHiveTest, OverLongDataIsSkippedAndMemoryStaysBounded) {
  const std::string head = "Windows Registry Editor Version 5.00\n[A\\B]\n";
  const std::string fits(kMaxRegDataBytes, 'x');
  std::string hex_lines = "\"Hex\"=hex:";
  for (size_t i = 0; i <= kMaxRegDataBytes; ++i) hex_lines += i % 20 == 19 ? "00,\\\n  " : "00,";
  hex_lines += "00\n";
  const std::string text = head + "\"Fits\"=\"" + fits + "\"\n" + "\"Long\"=\"" + fits + "x\"\n" +
                           "\"" + std::string(kMaxRegNameBytes + 1, 'n') + "\"=dword:1\n" +
                           hex_lines + "\"Pad\"=hex:" + std::string(5 * kMaxRegDataBytes, ' ') +
                           "01\n" + "\"After\"=dword:7\n";
  RegParseReport rep;
  const RegHive h = RegHive::Parse(text, &rep);
  ASSERT_TRUE(rep.ok);
  EXPECT_EQ(rep.skipped_lines, 4);  // the hex value's continuation lines go with it
  const RegKey* k = h.FindKey("A\\B");
  EXPECT_EQ(k->Find("Fits")->AsString(), fits);
  EXPECT_EQ(k->Find("Long"), nullptr);
  EXPECT_EQ(k->Find("Hex"), nullptr);
  EXPECT_EQ(k->Find("After")->AsDword(), 7u);

  RegParseReport big;
  RegHive::Parse(head + std::string(kMaxHiveFileBytes, ';'), &big);
  EXPECT_FALSE(big.ok);
  EXPECT_NE(big.error.find("larger"), std::string::npos);

  // A continuation at the end of the file, or into a key or value line.
  RegParseReport cut;
  const RegHive hc = RegHive::Parse(
      head + "\"H\"=hex:01,\\\n[A\\C]\n\"V\"=hex:02,\\\n\"W\"=dword:3\n\"X\"=hex:03,\\", &cut);
  EXPECT_EQ(cut.skipped_lines, 3);
  EXPECT_EQ(hc.FindKey("A\\B")->Find("H"), nullptr);
  EXPECT_EQ(hc.FindKey("A\\C")->Find("W")->AsDword(), 3u);
  EXPECT_EQ(hc.FindKey("A\\C")->Find("V"), nullptr);
}

TEST(RegHiveTest, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
  RegHive h;
  ASSERT_TRUE(h.SetString("Root\\App\\skin", "skin", "one"));
  ASSERT_TRUE(h.SetDword("ROOT\\\\app\\Players\\", "Players", 1));
  ASSERT_TRUE(h.SetString("root\\APP\\SKIN", "SKIN", "two"));
  ASSERT_EQ(h.keys().size(), 3u);  // Root\App created above its first key
  EXPECT_EQ(h.keys()[0].path(), "Root\\App");
  EXPECT_EQ(h.keys()[1].path(), "Root\\App\\skin");
  EXPECT_EQ(h.keys()[2].path(), "Root\\App\\Players");
  const RegKey* skin = h.FindKey("root\\app\\Skin");
  ASSERT_EQ(skin->values().size(), 1u);
  EXPECT_EQ(skin->values()[0].name, "skin");
  EXPECT_EQ(skin->values()[0].AsString(), "two");
  // Reading a file: the later value wins, in the place of the first.
  const RegHive p = RegHive::Parse(
      "Windows Registry Editor Version 5.00\n[A\\K]\n\"One\"=dword:1\n\"Two\"=dword:2\n"
      "[a\\k]\n\"ONE\"=\"s\"\n");
  ASSERT_EQ(p.keys().size(), 1u);
  EXPECT_EQ(p.keys()[0].values()[0].name, "One");
  EXPECT_EQ(p.keys()[0].values()[0].AsString(), "s");
  EXPECT_EQ(p.keys()[0].values()[1].name, "Two");
}

TEST(RegHiveTest, WritesDeterministicText) {
  RegHive h;
  h.SetDword("HKEY_CURRENT_USER\\S\\RunOnce", "RunOnce", 1);
  h.SetString("HKEY_CURRENT_USER\\S\\skin", "skin", "a\"b\\c");
  h.SetDword("HKEY_CURRENT_USER\\S\\RunOnce", "", 0xDEADBEEF);
  RegValue blob;
  blob.name = "Blob";
  blob.form = RegValue::Form::kHex;
  blob.type = 0xb;
  blob.data = std::string(26, '\x5a');
  h.SetValue("HKEY_CURRENT_USER\\S\\skin", blob);
  const std::string expected =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\S]\r\n\r\n"
      "[HKEY_CURRENT_USER\\S\\RunOnce]\r\n"
      "\"RunOnce\"=dword:00000001\r\n"
      "@=dword:deadbeef\r\n\r\n"
      "[HKEY_CURRENT_USER\\S\\skin]\r\n"
      "\"skin\"=\"a\\\"b\\\\c\"\r\n"
      "\"Blob\"=hex(b):5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,"
      "5a,\\\r\n  5a,5a\r\n\r\n";
  EXPECT_EQ(h.Serialize(), expected);
  EXPECT_EQ(RegHive::Parse(expected), h);
}

TEST(RegHiveTest, TextsSurviveWritingAndReading) {
  RegHive h;
  const std::string texts[] = {"",
                               "plain",
                               "two\nlines\r\nand more",  // written as hex(1)
                               "tab\tand ; semicolon = [bracket]",
                               "caf\xC3\xA9 \xF0\x9F\x8F\x8C",
                               "trailing backslash\\",
                               " blanks "};
  for (size_t i = 0; i < std::size(texts); ++i) {
    ASSERT_TRUE(h.SetString("R\\K" + std::to_string(i), "v", texts[i]));
  }
  RegParseReport rep;
  const RegHive back = RegHive::Parse(h.Serialize(), &rep);
  ASSERT_TRUE(rep.ok);
  EXPECT_EQ(rep.skipped_lines, 0);
  for (size_t i = 0; i < std::size(texts); ++i) {
    EXPECT_EQ(back.FindKey("R\\K" + std::to_string(i))->Find("v")->AsString(), texts[i]);
  }
  // A name with a line break, an over-long text, a bad key path: refused.
  EXPECT_FALSE(h.SetDword("R\\K", "a\nb", 1));
  EXPECT_FALSE(h.SetString("R\\K", "v", std::string(kMaxRegDataBytes + 1, 'x')));
  EXPECT_FALSE(h.SetString("R\\K", "v", std::string(kMaxRegDataBytes / 2, '\n')));
  EXPECT_FALSE(h.SetDword("\\\\", "v", 1));
  EXPECT_FALSE(h.SetDword("-R\\K", "v", 1));
  EXPECT_EQ(h.FindKey("R\\K"), nullptr);
}

TEST(RegHiveTest, ValueConversions) {
  const RegHive h = RegHive::Parse(
      "Windows Registry Editor Version 5.00\n[R\\K]\n"
      "\"D4\"=hex(4):2a,00,00,00\n"
      "\"D3\"=hex(4):2a,00,00\n"
      "\"Sz\"=hex(1):41,00,42\n"            // odd last byte dropped
      "\"Surrogate\"=hex(2):3d,d8,41,00\n"  // unpaired: U+FFFD
      "\"Zero\"=\"a\0b\"\n"
      "\"Short\"=dword:7\n"
      "\"Upper\"=DWORD:0000000A\n"s);
  const RegKey* k = h.FindKey("R\\K");
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(k->Find("D4")->AsDword(), 42u);
  EXPECT_EQ(k->Find("D3")->AsDword(), std::nullopt);
  EXPECT_EQ(k->Find("Sz")->AsString(), "A");
  EXPECT_EQ(k->Find("Surrogate")->AsString(),
            "\xEF\xBF\xBD"
            "A");
  EXPECT_EQ(k->Find("Zero")->AsString(), "a");  // the text ends at the first zero
  EXPECT_EQ(k->Find("Short")->AsDword(), 7u);
  EXPECT_EQ(k->Find("Upper")->AsDword(), 10u);
  EXPECT_EQ(k->Find("Short")->AsString(), std::nullopt);
}

}  // namespace
}  // namespace gp
