#include "tools/skintool/json_parser.h"

#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

// nlohmann's parse error texts, e.g. "[json.exception.parse_error.101] parse
// error at line 1, column 14: syntax error while parsing array - unexpected
// ':'; expected ']'", name the construct being read ("array") and either
// the unexpected token or the lexer's own complaint. Both map onto short,
// fixed messages.
struct MessagePrefix {
  const char* prefix;
  const char* message;
};

const MessagePrefix kLexerMessages[] = {
    {"invalid literal", "invalid literal"},
    {"invalid number", "invalid number"},
    {"invalid string: ill-formed UTF-8 byte", "invalid UTF-8"},
    {"invalid string: control character", "control character in string"},
    {"invalid string: surrogate", "lone surrogate"},
    {"invalid string: forbidden character after backslash", "invalid escape"},
    {"invalid string: '\\u' must be followed by 4 hex digits", "invalid \\u escape"},
    {"invalid string: missing closing quote", "unterminated string"},
    {"invalid BOM", "invalid byte order mark"},
};

// The construct nlohmann was reading when a token did not fit, matched whole.
const MessagePrefix kContextMessages[] = {
    {"array", "expected ',' or ']'"},
    {"object key", "expected a member name"},
    {"object separator", "expected ':'"},
    {"object", "expected ',' or '}'"},
};

bool StartsWith(const std::string& text, size_t at, const char* prefix) {
  return text.compare(at, std::char_traits<char>::length(prefix), prefix) == 0;
}

// The fixed message for one of nlohmann's exceptions (ids: 101 syntax,
// 406 a number beyond double).
const char* MessageOf(const Json::exception& error) {
  if (error.id == 406) return "number out of range";
  const std::string what = error.what();
  static const char kWhile[] = "while parsing ";
  const size_t contextAt = what.find(kWhile);
  const size_t detailAt = what.find(" - ", contextAt);
  if (contextAt == std::string::npos || detailAt == std::string::npos) return "invalid JSON";
  const size_t detail = detailAt + 3;
  if (StartsWith(what, detail, "unexpected end of input")) return "unexpected end of text";
  if (!StartsWith(what, detail, "unexpected ")) {
    for (const MessagePrefix& lexer : kLexerMessages) {
      if (StartsWith(what, detail, lexer.prefix)) return lexer.message;
    }
    return "invalid JSON";
  }
  const size_t contextStart = contextAt + (sizeof kWhile - 1);
  const std::string context = what.substr(contextStart, detailAt - contextStart);
  for (const MessagePrefix& known : kContextMessages) {
    if (context == known.prefix) return known.message;
  }
  if (what.find("; expected end of input", detail) != std::string::npos) {
    return "text after the value";
  }
  return "invalid value";
}

}  // namespace

// Builds the value from nlohmann's parse events and stops the parse at the
// first limit or duplicate name. Containers are appended to their parent
// before they are filled, so the pointers on the open stack stay valid: a
// parent only grows again once its open child is closed.
class JsonParser::Builder : public nlohmann::json_sax<Json> {
 public:
  Builder(Json& root, size_t maxValues, size_t textSize)
      : root_(root), maxValues_(maxValues), textSize_(textSize) {}

  const std::string& Error() const { return error_; }

  bool null() override { return Add(Json(nullptr)) != nullptr; }
  bool boolean(bool value) override { return Add(Json(value)) != nullptr; }
  bool number_integer(number_integer_t value) override { return Add(Json(value)) != nullptr; }
  bool number_unsigned(number_unsigned_t value) override { return Add(Json(value)) != nullptr; }
  bool number_float(number_float_t value, const string_t&) override {
    return Add(Json(value)) != nullptr;
  }
  bool string(string_t& value) override { return Add(Json(std::move(value))) != nullptr; }
  // Only the binary formats (CBOR and the like) produce these.
  bool binary(binary_t&) override { return Fail("binary value"); }

  bool start_object(std::size_t) override { return Open(Json::object()); }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t) override { return Open(Json::array()); }
  bool end_array() override { return Close(); }

  bool key(string_t& name) override {
    if (!open_.back().names.insert(name).second) {
      return Fail("duplicate member name " +
                  Json(name).dump(-1, ' ', false, Json::error_handler_t::replace));
    }
    pendingKey_ = std::move(name);
    return true;
  }

  // position counts the bytes read, the offending one included.
  bool parse_error(std::size_t position, const std::string&,
                   const Json::exception& error) override {
    const size_t offset = std::min(position == 0 ? 0 : position - 1, textSize_);
    return Fail(std::string(MessageOf(error)) + " at byte " + std::to_string(offset));
  }

 private:
  struct Frame {
    Json* container;
    std::unordered_set<std::string> names;  // objects: the member names so far
  };

  // Puts value in place (the root, the open array, or the open object under
  // the pending name) and gives its address there.
  Json* Add(Json&& value) {
    if (++values_ > maxValues_) {
      Fail("too many values");
      return nullptr;
    }
    if (open_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    Json& parent = *open_.back().container;
    if (Json::array_t* items = parent.get_ptr<Json::array_t*>()) {
      items->push_back(std::move(value));
      return &items->back();
    }
    // The duplicate check in key() already ran, so a plain append keeps the
    // text order without ordered_map's linear search for the name.
    Json::object_t& members = *parent.get_ptr<Json::object_t*>();
    members.emplace_back(std::move(pendingKey_), std::move(value));
    return &members.back().second;
  }

  bool Open(Json&& container) {
    if (open_.size() >= static_cast<size_t>(kMaxDepth)) return Fail("nesting too deep");
    Json* placed = Add(std::move(container));
    if (placed == nullptr) return false;
    open_.push_back(Frame{placed, {}});
    return true;
  }

  bool Close() {
    open_.pop_back();
    return true;
  }

  bool Fail(std::string message) {
    error_ = std::move(message);
    return false;
  }

  Json& root_;
  size_t maxValues_;
  size_t textSize_;
  size_t values_ = 0;
  std::vector<Frame> open_;
  std::string pendingKey_;
  std::string error_;
};

bool JsonParser::Parse(const std::string& text, Json& out) {
  Json parsed;
  Builder builder(parsed, maxValues_, text.size());
  // Strict: nothing but white space may follow the value.
  if (!Json::sax_parse(text, &builder)) {
    out = Json();
    error_ = builder.Error().empty() ? "invalid JSON" : builder.Error();
    return false;
  }
  out = std::move(parsed);
  error_.clear();
  return true;
}
