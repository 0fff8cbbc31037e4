// Binary interfaces between setup and the runtime framework libraries (oxu,
// ioweave, korrab, planex, pixway, tvx). This is the only code the libraries
// and setup share: class and interface ids, the object conventions and the
// virtual slot order of every interface either side calls. Slot order and
// argument lists are a binary contract across DLLs: append, never reorder.
//
// Object conventions: every framework object (the installer's own included)
// starts with QueryInterface(interface id, out object, add-reference flag),
// AddRef and Release. Results are integers; negative results are failures.
// An object deletes itself when Release brings its count to 0, so interface
// pointers are never deleted directly (the destructors are protected).
//
// Text: narrow text (`char`) is the system ANSI code page, wide text is
// `wchar_t` (UTF-16 on Windows). Archive entry names, XML element and
// attribute names are narrow; paths handed to the framework, script text,
// values and XML attribute values are wide.
//
// What the contract also fixes (the framework's libraries and their tests
// hold to these; callers may rely on them):
//
// - Reference counts are atomic. Any object may be AddRef'd and Released on
//   any thread (the install worker releases values, lists and contexts it got
//   on its own thread). Using one object from two threads at once is not
//   allowed, except where an interface below says so.
// - Objects created with an outer object (TCreateInstance's `outer`) do not
//   delegate QueryInterface, AddRef or Release to it: they answer only their
//   own interface ids and count their own references. They do not hold a
//   reference to the outer either (the outer holds them; a reference back
//   would be a cycle). So an outer that asks its inner objects for ids it
//   does not know itself never recurses back into itself.
// - A ByteStream passed to a call is borrowed for that call only: the callee
//   neither keeps the pointer nor reads or writes it after returning.
// - XmlDocument::GetDocumentElement gives the document node, not the root
//   element: the top-level elements ("UninstallLog", "installer", ...) are its
//   children, found with GetChild and added with AppendChild. The document
//   node has no attributes (SetAttribute on it fails).
// - ScriptContext::RunScript on the context's own thread (the GUI thread that
//   created it) runs the script at once and returns kOk, or kScriptError when
//   it does not compile or throws. Called from any other thread it does not
//   wait: it copies the script text and the arguments (values and their
//   members), takes its own references to the context and the target, hands
//   the run to the GUI thread and returns kRunQueued. The caller may release
//   its value and list at once. The script runs when the GUI thread next
//   dispatches messages; its outcome is not reported back, so kRunQueued only
//   means "accepted". Runs still queued when the library unloads are dropped.
//   FindObject and RunScript are the two calls that may come from another
//   thread while the GUI thread uses the context.
//
// The header also builds natively (no Windows types) so the portable parts of
// setup and their tests can implement and use these interfaces.
#pragma once

#include <cstdint>
#include <cstring>

// One calling convention for every virtual slot and export, whatever the
// compilers on either side default to. Only 32-bit x86 has a choice.
#if defined(_WIN32) && !defined(_WIN64)
#define FRAMEWORK_CALL __stdcall
#else
#define FRAMEWORK_CALL
#endif

// setup's byte stream class; only setup creates and opens archives from it.
class DataStream;

namespace framework {

// Same layout as the platform GUID (16 bytes, little-endian fields).
struct Guid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};

inline bool operator==(const Guid& a, const Guid& b) {
  return std::memcmp(&a, &b, sizeof(Guid)) == 0;
}
inline bool operator!=(const Guid& a, const Guid& b) { return !(a == b); }

// ---------------------------------------------------------------- results

constexpr int32_t kOk = 0;
// ScriptContext::RunScript from another thread: handed to the GUI thread.
constexpr int32_t kRunQueued = 1;
constexpr int32_t kFailed = -1;
// Factory: no loaded library provides that class with that interface.
constexpr int32_t kNoClass = -2;
// A script method rejected its arguments or its id is not assigned.
constexpr int32_t kScriptCallFailed = -3;
// A script did not compile or threw.
constexpr int32_t kScriptError = -4;
// Window definitions: no window of that name in the markup.
constexpr int32_t kNoSuchWindow = -5;
// QueryInterface: the object does not answer that interface id.
constexpr int32_t kNoInterface = -15;
// Window definitions: the window type is not available.
constexpr int32_t kWindowTypeUnavailable = -17;

