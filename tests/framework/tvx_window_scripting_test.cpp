// A tvx window's scripting against a script-engine double: which objects and
// methods the scripts see, what the methods do to the window, which calls
// are refused, and that nothing outlives the window but the context.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/tvx/markup_parser.h"
#include "framework/tvx/window_scripting.h"
#include "tests/framework/tvx_script_engine_double.h"

namespace {

using tvx_double::Context;
using tvx_double::Factory;

// Records what scripts did to the window.
class SurfaceDouble : public tvx::ControlSurface {
 public:
  std::wstring GetControlText(int control) override { return texts[control]; }
  void SetControlText(int control, const std::wstring& text) override { texts[control] = text; }
  bool IsControlChecked(int control) override { return checked[control]; }
  void SetControlChecked(int control, bool value) override { checked[control] = value; }
  bool IsControlEnabled(int control) override { return !disabled[control]; }
  void EnableControl(int control, bool value) override { disabled[control] = !value; }
  void ShowControl(int control, bool value) override { hidden[control] = !value; }
  void FocusControl(int control) override { focused = control; }
  int GetProgress(int control) override { return progress[control]; }
  void SetProgress(int control, int value) override { progress[control] = value; }
  void ShowPage(int value) override { page = value; }
  int CurrentPage() override { return page; }
  void SetTitle(const std::wstring& value) override { title = value; }
  void SetBusy(bool value) override { busy = value; }
  bool IsBusy() override { return busy; }
  void CloseWindow() override { closed = true; }
  void CancelWindow() override { cancelled = true; }

  std::map<int, std::wstring> texts;
  std::map<int, bool> checked, disabled, hidden;
  std::map<int, int> progress;
  int focused = -2;
  int page = 0;
  std::wstring title;
  bool busy = false;
  bool closed = false;
  bool cancelled = false;
};

const char kMarkup[] =
    "<tvx><window name=\"install\" type=\"WID_TVX_WINDOW\" width=\"300\" height=\"200\">"
    "<script>function a() {}</script><script>function b() {}</script>"
    "<page id=\"welcome\">"
    " <text x=\"0\" y=\"0\" width=\"9\" height=\"9\">no id</text>"
    " <edit id=\"path\" x=\"0\" y=\"0\" width=\"9\" height=\"9\"/>"
    "</page><page id=\"options\">"
    " <checkbox id=\"docs\" x=\"0\" y=\"0\" width=\"9\" height=\"9\"/>"
    " <progress id=\"bar\" x=\"0\" y=\"0\" width=\"9\" height=\"9\" max=\"100\"/>"
    "</page></window></tvx>";

class TvxWindowScripting : public ::testing::Test {
 protected:
  void SetUp() override {
    tvx::MarkupParser parser(L"m");
    ASSERT_TRUE(parser.Parse(kMarkup, sizeof(kMarkup) - 1, &markup_));
    Factory::Reset();
    scripting_.reset(new tvx::WindowScripting(markup_.windows[0], surface_, &Factory::Create));
  }
  void TearDown() override {
    scripting_.reset();
    Factory::Reset();
    // Every object made for the window is gone once the context is.
    EXPECT_EQ(tvx_double::Counted<framework::ScriptContext>::live, 0);
    EXPECT_EQ(tvx_double::Counted<framework::ScriptObjectInterface>::live, 0);
    EXPECT_EQ(tvx_double::Counted<framework::Value>::live, 0);
    EXPECT_EQ(tvx_double::Counted<framework::ArgumentList>::live, 0);
  }
  Context& context() { return *Factory::last_context; }
  int Control(const wchar_t* id) { return markup_.windows[0].FindControl(id); }

