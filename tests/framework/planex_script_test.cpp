// Values, argument lists, script objects and contexts of planex, with
// scripts calling native methods the way the installer's window does.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "framework/planex/global_object_table.h"
#include "framework/planex/planex_factory.h"
#include "framework/planex/script_context_object.h"
#include "framework/planex/script_job_queue.h"
#include "tests/framework/planex_test_objects.h"

namespace {

template <typename T>
T* Create(const framework::Guid& interfaceId, framework::Object* outer = nullptr) {
  void* object = nullptr;
  if (CreatePlanexInstance(&framework::kScriptClassId, &interfaceId, &object, outer) !=
      framework::kOk) {
    return nullptr;
  }
  return static_cast<T*>(object);
}

framework::ScriptObjectInterface* NewScriptObject(const wchar_t* name, framework::Object* context) {
  auto* object = Create<framework::ScriptObjectInterface>(framework::kScriptObjectInterfaceId);
  object->SetName(name);
  object->AddMethod(L"Echo", RecordingDispatcher, object, context, 1);
  object->AddMethod(L"Fail", RecordingDispatcher, object, context, 2);
  object->AddMethod(L"Quiet", RecordingDispatcher, object, context, 3);
  return object;
}

class PlanexScript : public ::testing::Test {
 protected:
  void SetUp() override {
    CallRecorder::Instance().Clear();
    // The installer object: a script object inside a container, added to
    // the global scope through the container.
    void* inner = nullptr;
    ASSERT_EQ(CreatePlanexInstance(&framework::kScriptClassId, &framework::kScriptObjectId, &inner,
                                   &container),
              framework::kOk);
    container.Hold(static_cast<framework::Object*>(inner));
    framework::ScriptObjectInterface* installer = nullptr;
    ASSERT_EQ(container.QueryInterface(framework::kScriptObjectInterfaceId,
                                       reinterpret_cast<void**>(&installer), 1),
              framework::kOk);
    installer->SetName(L"installer");
    installer->SetDescription(L"Installer-Script-Object");
    installer->SetFlags(0x10000);
    installer->AddMethod(L"Echo", RecordingDispatcher, installer, &container, 1);
    installer->AddMethod(L"Fail", RecordingDispatcher, installer, &container, 2);
    installer->AddMethod(L"Quiet", RecordingDispatcher, installer, &container, 3);
    installer->AddMethod(L"Drop", RecordingDispatcher, installer, &container, 4);
    installer->SetFirstOption(1);
    installer->SetSecondOption(0);
    installer->Release();
    auto* engine = Create<framework::ScriptEngine>(framework::kScriptEngineId);
    ASSERT_NE(engine, nullptr);
    ASSERT_EQ(engine->AddGlobalObject(&container), framework::kOk);
    engine->Release();

    context = Create<framework::ScriptContext>(framework::kScriptContextId);
    ASSERT_NE(context, nullptr);
    window = NewScriptObject(L"install", nullptr);
    ASSERT_EQ(context->AddNamedObject(L"install", window), framework::kOk);
  }

  void TearDown() override {
    ScriptJobQueue::Instance().Clear();
    if (window != nullptr) window->Release();
    if (context != nullptr) context->Release();
    GlobalObjectTable::Instance().Clear();
    EXPECT_EQ(container.references, 1);
    EXPECT_EQ(container.recursions, 0);
  }

  std::wstring Evaluate(const wchar_t* script, framework::Object* target = nullptr) {
    auto* result = Create<framework::Value>(framework::kValueId);
    int32_t outcome = context->Evaluate(script, target, nullptr, result);
    std::wstring text = result->GetText();
    result->Release();
    return outcome == framework::kOk ? text : L"failed: " + text;
  }