inline bool Failed(int32_t result) { return result < 0; }

// ------------------------------------------------------------ class ids

// {50145CDE-CEA8-4041-B07E-337FAF511BFC} library registrar (oxu.dll)
inline constexpr Guid kRegistrarClassId = {
    0x50145CDE, 0xCEA8, 0x4041, {0xB0, 0x7E, 0x33, 0x7F, 0xAF, 0x51, 0x1B, 0xFC}};
// {5D24FC4D-FB2F-4783-9D75-0B034132082E} script engine, script object, value,
// argument list and interface definition set
inline constexpr Guid kScriptClassId = {
    0x5D24FC4D, 0xFB2F, 0x4783, {0x9D, 0x75, 0x0B, 0x03, 0x41, 0x32, 0x08, 0x2E}};
// {CFB93C1F-F177-47E0-ADCB-B52FBF9668BC} XML document
inline constexpr Guid kXmlDocumentClassId = {
    0xCFB93C1F, 0xF177, 0x47E0, {0xAD, 0xCB, 0xB5, 0x2F, 0xBF, 0x96, 0x68, 0xBC}};
// {086FE20A-9F52-44DA-B3DB-EE87864D1939} application TKorrabApp
inline constexpr Guid kApplicationClassId = {
    0x086FE20A, 0x9F52, 0x44DA, {0xB3, 0xDB, 0xEE, 0x87, 0x86, 0x4D, 0x19, 0x39}};

// -------------------------------------------------------- interface ids

// {F316B898-717E-451E-8518-79714110B00F} Registrar
inline constexpr Guid kRegistrarId = {
    0xF316B898, 0x717E, 0x451E, {0x85, 0x18, 0x79, 0x71, 0x41, 0x10, 0xB0, 0x0F}};
// {9BE62AB4-0A61-4B6A-9882-D9F7BE58887F} ScriptEngine
inline constexpr Guid kScriptEngineId = {
    0x9BE62AB4, 0x0A61, 0x4B6A, {0x98, 0x82, 0xD9, 0xF7, 0xBE, 0x58, 0x88, 0x7F}};
// {7C52C80E-4B18-4662-AC1F-DEA529264E97} script object, created with an outer
// object (the object that is added to the engine's global scope)
inline constexpr Guid kScriptObjectId = {
    0x7C52C80E, 0x4B18, 0x4662, {0xAC, 0x1F, 0xDE, 0xA5, 0x29, 0x26, 0x4E, 0x97}};
// {5BBF897A-3311-4F5A-BF4B-110B75E7B1D4} ScriptObjectInterface, asked of the outer
inline constexpr Guid kScriptObjectInterfaceId = {
    0x5BBF897A, 0x3311, 0x4F5A, {0xBF, 0x4B, 0x11, 0x0B, 0x75, 0xE7, 0xB1, 0xD4}};
// {25D3340A-9B50-4FDC-9F8D-D069767B81D3} Value
inline constexpr Guid kValueId = {
    0x25D3340A, 0x9B50, 0x4FDC, {0x9F, 0x8D, 0xD0, 0x69, 0x76, 0x7B, 0x81, 0xD3}};
// {2DD0D5E3-8BC5-441D-BF08-5F52D40C9FE4} ArgumentList
inline constexpr Guid kArgumentListId = {
    0x2DD0D5E3, 0x8BC5, 0x441D, {0xBF, 0x08, 0x5F, 0x52, 0xD4, 0x0C, 0x9F, 0xE4}};
// {190917E6-4FA5-4751-9FD5-786326BAD9BE} InterfaceDefinitionSet
inline constexpr Guid kInterfaceDefinitionSetId = {
    0x190917E6, 0x4FA5, 0x4751, {0x9F, 0xD5, 0x78, 0x63, 0x26, 0xBA, 0xD9, 0xBE}};