  tvx::Markup markup_;
  SurfaceDouble surface_;
  std::unique_ptr<tvx::WindowScripting> scripting_;
};

TEST_F(TvxWindowScripting, NamesTheWindowAndControlsWithIdsAndRunsTheScriptBlocks) {
  ASSERT_TRUE(scripting_->Start());
  EXPECT_TRUE(context().Has(L"install"));
  EXPECT_TRUE(context().Has(L"path"));
  EXPECT_TRUE(context().Has(L"docs"));
  EXPECT_TRUE(context().Has(L"bar"));
  ASSERT_EQ(context().runs.size(), 2u);
  EXPECT_EQ(context().runs[0].script, L"function a() {}");
  EXPECT_EQ(context().runs[0].target, nullptr);
  EXPECT_EQ(context().runs[1].script, L"function b() {}");

  const std::vector<std::wstring> edit = context().Methods(L"path");
  const std::vector<std::wstring> expected = {L"enable",    L"focus",   L"getText",
                                              L"isEnabled", L"setText", L"show"};
  EXPECT_EQ(edit, expected);
  const std::vector<std::wstring> box = context().Methods(L"docs");
  EXPECT_NE(std::find(box.begin(), box.end(), L"setChecked"), box.end());
  const std::vector<std::wstring> bar = context().Methods(L"bar");
  EXPECT_NE(std::find(bar.begin(), bar.end(), L"setValue"), bar.end());
  EXPECT_EQ(std::find(bar.begin(), bar.end(), L"setChecked"), bar.end());
}

TEST_F(TvxWindowScripting, EventsRunOnTheirControlOrOnTheWindow) {
  ASSERT_TRUE(scripting_->Start());
  context().runs.clear();
  EXPECT_TRUE(scripting_->RunEvent(Control(L"path"), L"this.setText('x')"));
  EXPECT_TRUE(scripting_->RunEvent(0, L"f()"));  // the text without an id
  EXPECT_TRUE(scripting_->RunEvent(-1, L"g()"));
  ASSERT_EQ(context().runs.size(), 3u);
  EXPECT_EQ(context().runs[0].target, context().Named(L"path"));
  EXPECT_EQ(context().runs[1].target, context().Named(L"install"));
  EXPECT_EQ(context().runs[2].target, context().Named(L"install"));
  EXPECT_FALSE(scripting_->RunEvent(-1, L""));

  context().evaluate_result = L"false";
  std::wstring value;
  EXPECT_TRUE(scripting_->EvaluateEvent(-1, L"ask()", &value));
  EXPECT_EQ(value, L"false");
  context().fail_scripts = true;
  EXPECT_FALSE(scripting_->RunEvent(-1, L"broken("));
  EXPECT_FALSE(scripting_->EvaluateEvent(-1, L"broken(", &value));
}

TEST_F(TvxWindowScripting, MethodsWorkOnTheWindow) {
  ASSERT_TRUE(scripting_->Start());
  Context& c = context();
  std::wstring result;
  EXPECT_EQ(c.Call(L"path", L"setText", {L"C:\\Apps"}), framework::kOk);
  EXPECT_EQ(surface_.texts[Control(L"path")], L"C:\\Apps");
  EXPECT_EQ(c.Call(L"path", L"getText", {}, &result), framework::kOk);
  EXPECT_EQ(result, L"C:\\Apps");
  EXPECT_EQ(c.Call(L"docs", L"setChecked", {L"true"}), framework::kOk);
  EXPECT_EQ(c.Call(L"docs", L"isChecked", {}, &result), framework::kOk);
  EXPECT_EQ(result, L"true");
  EXPECT_EQ(c.Call(L"docs", L"setChecked", {L"0"}), framework::kOk);
  EXPECT_FALSE(surface_.checked[Control(L"docs")]);
  EXPECT_EQ(c.Call(L"docs", L"enable", {L"false"}), framework::kOk);
  EXPECT_TRUE(surface_.disabled[Control(L"docs")]);
  EXPECT_EQ(c.Call(L"docs", L"isEnabled", {}, &result), framework::kOk);
  EXPECT_EQ(result, L"false");
  EXPECT_EQ(c.Call(L"docs", L"show", {}), framework::kOk);  // no argument: show
  EXPECT_FALSE(surface_.hidden[Control(L"docs")]);
  EXPECT_EQ(c.Call(L"path", L"focus", {}), framework::kOk);
  EXPECT_EQ(surface_.focused, Control(L"path"));
  EXPECT_EQ(c.Call(L"bar", L"setValue", {L"37.5"}), framework::kOk);
  EXPECT_EQ(surface_.progress[Control(L"bar")], 38);
  EXPECT_EQ(c.Call(L"bar", L"getValue", {}, &result), framework::kOk);
  EXPECT_EQ(result, L"38");

  EXPECT_EQ(c.Call(L"install", L"showPage", {L"options"}), framework::kOk);
  EXPECT_EQ(surface_.page, 1);
  EXPECT_EQ(c.Call(L"install", L"getPage", {}, &result), framework::kOk);
  EXPECT_EQ(result, L"options");
  EXPECT_EQ(c.Call(L"install", L"setTitle", {L"Almost done"}), framework::kOk);
  EXPECT_EQ(surface_.title, L"Almost done");
  EXPECT_EQ(c.Call(L"install", L"setBusy", {L"TRUE"}), framework::kOk);
  EXPECT_EQ(c.Call(L"install", L"isBusy", {}, &result), framework::kOk);
  EXPECT_EQ(result, L"true");
  EXPECT_EQ(c.Call(L"install", L"cancel", {}), framework::kOk);
  EXPECT_TRUE(surface_.cancelled);
  EXPECT_FALSE(surface_.closed);
  EXPECT_EQ(c.Call(L"install", L"close", {}), framework::kOk);
  EXPECT_TRUE(surface_.closed);
}

TEST_F(TvxWindowScripting, BadCallsAreRefused) {
  ASSERT_TRUE(scripting_->Start());
  Context& c = context();
  const int32_t refused = framework::kScriptCallFailed;
  struct Case {
    const wchar_t* object;
    const wchar_t* method;
    std::vector<std::wstring> arguments;
  } cases[] = {
      {L"install", L"showPage", {L"nowhere"}},  // no such page
      {L"install", L"showPage", {}},
      {L"install", L"setBusy", {L"maybe"}},
      {L"install", L"setTitle", {}},
      {L"path", L"setText", {}},
      {L"docs", L"enable", {L"2"}},
      {L"bar", L"setValue", {L"lots"}},
      {L"bar", L"setValue", {L""}},
      {L"bar", L"setValue", {L"1e300"}},
      {L"bar", L"setValue", {L"nan"}},
  };
  for (const Case& call : cases) {
    EXPECT_EQ(c.Call(call.object, call.method, call.arguments), refused)
        << std::string(call.method, call.method + wcslen(call.method));
  }
  EXPECT_EQ(surface_.page, 0);
  EXPECT_EQ(surface_.progress.count(Control(L"bar")), 0u);
  // Methods of other kinds are not there at all.
  EXPECT_EQ(c.Call(L"path", L"setChecked", {L"true"}), framework::kFailed);
  // A method id that reaches the wrong kind anyway is refused.
  EXPECT_EQ(scripting_->Invoke(Control(L"path"), tvx::ScriptMethod::kSetChecked, nullptr, nullptr),
            refused);
  EXPECT_EQ(scripting_->Invoke(99, tvx::ScriptMethod::kGetText, nullptr, nullptr), refused);
}

TEST_F(TvxWindowScripting, AContextKeptAfterTheWindowFindsItsObjectsDead) {
  ASSERT_TRUE(scripting_->Start());
  Context* kept = &context();
  kept->AddRef();  // as a listener registry would
  scripting_->Stop();
  EXPECT_EQ(kept->Call(L"path", L"setText", {L"late"}), framework::kScriptCallFailed);
  EXPECT_TRUE(surface_.texts.empty());
  kept->Release();
}

TEST_F(TvxWindowScripting, StartFailsWithoutAScriptContext) {
  Factory::refuse_contexts = true;
  EXPECT_FALSE(scripting_->Start());
  EXPECT_FALSE(scripting_->last_error().empty());
  EXPECT_FALSE(scripting_->RunEvent(-1, L"f()"));
  tvx::WindowScripting none(markup_.windows[0], surface_, nullptr);
  EXPECT_FALSE(none.Start());
}

TEST_F(TvxWindowScripting, AFailingScriptBlockIsReportedButTheWindowRuns) {
  Factory::scripts_fail = true;
  ASSERT_TRUE(scripting_->Start());
  EXPECT_EQ(scripting_->last_error(), L"<script> block 2 failed");
  EXPECT_TRUE(context().Has(L"install"));
  Factory::scripts_fail = false;
  ASSERT_TRUE(scripting_->Start());  // a fresh context
  EXPECT_TRUE(scripting_->last_error().empty());
}

}  // namespace