  // A value as the installer's FireEvent builds it.
  framework::ArgumentList* EventArguments(const wchar_t* event, const wchar_t* parameter) {
    auto* value = Create<framework::Value>(framework::kValueId);
    value->AddTextMember(nullptr, event);
    if (parameter != nullptr) {
      auto* fraction = Create<framework::Value>(framework::kValueId);
      fraction->SetText(parameter);
      value->AddMember(nullptr, fraction);
      fraction->Release();
    }
    value->SetName(L"params");
    auto* list = Create<framework::ArgumentList>(framework::kArgumentListId);
    list->Append(value);
    value->Release();
    return list;
  }

  TestContainer container;
  framework::ScriptContext* context = nullptr;
  framework::ScriptObjectInterface* window = nullptr;
};

}  // namespace

TEST(PlanexValue, MembersAreCopiesAndTheListHoldsItsOwnReferences) {
  auto* member = Create<framework::Value>(framework::kValueId);
  member->SetText(L"0.500000");
  member->AddTextMember(L"inner", L"deep");
  auto* value = Create<framework::Value>(framework::kValueId);
  value->AddTextMember(nullptr, L"installprogress");
  value->AddMember(L"fraction", member);
  member->SetText(L"changed afterwards");
  ASSERT_EQ(value->GetMemberCount(), 2u);
  EXPECT_EQ(std::wstring(value->GetMemberAt(0)->GetText()), L"installprogress");
  EXPECT_EQ(std::wstring(value->GetMemberAt(0)->GetName()), L"");
  framework::Value* copied = value->GetMemberAt(1);
  EXPECT_EQ(std::wstring(copied->GetText()), L"0.500000");
  EXPECT_EQ(std::wstring(copied->GetName()), L"fraction");
  ASSERT_EQ(copied->GetMemberCount(), 1u);
  EXPECT_EQ(std::wstring(copied->GetMemberAt(0)->GetName()), L"inner");
  EXPECT_EQ(value->GetMemberAt(2), nullptr);

  auto* other = Create<framework::Value>(framework::kValueId);
  other->SetName(L"kept");
  EXPECT_EQ(other->SetFromObject(value), framework::kOk);
  EXPECT_EQ(std::wstring(other->GetName()), L"kept");
  EXPECT_EQ(other->GetMemberCount(), 2u);
  EXPECT_EQ(other->SetFromObject(other), framework::kOk);
  EXPECT_EQ(other->GetMemberCount(), 2u);

  auto* list = Create<framework::ArgumentList>(framework::kArgumentListId);
  EXPECT_EQ(list->Append(value), framework::kOk);
  EXPECT_EQ(value->Release(), 1);  // the list's reference
  EXPECT_EQ(list->GetCount(), 1u);
  EXPECT_EQ(list->GetAt(0), value);
  EXPECT_EQ(list->GetAt(1), nullptr);
  EXPECT_EQ(list->Append(nullptr), framework::kFailed);
  EXPECT_EQ(list->Release(), 0);
  member->Release();
  other->Release();
}