// {A111ECF7-22DE-4109-A0B0-F1C12F6B97B4} XmlDocument
inline constexpr Guid kXmlDocumentId = {
    0xA111ECF7, 0x22DE, 0x4109, {0xA0, 0xB0, 0xF1, 0xC1, 0x2F, 0x6B, 0x97, 0xB4}};
// {7C8E6860-3A16-47D0-A33C-B50636FAFEC1} Application (TKorrabApp)
inline constexpr Guid kApplicationId = {
    0x7C8E6860, 0x3A16, 0x47D0, {0xA3, 0x3C, 0xB5, 0x06, 0x36, 0xFA, 0xFE, 0xC1}};
// {65BCBEC5-78A5-43DC-B674-D3DEBF5584E8} Archive (setup's PackageArchive)
inline constexpr Guid kArchiveId = {
    0x65BCBEC5, 0x78A5, 0x43DC, {0xB6, 0x74, 0xD3, 0xDE, 0xBF, 0x55, 0x84, 0xE8}};
// {5A7F3DEB-6D89-4645-9A56-704421EE3E89} the installer's script container
inline constexpr Guid kInstallerContainerId = {
    0x5A7F3DEB, 0x6D89, 0x4645, {0x9A, 0x56, 0x70, 0x44, 0x21, 0xEE, 0x3E, 0x89}};

// Ids that only our own libraries and setup agree on (no outside value binds
// them): the window-definition interface of an interface definition set and
// the element interface of an XML document.
// {3E0C5B71-9A42-4D1E-B6F3-2C8D7A19E405} WindowDefinitions
inline constexpr Guid kWindowDefinitionsId = {
    0x3E0C5B71, 0x9A42, 0x4D1E, {0xB6, 0xF3, 0x2C, 0x8D, 0x7A, 0x19, 0xE4, 0x05}};
// {8D4A2F60-51C7-4B39-A0E8-6F1B3C92D7A4} XmlElement
inline constexpr Guid kXmlElementId = {
    0x8D4A2F60, 0x51C7, 0x4B39, {0xA0, 0xE8, 0x6F, 0x1B, 0x3C, 0x92, 0xD7, 0xA4}};

// {C4E1A7D2-6B3F-4E85-9A10-5D2F8B7C3E61} ScriptContext: a script context of
// its own (one per window), class kScriptClassId.
inline constexpr Guid kScriptContextId = {
    0xC4E1A7D2, 0x6B3F, 0x4E85, {0x9A, 0x10, 0x5D, 0x2F, 0x8B, 0x7C, 0x3E, 0x61}};

// Window type of the installer window "install" (WID_TVX_WINDOW):
// {4B87D871-D052-4C83-82A3-9B5C8C00BA77}
inline constexpr Guid kTvxWindowTypeId = {
    0x4B87D871, 0xD052, 0x4C83, {0x82, 0xA3, 0x9B, 0x5C, 0x8C, 0x00, 0xBA, 0x77}};

// ---------------------------------------------------------- base object

class Object {
 public:
  // On success stores the interface in *object (adding a reference when
  // addReference is non-zero) and returns kOk; else kNoInterface.
  virtual int32_t FRAMEWORK_CALL QueryInterface(const Guid& interfaceId, void** object,
                                                int32_t addReference) = 0;
  // Both return the new count.
  virtual int32_t FRAMEWORK_CALL AddRef() = 0;
  virtual int32_t FRAMEWORK_CALL Release() = 0;

 protected:
  ~Object() = default;
};

// ------------------------------------------------------------ streams

// Byte stream the framework reads and writes through (setup's DataStream).
// Not reference counted: borrowed for the duration of the call it is passed to.
class ByteStream {
 public:
  enum Origin : int32_t { kFromStart = 0, kFromCurrent = 1, kFromEnd = 2 };

