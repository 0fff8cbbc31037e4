// The script's event listeners: entries {target, event, handler script,
// script context} registered by the window's script, and the events fired at
// them. One lock guards the list; it is held for the whole of FireEvent,
// handler calls included, and by Register and UnRegister, so the install
// worker's events and the window's registrations never interleave.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "framework/interfaces.h"

class FrameworkFactory;

class ListenerRegistry {
 public:
  explicit ListenerRegistry(FrameworkFactory& factory) : factory_(factory) {}
  ~ListenerRegistry();
  ListenerRegistry(const ListenerRegistry&) = delete;
  ListenerRegistry& operator=(const ListenerRegistry&) = delete;

  // Appends an entry (no duplicate check); the registry holds a reference
  // to the context.
  void Register(const std::wstring& target, const std::wstring& event, const std::wstring& handler,
                framework::ScriptContext* context);
  // Removes, last first, every entry whose target and event equal these
  // ignoring case.
  void UnRegister(const std::wstring& target, const std::wstring& event);

  // Runs the handler of every entry for this event (or for every event, when
  // the entry's event is empty; names compare exactly) on its target, with
  // one argument "params" whose members are the event name and, when given,
  // the parameter. An entry whose target its context no longer finds (the
  // window closed) is dropped.
  void FireEvent(const wchar_t* event, framework::Value* parameter);

  size_t size() const;

 private:
  struct Listener {
    std::wstring target;
    std::wstring event;
    std::wstring handler;
    framework::ScriptContext* context;
  };

  void RunHandler(const Listener& listener, framework::Object* target, const wchar_t* event,
                  framework::Value* parameter);

  FrameworkFactory& factory_;
  // Recursive: a handler that runs at once on this thread may register.
  mutable std::recursive_mutex lock_;
  std::vector<Listener> listeners_;
};