TEST(PlanexValue, ReferenceCountsAreAtomic) {
  auto* value = Create<framework::Value>(framework::kValueId);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([value] {
      for (int i = 0; i < 20000; ++i) value->AddRef();
      for (int i = 0; i < 20000; ++i) value->Release();
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(value->Release(), 0);
}

TEST(PlanexValue, FactoryAnswersOnlyItsOwnPairs) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(CreatePlanexInstance(&framework::kScriptClassId, &framework::kInterfaceDefinitionSetId,
                                 &object, nullptr),
            framework::kNoClass);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(
      CreatePlanexInstance(&framework::kXmlDocumentClassId, &framework::kValueId, &object, nullptr),
      framework::kNoClass);
  EXPECT_EQ(
      CreatePlanexInstance(&framework::kScriptClassId, &framework::kValueId, nullptr, nullptr),
      framework::kFailed);
}

TEST_F(PlanexScript, InnerObjectsNeitherDelegateToNorHoldTheirOuter) {
  framework::Object* inner = nullptr;
  ASSERT_EQ(
      container.QueryInterface(framework::kScriptObjectId, reinterpret_cast<void**>(&inner), 0),
      framework::kOk);
  int32_t before = container.references;
  int queries = container.queries;
  // Its own count (the container's and the global table's references).
  int32_t own = inner->AddRef();
  EXPECT_EQ(own, 3);
  EXPECT_EQ(inner->Release(), own - 1);
  void* nothing = reinterpret_cast<void*>(1);
  EXPECT_EQ(inner->QueryInterface(kTestContainerId, &nothing, 1), framework::kNoInterface);
  EXPECT_EQ(nothing, nullptr);
  EXPECT_EQ(container.queries, queries);  // the inner object did not ask its outer
  EXPECT_EQ(container.references, before);
  // The global table holds the container itself (one reference besides the test's).
  EXPECT_EQ(container.references, 2);
}

TEST_F(PlanexScript, ScriptsCallNativeMethodsWithTheirArgumentsAndCaller) {
  EXPECT_EQ(Evaluate(L"installer.Echo('a', 5, true, install)"), L"echo:a");
  EXPECT_EQ(Evaluate(L"installer.Fail('x')"), L"couldn't translate string");
  EXPECT_EQ(Evaluate(L"typeof installer.Quiet()"), L"undefined");
  EXPECT_EQ(Evaluate(L"installer.Echo('Caf\u00e9 \U0001F600')"), L"echo:Caf\u00e9 \U0001F600");
  std::vector<RecordedCall> calls = CallRecorder::Instance().Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].method_id, 1);
  // A script object passed as an argument arrives as its name.
  EXPECT_EQ(calls[0].arguments, (std::vector<std::wstring>{L"a", L"5", L"true", L"install"}));
  EXPECT_EQ(calls[0].caller, L"");  // global code
  EXPECT_EQ(calls[0].context, &container);
  EXPECT_EQ(calls[0].script_context, context);
  EXPECT_EQ(calls[1].method_id, 2);
  EXPECT_EQ(calls[2].method_id, 3);

  // Run on the window object: the caller is the window.
  // With a target the text is a function body: its result is what it returns.
  EXPECT_EQ(Evaluate(L"return installer.Echo(this === install ? 'bound' : 'unbound')", window),
            L"echo:bound");
  EXPECT_EQ(Evaluate(L"installer.Echo('no return')", window), L"");
  EXPECT_EQ(CallRecorder::Instance().Calls().back().caller, L"install");
}

TEST_F(PlanexScript, HandlersSeeParamsAndRunOnTheirTarget) {
  ASSERT_EQ(
      context->RunScript(L"function Done(who) { install.Echo('done', who, this === install); }",
                         nullptr, nullptr),
      framework::kOk);
  framework::ArgumentList* arguments = EventArguments(L"installprogress", L"0.500000");
  ASSERT_EQ(context->RunScript(L"installer.Echo(params[0], params[1], params.length); Done(this);",
                               window, arguments),
            framework::kOk);
  arguments->Release();
  std::vector<RecordedCall> calls = CallRecorder::Instance().Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].arguments, (std::vector<std::wstring>{L"installprogress", L"0.500000", L"2"}));
  // Done was called as a plain function: its `this` is the global object.
  EXPECT_EQ(calls[1].arguments, (std::vector<std::wstring>{L"done", L"install", L"false"}));
  EXPECT_EQ(calls[1].caller, L"install");
}

TEST_F(PlanexScript, FailingScriptsReportAndLeaveTheContextUsable) {
  struct Case {
    const wchar_t* script;
    framework::Object* target;
    int32_t result;
  } cases[] = {
      {L"this is not a script", nullptr, framework::kScriptError},
      {L"throw new Error('stop')", nullptr, framework::kScriptError},
      {L"undefinedFunction()", window, framework::kScriptError},
      {L"1 + 1", &container, framework::kOk},  // the installer object is a target too
  };
  for (const Case& c : cases) EXPECT_EQ(context->RunScript(c.script, c.target, nullptr), c.result);
  auto* stranger = NewScriptObject(L"stranger", nullptr);
  EXPECT_EQ(context->RunScript(L"1", stranger, nullptr), framework::kFailed);
  stranger->Release();
  EXPECT_EQ(context->RunScript(nullptr, nullptr, nullptr), framework::kFailed);
  EXPECT_NE(static_cast<ScriptContextObject*>(context)->last_error().find(L"undefinedFunction"),
            std::wstring::npos);
  EXPECT_EQ(Evaluate(L"installer.Echo('still here')"), L"echo:still here");
}