  // Bytes actually read / written.
  virtual uint32_t FRAMEWORK_CALL Read(void* buffer, uint32_t size) = 0;
  virtual uint32_t FRAMEWORK_CALL Write(const void* data, uint32_t size) = 0;
  // New position, or negative on failure.
  virtual int64_t FRAMEWORK_CALL Seek(int64_t offset, int32_t origin) = 0;
  virtual int64_t FRAMEWORK_CALL GetSize() = 0;
  // Bytes from the current position to the end.
  virtual int64_t FRAMEWORK_CALL GetRemaining() = 0;

 protected:
  ~ByteStream() = default;
};

// ------------------------------------------------------------ archive

// What the information operations of an archive report about one entry.
struct ArchiveEntryInfo {
  uint32_t uncompressed_size;
  int32_t compressed;  // non-zero when the method is not "stored"
  uint32_t compressed_size;
  // Entry name, owned by the archive: valid until the next information call
  // on the same archive or until it closes.
  const char* name;
};

// setup's PackageArchive, read by the framework (markup and its images).
// Boolean results are non-zero for true.
class Archive : public Object {
 public:
  virtual int32_t FRAMEWORK_CALL GetEntryInfo(const char* name, ArchiveEntryInfo* info) = 0;
  // Whole uncompressed entry in a new buffer; returns its size, or 0 with a
  // null buffer. Every buffer goes back through FreeBuffer.
  virtual uint32_t FRAMEWORK_CALL ReadEntry(const char* name, uint8_t** buffer) = 0;
  virtual void FRAMEWORK_CALL FreeBuffer(uint8_t* buffer) = 0;
  // Display name, else the source stream's name, else empty; owned by the archive.
  virtual void FRAMEWORK_CALL GetName(const wchar_t** name) = 0;
  virtual void FRAMEWORK_CALL SetName(const wchar_t* name) = 0;
  // Opens from setup's own stream class, keeping a copy that shares its handle
  // or memory (only setup calls this slot; the framework sees an opaque pointer).
  virtual int32_t FRAMEWORK_CALL OpenStream(const ::DataStream* stream) = 0;
  // Two names, not overloads: compilers order overloaded virtual slots differently.
  virtual int32_t FRAMEWORK_CALL OpenFileW(const wchar_t* path) = 0;
  virtual int32_t FRAMEWORK_CALL OpenFileA(const char* path) = 0;
  // Whether an archive was open.
  virtual int32_t FRAMEWORK_CALL Close() = 0;
  virtual uint32_t FRAMEWORK_CALL GetEntryCount() = 0;
  virtual int32_t FRAMEWORK_CALL GetEntryInfoAt(uint32_t index, ArchiveEntryInfo* info) = 0;
  virtual uint32_t FRAMEWORK_CALL ReadEntryAt(uint32_t index, uint8_t** buffer) = 0;

 protected:
  ~Archive() = default;
};

// ------------------------------------------------------------- registrar

class Registrar : public Object {
 public:
  // kRegisterLibrary: records (library path, kind, model directory or null)
  // in the registrations file named by OXU_LIBRARY_PATH; 0 on success. The
  // path must be a full path to a library that loads and exports
  // TCreateInstance. Registering a path again (compared ignoring case)
  // updates its entry. kUnregisterLibrary removes the entry (0 when it was
  // there). Registrations are process-wide, whichever registrar object is used.
  virtual int32_t FRAMEWORK_CALL Register(int32_t mode, const wchar_t* libraryPath, int32_t kind,
                                          const wchar_t* modelDirectory) = 0;
  // Reads the registrations file; 1 when this call initialised the registrar
  // (so the caller shuts it down), 0 when it already was.
  virtual int32_t FRAMEWORK_CALL Initialize() = 0;
  // Unloads the libraries loaded for registrations (every object they made
  // must be released first) and forgets the initialisation. 0.
  virtual int32_t FRAMEWORK_CALL Shutdown() = 0;

 protected:
  ~Registrar() = default;
};

// ----------------------------------------------------- values and scripts

