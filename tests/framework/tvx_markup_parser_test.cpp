// The installer window markup: what a good window reads as, and the error
// text every kind of bad markup gives.
#include <gtest/gtest.h>

#include <string>

#include "framework/tvx/markup_parser.h"

namespace {

tvx::Markup ParseOk(const std::string& text) {
  tvx::MarkupParser parser(L"install_gui_tvx");
  tvx::Markup markup;
  EXPECT_TRUE(parser.Parse(text.data(), text.size(), &markup))
      << std::string(parser.error().begin(), parser.error().end());
  return markup;
}

std::wstring ParseError(const std::string& text) {
  tvx::MarkupParser parser(L"install_gui_tvx");
  tvx::Markup markup;
  EXPECT_FALSE(parser.Parse(text.data(), text.size(), &markup));
  EXPECT_TRUE(markup.windows.empty());
  return parser.error();
}

std::string Window(const std::string& body, const std::string& extra = "") {
  return "<tvx>\n<window name=\"install\" type=\"WID_TVX_WINDOW\" title=\"Setup\" width=\"400\" "
         "height=\"300\"" +
         extra + ">\n" + body + "\n</window>\n</tvx>\n";
}

TEST(TvxMarkupParser, ReadsWindowPagesControlsAndScripts) {
  const tvx::Markup markup = ParseOk(
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<tvx>\n"
      " <window name=\"install\" type=\"WID_TVX_WINDOW\" title=\"Caf\xC3\xA9 Setup\" width=\"480\""
      "  height=\"360\" onload=\"start()\" cancelquestion=\"Stop?\">\n"
      "  <script><![CDATA[function start() { return 1 < 2 && true; }]]></script>\n"
      "  <image x=\"0\" y=\"0\" width=\"120\" height=\"360\" src=\"art/side.png\"/>\n"
      "  <page id=\"welcome\" onshow=\"shown()\">\n"
      "   <text x=\"130\" y=\"10\" width=\"300\" height=\"20\" heading=\"true\">  Welcome &amp; "
      "hello  </text>\n"
      "   <button id=\"next\" x=\"300\" y=\"320\" width=\"80\" height=\"24\" default=\"true\"\n"
      "           onclick=\"go('folder');\nnext()\">&amp;Next &gt;</button>\n"
      "  </page>\n"
      "  <page id=\"folder\">\n"
      "   <edit id=\"path\" x=\"130\" y=\"40\" width=\"200\" height=\"22\" onchange=\"c()\"/>\n"
      "   <folderpicker id=\"browse\" x=\"340\" y=\"40\" width=\"80\" height=\"22\""
      "    target=\"path\" prompt=\"Pick one\">B&amp;rowse...</folderpicker>\n"
      "   <radio id=\"typical\" group=\"kind\" checked=\"true\" x=\"130\" y=\"80\" width=\"100\""
      "    height=\"20\">&amp;Typical</radio>\n"
      "   <radio id=\"custom\" group=\"kind\" x=\"130\" y=\"100\" width=\"100\" height=\"20\">"
      "C&amp;ustom</radio>\n"
      "   <checkbox id=\"docs\" checked=\"1\" enabled=\"false\" x=\"150\" y=\"120\" width=\"100\""
      "    height=\"20\">Docs</checkbox>\n"
      "   <progress id=\"bar\" x=\"130\" y=\"150\" width=\"200\" height=\"16\" max=\"1000\""
      "    value=\"10\" visible=\"false\"/>\n"
      "  </page>\n"
      " </window>\n"
      "</tvx>\n");
  ASSERT_EQ(markup.windows.size(), 1u);
  const tvx::MarkupWindow& window = markup.windows[0];
  EXPECT_EQ(window.name, L"install");
  EXPECT_EQ(window.type, L"WID_TVX_WINDOW");
  EXPECT_EQ(window.title, L"Caf\u00E9 Setup");
  EXPECT_EQ(window.width, 480);
  EXPECT_EQ(window.height, 360);
  EXPECT_EQ(window.onload, L"start()");
  EXPECT_EQ(window.cancel_question, L"Stop?");
  ASSERT_EQ(window.scripts.size(), 1u);
  EXPECT_EQ(window.scripts[0], L"function start() { return 1 < 2 && true; }");
  ASSERT_EQ(window.pages.size(), 2u);
  EXPECT_EQ(window.pages[0].id, L"welcome");
  EXPECT_EQ(window.pages[0].onshow, L"shown()");
  ASSERT_EQ(window.controls.size(), 9u);

  const tvx::MarkupControl& image = window.controls[0];
  EXPECT_EQ(image.kind, tvx::ControlKind::kImage);
  EXPECT_EQ(image.page, -1);
  EXPECT_EQ(image.source, L"art/side.png");
  EXPECT_EQ(window.controls[1].text, L"Welcome & hello");
  EXPECT_TRUE(window.controls[1].heading);
  EXPECT_EQ(window.controls[1].page, 0);

  const tvx::MarkupControl& next = window.controls[window.FindControl(L"next")];
  EXPECT_TRUE(next.is_default);
  EXPECT_EQ(next.text, L"&Next >");
  // Line breaks inside event attributes stay: they are script text.
  EXPECT_EQ(next.onclick, L"go('folder');\nnext()");
  EXPECT_EQ(next.line, 8);

  const tvx::MarkupControl& picker = window.controls[window.FindControl(L"browse")];
  EXPECT_EQ(picker.kind, tvx::ControlKind::kFolderPicker);
  EXPECT_EQ(picker.target, L"path");
  EXPECT_EQ(picker.source, L"Pick one");
  EXPECT_EQ(picker.page, 1);

  const tvx::MarkupControl& typical = window.controls[window.FindControl(L"typical")];
  const tvx::MarkupControl& custom = window.controls[window.FindControl(L"custom")];
  EXPECT_TRUE(typical.group_start);
  EXPECT_TRUE(typical.checked);
  EXPECT_FALSE(custom.group_start);
  EXPECT_FALSE(custom.checked);

  const tvx::MarkupControl& docs = window.controls[window.FindControl(L"docs")];
  EXPECT_TRUE(docs.checked);
  EXPECT_FALSE(docs.enabled);
  const tvx::MarkupControl& bar = window.controls[window.FindControl(L"bar")];
  EXPECT_EQ(bar.maximum, 1000);
  EXPECT_EQ(bar.value, 10);
  EXPECT_FALSE(bar.visible);
}

TEST(TvxMarkupParser, KeepsEveryWindowAndFindsThemByName) {
  const tvx::Markup markup = ParseOk(
      "<tvx><window name=\"a\" type=\"WID_TVX_WINDOW\" width=\"100\" height=\"100\"/>"
      "<window name=\"install\" type=\"OTHER\" width=\"100\" height=\"100\"/></tvx>");
  ASSERT_NE(markup.FindWindowNamed(L"install"), nullptr);
  EXPECT_EQ(markup.FindWindowNamed(L"install")->type, L"OTHER");
  EXPECT_EQ(markup.FindWindowNamed(L"Install"), nullptr);
}

TEST(TvxMarkupParser, SeparateRadioGroupsEachStartAGroup) {
  const tvx::Markup markup = ParseOk(
      Window("<radio group=\"a\" x=\"0\" y=\"0\" width=\"9\" height=\"9\" checked=\"true\"/>"
             "<radio group=\"b\" x=\"0\" y=\"0\" width=\"9\" height=\"9\" checked=\"true\"/>"
             "<radio group=\"b\" x=\"0\" y=\"0\" width=\"9\" height=\"9\"/>"));
  const auto& controls = markup.windows[0].controls;
  EXPECT_TRUE(controls[0].group_start);
  EXPECT_TRUE(controls[1].group_start);
  EXPECT_FALSE(controls[2].group_start);
}

TEST(TvxMarkupParser, BadMarkupGivesItsErrorText) {
  const std::string size = " x=\"1\" y=\"2\" width=\"3\" height=\"4\"";
  struct Case {
    std::string markup;
    std::wstring error;
  } cases[] = {
      {"", L"install_gui_tvx, line 1: the XML is not well formed (No document element found)\n"},
      {"<tvx>\n<window", L"install_gui_tvx, line 2: the XML is not well formed"},
      {"<install/>", L"install_gui_tvx, line 1: the root element must be <tvx>, not <install>\n"},
      {"<tvx/>", L"install_gui_tvx, line 1: the markup holds no <window>\n"},
      {"<tvx><dialog/></tvx>", L"only <window> elements may stand in <tvx>, not <dialog>"},
      {"<tvx><window type=\"T\" width=\"100\" height=\"100\"/></tvx>", L"<window> needs \"name\""},
      {"<tvx><window name=\"w\" width=\"100\" height=\"100\"/></tvx>", L"<window> needs \"type\""},
      {"<tvx><window name=\"w\" type=\"T\" width=\"100\"/></tvx>", L"<window> needs \"height\""},
      {"<tvx><window name=\"\" type=\"T\" width=\"100\" height=\"100\"/></tvx>",
       L"the window's \"name\" is empty"},
      {Window("", " colour=\"red\""), L"<window> has no attribute \"colour\""},
      {Window("", " width=\"5\""), L"line 2: <window> has \"width\" twice"},
      {"<tvx><window name=\"w\" type=\"T\" width=\"10\" height=\"100\"/></tvx>",
       L"\"width\" must be a whole number from 32 to 8192, not \"10\""},
      {"<tvx><window name=\"w\" type=\"T\" width=\"1e3\" height=\"100\"/></tvx>", L"not \"1e3\""},
      {"<tvx><window name=\"w\" type=\"T\" width=\"99999999999999999999\" height=\"100\"/></tvx>",
       L"from 32 to 8192"},
      {"<tvx><window name=\"w\" type=\"T\" width=\"100\" height=\"100\"/>"
       "<window name=\"w\" type=\"T\" width=\"100\" height=\"100\"/></tvx>",
       L"a second window is named \"w\""},
      {Window("<marquee" + size + "/>"), L"line 3: unknown element <marquee>"},
      {Window("<button x=\"1\" y=\"2\" width=\"3\"/>"), L"<button> needs \"height\""},
      {Window("<button" + size + " default=\"yes\"/>"),
       L"\"default\" must be \"true\" or \"false\", not \"yes\""},
      {Window("<text" + size + " onclick=\"x()\"/>"), L"<text> has no attribute \"onclick\""},
      {Window("<image" + size + "/>"), L"<image> needs \"src\""},
      {Window("<folderpicker" + size + "/>"), L"<folderpicker> needs \"target\""},
      {Window("<text id=\"t\"" + size + "/><folderpicker" + size + " target=\"t\"/>"),
       L"the folder picker's \"target\" \"t\" is not the id of an <edit>"},
      {Window("<text id=\"a\"" + size + "/><edit id=\"a\"" + size + "/>"),
       L"the id \"a\" is used twice"},
      {Window("<page id=\"a\"/><edit id=\"a\"" + size + "/>"), L"the id \"a\" is used twice"},
      {Window("<page id=\"p\"><page id=\"q\"/></page>"), L"pages cannot be nested"},
      {Window("<page id=\"p\"><script>x</script></page>"), L"<script> belongs in the <window>"},
      {Window("<page/>"), L"<page> needs \"id\""},
      {Window("loose words"), L"text belongs inside a control, not directly in <window>"},
      {Window("<button" + size + "><b>bold</b></button>"), L"<button> holds no elements"},
      {Window("<page id=\"p\"><button" + size + " default=\"true\"/><button" + size +
              " default=\"true\"/></page>"),
       L"page \"p\" has more than one default button"},
      {Window("<button" + size + " default=\"true\"/><page id=\"p\"><button" + size +
              " default=\"true\"/></page>"),
       L"page \"p\" has more than one default button"},
      {Window("<button" + size + " default=\"true\"/><button" + size + " default=\"true\"/>"),
       L"the window has more than one default button"},
      {Window("<radio group=\"g\"" + size + "/><text" + size + "/><radio group=\"g\"" + size +
              "/>"),
       L"line 3: the radio buttons of group \"g\" must follow each other"},
      {Window("<radio group=\"g\" checked=\"true\"" + size + "/><radio group=\"g\" checked=\"1\"" +
              size + "/>"),
       L"more than one radio button of group \"g\" is checked"},
      {Window("<progress" + size + " max=\"10\" value=\"11\"/>"),
       L"the progress \"value\" is larger than its \"max\""},
      {Window("<progress" + size + " max=\"0\"/>"), L"\"max\" must be a whole number from 1"},
  };
  for (const Case& c : cases) {
    const std::wstring error = ParseError(c.markup);
    EXPECT_NE(error.find(c.error), std::wstring::npos)
        << c.markup << "\n gave: " << std::string(error.begin(), error.end());
    EXPECT_EQ(error.compare(0, 15, L"install_gui_tvx"), 0);
    EXPECT_EQ(error.back(), L'\n');
  }
}

TEST(TvxMarkupParser, AParseAfterAFailureStartsClean) {
  tvx::MarkupParser parser(L"m");
  tvx::Markup markup;
  const std::string bad = "<tvx/>";
  EXPECT_FALSE(parser.Parse(bad.data(), bad.size(), &markup));
  const std::string good = Window("");
  EXPECT_TRUE(parser.Parse(good.data(), good.size(), &markup));
  EXPECT_TRUE(parser.error().empty());
  EXPECT_EQ(markup.windows.size(), 1u);
}

}  // namespace