TEST_F(PlanexScript, ContextReleasedByAMethodItRunsLivesUntilTheRunEnds) {
  // The test's reference goes inside the script; the rest of the script
  // still runs on a live heap (under ASan a freed heap would show here).
  framework::ScriptContext* dropped = context;
  context = nullptr;
  EXPECT_EQ(dropped->RunScript(L"installer.Drop(); installer.Echo('after')", window, nullptr),
            framework::kOk);
  std::vector<RecordedCall> calls = CallRecorder::Instance().Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].arguments, (std::vector<std::wstring>{L"after"}));
}

TEST_F(PlanexScript, RunFromAnotherThreadIsQueuedWithItsOwnCopies) {
  std::thread worker([this] {
    framework::Object* target = nullptr;
    ASSERT_EQ(context->FindObject(L"install", &target), framework::kOk);
    framework::ArgumentList* arguments = EventArguments(L"installdone", nullptr);
    EXPECT_EQ(context->RunScript(L"installer.Echo(params[0], params.length)", target, arguments),
              framework::kRunQueued);
    // Released at once, as the installer's FireEvent does.
    arguments->Release();
    target->Release();
    auto* result = Create<framework::Value>(framework::kValueId);
    EXPECT_EQ(context->Evaluate(L"1", nullptr, nullptr, result), framework::kFailed);
    result->Release();
  });
  // Joined before this thread runs anything: the request did not wait.
  worker.join();
  EXPECT_TRUE(CallRecorder::Instance().Calls().empty());
  EXPECT_EQ(ScriptJobQueue::Instance().PendingCount(), 1u);
  EXPECT_EQ(ScriptJobQueue::Instance().RunPending(), 1u);
  std::vector<RecordedCall> calls = CallRecorder::Instance().Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].arguments, (std::vector<std::wstring>{L"installdone", L"1"}));
  EXPECT_EQ(calls[0].caller, L"install");
}

TEST_F(PlanexScript, QueuedRunsThatNeverRunGiveTheirReferencesBack) {
  int32_t before = container.references;
  std::thread worker([this] {
    EXPECT_EQ(context->RunScript(L"installer.Echo('never')", &container, nullptr),
              framework::kRunQueued);
  });
  worker.join();
  EXPECT_EQ(container.references, before + 1);  // the queued run's own
  ScriptJobQueue::Instance().Clear();
  EXPECT_EQ(container.references, before);
  EXPECT_TRUE(CallRecorder::Instance().Calls().empty());
}

TEST_F(PlanexScript, GlobalsAddedLaterReachContextsMadeEarlier) {
  framework::ScriptObjectInterface* late = NewScriptObject(L"late", nullptr);
  auto* engine = Create<framework::ScriptEngine>(framework::kScriptEngineId);
  EXPECT_EQ(engine->AddGlobalObject(late), framework::kOk);
  auto* nameless = NewScriptObject(L"", nullptr);
  EXPECT_EQ(engine->AddGlobalObject(nameless), framework::kFailed);
  EXPECT_EQ(engine->AddGlobalObject(nullptr), framework::kFailed);
  nameless->Release();
  engine->Release();  // the globals stay
  late->Release();
  EXPECT_EQ(Evaluate(L"late.Echo('hi')"), L"echo:hi");
  framework::Object* found = nullptr;
  EXPECT_EQ(context->FindObject(L"late", &found), framework::kOk);
  EXPECT_EQ(found, late);
  found->Release();
  EXPECT_EQ(context->FindObject(L"nobody", &found), framework::kFailed);
  EXPECT_EQ(found, nullptr);
}