class Value : public Object {
 public:
  virtual int32_t FRAMEWORK_CALL SetText(const wchar_t* text) = 0;
  // Takes the text (and members) of another value.
  virtual int32_t FRAMEWORK_CALL SetFromObject(Value* source) = 0;
  // Owned by the value; valid until it changes.
  virtual const wchar_t* FRAMEWORK_CALL GetText() = 0;
  virtual int32_t FRAMEWORK_CALL SetName(const wchar_t* name) = 0;
  virtual const wchar_t* FRAMEWORK_CALL GetName() = 0;
  // Appends a member (name null = unnamed, reached by position); the value
  // copies what it needs, the caller keeps its reference.
  virtual int32_t FRAMEWORK_CALL AddTextMember(const wchar_t* name, const wchar_t* text) = 0;
  virtual int32_t FRAMEWORK_CALL AddMember(const wchar_t* name, Value* member) = 0;
  // Members in the order added; borrowed, null when out of range.
  virtual uint32_t FRAMEWORK_CALL GetMemberCount() = 0;
  virtual Value* FRAMEWORK_CALL GetMemberAt(uint32_t index) = 0;

 protected:
  ~Value() = default;
};

class ArgumentList : public Object {
 public:
  // The list holds its own reference.
  virtual int32_t FRAMEWORK_CALL Append(Value* value) = 0;
  virtual uint32_t FRAMEWORK_CALL GetCount() = 0;
  // Borrowed (no reference added); null when out of range.
  virtual Value* FRAMEWORK_CALL GetAt(uint32_t index) = 0;

 protected:
  ~ArgumentList() = default;
};

// The framework object of a running script (window script or global script).
// Created with (kScriptClassId, kScriptContextId); it sees the engine's global
// objects and the objects added to it by name, each as a script global whose
// functions are the object's methods. See the top of this file for threads.
class ScriptContext : public Object {
 public:
  // *object gets a reference; kOk, or kFailed (and null) when there is none.
  // Safe from any thread.
  virtual int32_t FRAMEWORK_CALL FindObject(const wchar_t* name, Object** object) = 0;
  // With a target: runs script text as a function body with `this` bound to
  // the target (an object of this context, by the pointer FindObject gave);
  // each named value of the list is a parameter of that name (FireEvent's
  // "params" gives params[0], params[1], ...). A value with members is seen
  // as an array of its members, one without as its text.
  // Without a target: runs the text as global code (its functions become
  // globals of the context); the arguments are ignored.
  // kOk, kScriptError, or kRunQueued from another thread.
  virtual int32_t FRAMEWORK_CALL RunScript(const wchar_t* script, Object* target,
                                           ArgumentList* arguments) = 0;
  // Adds an object under a script name (a window and its controls). The
  // object answers kScriptObjectInterfaceId with a script object of this
  // library; the context holds a reference. A name added again replaces the
  // earlier object. GUI thread only.
  virtual int32_t FRAMEWORK_CALL AddNamedObject(const wchar_t* name, Object* object) = 0;
  // Like RunScript on the GUI thread, with the outcome stored as text in
  // result (when given): global code's completion value, a function body's
  // return value (empty for undefined), or the error message on kScriptError.
  // Fails with kFailed from another thread.
  virtual int32_t FRAMEWORK_CALL Evaluate(const wchar_t* script, Object* target,
                                          ArgumentList* arguments, Value* result) = 0;

 protected:
  ~ScriptContext() = default;
};

// One call of a script method into setup.
struct ScriptCall {
  Object* script_object;   // the script object the method was added to
  Object* method_context;  // the context given when the method was added
  int32_t method_id;
  Value* result;  // result holder, set by the dispatcher
  ArgumentList* arguments;
  ScriptContext* script_context;  // the calling script (borrowed)
  // Script name of the object the calling script runs on (`this`), empty for
  // global code. A script object passed as an argument arrives as its name.
  const wchar_t* caller_name;
};

// Returns kOk or kScriptCallFailed.
typedef int32_t(FRAMEWORK_CALL* ScriptDispatcher)(ScriptCall* call);

class ScriptObjectInterface : public Object {
 public:
  virtual int32_t FRAMEWORK_CALL SetName(const wchar_t* name) = 0;
  virtual int32_t FRAMEWORK_CALL SetFlags(uint32_t flags) = 0;
  virtual int32_t FRAMEWORK_CALL SetDescription(const wchar_t* description) = 0;
  // scriptObject and context are passed back in each ScriptCall as given,
  // without references (they are usually this object and its outer).
  virtual int32_t FRAMEWORK_CALL AddMethod(const wchar_t* name, ScriptDispatcher dispatcher,
                                           Object* scriptObject, Object* context,
                                           int32_t methodId) = 0;
  virtual int32_t FRAMEWORK_CALL SetFirstOption(int32_t value) = 0;
  virtual int32_t FRAMEWORK_CALL SetSecondOption(int32_t value) = 0;

 protected:
  ~ScriptObjectInterface() = default;
};

// Engines are views of one table of global objects per loaded library:
// what is added stays after the engine object is released, until the
// library unloads, and every context (also ones created earlier) sees it.
class ScriptEngine : public Object {
 public:
  // The object (the script object's outer, or the script object itself)
  // becomes a global of every script under the script object's name; the
  // table holds a reference to it until planex unloads (during the
  // registrar's shut-down), so the last release of an outer that holds planex
  // objects happens while planex is still loaded. kFailed when it has no
  // script object.
  virtual int32_t FRAMEWORK_CALL AddGlobalObject(Object* object) = 0;

 protected:
  ~ScriptEngine() = default;
};

// --------------------------------------------- markup and the application

// Handed to the interface definition set with the markup.
struct WindowSettings {
  const wchar_t* font_face;  // "tahoma"
  int32_t font_size;         // 12
  int32_t first_flag;        // 1
  int32_t second_flag;       // 1
  const wchar_t* language;   // "English"
};

class WindowDefinitions : public Object {
 public:
  // kOk with *window referenced, kNoSuchWindow or kWindowTypeUnavailable.
  virtual int32_t FRAMEWORK_CALL CreateWindowFromDefinition(const Guid& windowTypeId,
                                                            const wchar_t* name,
                                                            const wchar_t* instanceName,
                                                            Object** window) = 0;

 protected:
  ~WindowDefinitions() = default;
};

class InterfaceDefinitionSet : public Object {
 public:
  // Loads markup entry `entryName` of `archive`. >= 0 on success; on failure
  // a terminated error text (possibly empty) is left in errorText.
  virtual int32_t FRAMEWORK_CALL Load(Archive* archive, const char* entryName,
                                      const WindowSettings* settings, wchar_t* errorText,
                                      uint32_t errorTextCapacity) = 0;

 protected:
  ~InterfaceDefinitionSet() = default;
};

class Application : public Object {
 public:
  virtual int32_t FRAMEWORK_CALL Initialize(ArgumentList* arguments) = 0;
  // Runs the message loop until the window closes.
  virtual int32_t FRAMEWORK_CALL Run() = 0;
  virtual int32_t FRAMEWORK_CALL Shutdown() = 0;

 protected:
  ~Application() = default;
};

// -------------------------------------------------------------------- XML

// Element and attribute names match ignoring (ASCII) case, and so do the
// attribute values the lookups compare. A null name stands for every element.
// Out elements carry a reference and keep their document alive. Indexes count
// from 0; a missing child is kFailed with a null out element.
class XmlElement : public Object {
 public:
  virtual int32_t FRAMEWORK_CALL CountChildren(const char* name) = 0;
  virtual int32_t FRAMEWORK_CALL CountChildrenWithAttribute(const char* name, const char* attribute,
                                                            const wchar_t* value) = 0;
  virtual int32_t FRAMEWORK_CALL GetChildWithAttribute(const char* name, const char* attribute,
                                                       const wchar_t* value, int32_t index,
                                                       XmlElement** child) = 0;
  virtual int32_t FRAMEWORK_CALL GetChild(const char* name, int32_t index, XmlElement** child) = 0;
  virtual int32_t FRAMEWORK_CALL AppendChild(const char* name, XmlElement** child) = 0;
  // Non-zero when present.
  virtual int32_t FRAMEWORK_CALL HasAttribute(const char* name) = 0;
  virtual int32_t FRAMEWORK_CALL SetAttribute(const char* name, const wchar_t* value) = 0;
  virtual int32_t FRAMEWORK_CALL RemoveAttribute(const char* name) = 0;
  // Owned by this element object: valid until it is released or that
  // attribute is set or removed; null when absent.
  virtual const wchar_t* FRAMEWORK_CALL GetAttributeText(const char* name) = 0;
  // 0 when absent or not a number (decimal, or hexadecimal after "0x").
  virtual int32_t FRAMEWORK_CALL GetAttributeInt(const char* name) = 0;
  // "1", "true", "yes" (by first letter) give 1, "0", "false", "no" give 0,
  // anything else (absent included) the default.
  virtual int32_t FRAMEWORK_CALL GetAttributeBool(const char* name, int32_t defaultValue) = 0;

 protected:
  ~XmlElement() = default;
};

class XmlDocument : public Object {
 public:
  // Reads from the stream's position to its end, replacing the document. An
  // empty stream gives an empty document; XML that does not parse, or that
  // nests elements more than 256 deep, is kFailed and leaves the document empty.
  virtual int32_t FRAMEWORK_CALL LoadFromStream(ByteStream* stream) = 0;
  // Writes the whole document (UTF-8, with declaration, tab-indented) at the
  // stream's position; kFailed when the stream takes fewer bytes than given.
  // A document without elements writes nothing (and so reads back empty).
  virtual int32_t FRAMEWORK_CALL SaveToStream(ByteStream* stream) = 0;
  // The document node (see the top of this file).
  virtual int32_t FRAMEWORK_CALL GetDocumentElement(XmlElement** element) = 0;

 protected:
  ~XmlDocument() = default;
};

// ------------------------------------------------------------- exports
// Exported under these exact names, undecorated on 32-bit too (a .def file or
// the linker's --kill-at), with FRAMEWORK_CALL.

// oxu.dll "TCreateInstance": creates an object of classId and asks it for
// interfaceId (referenced); outer is the aggregating object or null. kOk on
// success. oxu answers the registrar itself and asks the registered libraries,
// in registration order, for every other class (several libraries share the
// class id kScriptClassId, told apart by interface id); kNoClass when none
// answers.
// Every registered library exports "TCreateInstance" too, answering only its
// own (class, interface) pairs and kNoClass for all others.
typedef int32_t(FRAMEWORK_CALL* CreateInstanceFunction)(const Guid* classId,
                                                        const Guid* interfaceId, void** object,
                                                        Object* outer);
// Optional "DLLAttach": 1 after loading (0 back refuses), -1 before unloading.
// oxu calls it for the libraries it loads, as setup does for oxu.
typedef int32_t(FRAMEWORK_CALL* AttachFunction)(int32_t reason);
// Optional "TConnectFactory" of a registered library: oxu calls it right
// after loading (and attaching) the library with oxu's own TCreateInstance,
// so the library can create objects of the other libraries (tvx makes script
// contexts and values of planex this way). Libraries never import each other
// and never load each other by name: the process's DLL search is restricted,
// and oxu loads every registered library by its full path.
typedef void(FRAMEWORK_CALL* ConnectFunction)(CreateInstanceFunction factory);

constexpr const char* kCreateInstanceExport = "TCreateInstance";
constexpr const char* kAttachExport = "DLLAttach";
constexpr const char* kConnectExport = "TConnectFactory";
constexpr int32_t kAttachLoaded = 1;
constexpr int32_t kAttachUnloading = -1;

// Registrar::Register modes.
constexpr int32_t kRegisterLibrary = 1;
constexpr int32_t kUnregisterLibrary = 0;

}  // namespace framework
