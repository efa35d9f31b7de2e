// The form-resource reader: a tokenizer for the resource text and one recursive routine that
// creates components and applies their properties.
#include "FormReader.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "Classes.h"
#include "Consts.h"
#include "Forms.h"
#include "TypInfo.h"

namespace {

std::map<std::string, long long>& IntegerConstants() {
  static std::map<std::string, long long> constants;
  return constants;
}

enum class TokenKind { Identifier, Integer, Float, String, Symbol, End };

// A text that is no token; the reader reports it with the form and the line.
struct SyntaxError {};

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;  // identifier, decoded string, number text or symbol
  int line = 1;
};

class Tokenizer {
 public:
  explicit Tokenizer(const std::string& text) : text_(text) {}

  Token Next();
  int Line() const { return line_; }

 private:
  void SkipBlanks();
  std::string ReadStringValue();

  const std::string& text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

void Tokenizer::SkipBlanks() {
  while (pos_ < text_.size()) {
    char c = text_[pos_];
    if (c == '\n') ++line_;
    if (static_cast<unsigned char>(c) > 32) return;
    ++pos_;
  }
}

bool IsIdentChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.';
}

// A string value: quoted parts and #codes, which may also be joined by "+" across lines.
std::string Tokenizer::ReadStringValue() {
  std::string value;
  for (;;) {
    if (pos_ < text_.size() && text_[pos_] == '\'') {
      ++pos_;
      for (;;) {
        if (pos_ >= text_.size() || text_[pos_] == '\n') throw SyntaxError();
        if (text_[pos_] == '\'') {
          if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
            value += '\'';
            pos_ += 2;
            continue;
          }
          ++pos_;
          break;
        }
        value += text_[pos_++];
      }
    } else if (pos_ < text_.size() && text_[pos_] == '#') {
      ++pos_;
      std::size_t start = pos_;
      while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
      if (start == pos_) throw SyntaxError();
      value += static_cast<char>(std::atoi(text_.substr(start, pos_ - start).c_str()));
    } else {
      std::size_t save = pos_;
      int saveLine = line_;
      SkipBlanks();
      if (pos_ < text_.size() && text_[pos_] == '+') {
        ++pos_;
        SkipBlanks();
        continue;
      }
      pos_ = save;
      line_ = saveLine;
      return value;
    }
  }
}

Token Tokenizer::Next() {
  SkipBlanks();
  Token t;
  t.line = line_;
  if (pos_ >= text_.size()) return t;
  char c = text_[pos_];
  if (c == '\'' || c == '#') {
    t.kind = TokenKind::String;
    t.text = ReadStringValue();
  } else if ((c >= '0' && c <= '9') || c == '-' || c == '$') {
    std::size_t start = pos_++;
    bool isFloat = false;
    while (pos_ < text_.size()) {
      char d = text_[pos_];
      bool digit = (d >= '0' && d <= '9') || (text_[start] == '$' && std::isxdigit(static_cast<unsigned char>(d)));
      if (d == '.' || d == 'e' || d == 'E') isFloat = text_[start] != '$';
      if (!digit && !(isFloat && (d == '.' || d == 'e' || d == 'E' || d == '-' || d == '+'))) break;
      ++pos_;
    }
    t.kind = isFloat ? TokenKind::Float : TokenKind::Integer;
    t.text = text_.substr(start, pos_ - start);
  } else if (IsIdentChar(c)) {
    std::size_t start = pos_;
    while (pos_ < text_.size() && IsIdentChar(text_[pos_])) ++pos_;
    t.kind = TokenKind::Identifier;
    t.text = text_.substr(start, pos_ - start);
  } else {
    t.kind = TokenKind::Symbol;
    t.text = std::string(1, c);
    ++pos_;
  }
  return t;
}

struct Value;

// One property line inside a collection item: "Text = 'x'".
struct ItemProperty {
  std::string path;
  std::shared_ptr<Value> value;
  int line;
};

// A property value as the resource gives it.
struct Value {
  TokenKind kind;
  std::string text;
  std::vector<std::string> items;  // set elements, or the lines of a string list
  bool isSet = false;
  bool isList = false;
  // The items of a collection, "<item Text = 'a' end item Text = 'b' end>", each with its
  // property lines in order.
  std::vector<std::vector<ItemProperty>> collectionItems;
  bool isCollection = false;
};

struct Fixup {
  TObject* object;
  const TPropInfo* prop;
  std::string reference;
  int line;
};

class Reader {
 public:
  Reader(TComponent* root, const std::string& text, std::string formName)
      : root_(root), tokens_(text), formName_(std::move(formName)) {}

  void Read();

 private:
  Token Advance();
  [[noreturn]] void Fail(const std::string& message, int line) const;
  void Expect(const std::string& symbol);
  void ReadHeader(std::string* name, std::string* className);
  void ReadBody(TComponent* component);
  void ReadChild(TComponent* container);
  Value ReadValue();
  void ReadCollectionItems(Value* v);
  void ApplyCollection(TObject* object, const TPropInfo& prop, const Value& value, int line);
  void ApplyProperty(TObject* object, const std::string& path, const Value& value, int line);
  void Assign(TObject* object, const TPropInfo& prop, const Value& value, int line);
  void ResolveFixups();

  TComponent* root_;
  Tokenizer tokens_;
  std::string formName_;
  Token current_;
  std::vector<TComponent*> loaded_;
  std::vector<Fixup> fixups_;
};

Token Reader::Advance() {
  try {
    return current_ = tokens_.Next();
  } catch (const SyntaxError&) {
    Fail(LoadResString(&SInvalidPropertyValue), tokens_.Line());
  }
}

void Reader::Fail(const std::string& message, int line) const {
  throw EReadError(LoadResFmt(&SFormReadError, {formName_, line, message}));
}

void Reader::Expect(const std::string& symbol) {
  if (current_.kind != TokenKind::Symbol || current_.text != symbol)
    Fail(LoadResString(&SInvalidPropertyValue), current_.line);
  Advance();
}

void Reader::ReadHeader(std::string* name, std::string* className) {
  if (current_.kind != TokenKind::Identifier || !SameText(current_.text, "object"))
    Fail(LoadResString(&SInvalidPropertyValue), current_.line);
  Advance();
  if (current_.kind != TokenKind::Identifier) Fail(LoadResString(&SInvalidPropertyValue), current_.line);
  *name = current_.text;
  Advance();
  Expect(":");
  if (current_.kind != TokenKind::Identifier) Fail(LoadResString(&SInvalidPropertyValue), current_.line);
  *className = current_.text;
  Advance();
}

void Reader::Read() {
  Advance();
  std::string name, className;
  ReadHeader(&name, &className);
  if (!SameText(className, root_->ClassName()))
    Fail(LoadResFmt(&SClassNotFound, {className}), current_.line);
  root_->BeginLoading();
  root_->SetName(name);
  loaded_.push_back(root_);
  ReadBody(root_);
  ResolveFixups();
  for (TComponent* c : loaded_) c->EndReading();
  for (TComponent* c : loaded_) c->Loaded();
}

void Reader::ReadBody(TComponent* component) {
  for (;;) {
    if (current_.kind == TokenKind::End) Fail(LoadResString(&SInvalidPropertyValue), current_.line);
    if (current_.kind == TokenKind::Identifier && SameText(current_.text, "end")) {
      Advance();
      return;
    }
    if (current_.kind == TokenKind::Identifier && SameText(current_.text, "object")) {
      ReadChild(component);
      continue;
    }
    if (current_.kind != TokenKind::Identifier) Fail(LoadResString(&SInvalidPropertyValue), current_.line);
    std::string path = current_.text;
    int line = current_.line;
    Advance();
    Expect("=");
    Value value = ReadValue();
    ApplyProperty(component, path, value, line);
  }
}

void Reader::ReadChild(TComponent* container) {
  int line = current_.line;
  std::string name, className;
  ReadHeader(&name, &className);
  const TClassInfo* info = FindClass(className);
  if (!info || !info->Create) Fail(LoadResFmt(&SClassNotFound, {className}), line);
  auto* child = static_cast<TComponent*>(info->Create(root_));
  child->BeginLoading();
  try {
    child->SetName(name);
  } catch (const Exception& e) {
    Fail(e.Message(), line);
  }
  if (const TPublishedField* field = root_->ClassType().FindField(name)) {
    if (!child->InheritsFrom(*field->FieldClass)) Fail(LoadResString(&SInvalidPropertyValue), line);
    field->Assign(root_, child);
  }
  child->SetParentComponent(container);
  loaded_.push_back(child);
  ReadBody(child);
}

Value Reader::ReadValue() {
  Value v;
  v.kind = current_.kind;
  v.text = current_.text;
  if (current_.kind == TokenKind::Symbol && current_.text == "<") {
    ReadCollectionItems(&v);
  } else if (current_.kind == TokenKind::Symbol && (current_.text == "[" || current_.text == "(")) {
    std::string close = current_.text == "[" ? "]" : ")";
    v.isSet = close == "]";
    v.isList = !v.isSet;
    Advance();
    while (!(current_.kind == TokenKind::Symbol && current_.text == close)) {
      if (current_.kind == TokenKind::End) Fail(LoadResString(&SInvalidPropertyValue), current_.line);
      if (!(current_.kind == TokenKind::Symbol && current_.text == ","))
        v.items.push_back(current_.text);
      Advance();
    }
  } else if (current_.kind == TokenKind::End || current_.kind == TokenKind::Symbol) {
    Fail(LoadResString(&SInvalidPropertyValue), current_.line);
  }
  Advance();
  return v;
}

void Reader::ReadCollectionItems(Value* v) {
  v->isCollection = true;
  Advance();
  while (!(current_.kind == TokenKind::Symbol && current_.text == ">")) {
    if (current_.kind != TokenKind::Identifier || !SameText(current_.text, "item"))
      Fail(LoadResString(&SInvalidPropertyValue), current_.line);
    Advance();
    std::vector<ItemProperty>& item = v->collectionItems.emplace_back();
    while (!(current_.kind == TokenKind::Identifier && SameText(current_.text, "end"))) {
      if (current_.kind != TokenKind::Identifier) Fail(LoadResString(&SInvalidPropertyValue), current_.line);
      ItemProperty property{current_.text, nullptr, current_.line};
      Advance();
      Expect("=");
      property.value = std::make_shared<Value>(ReadValue());
      item.push_back(std::move(property));
    }
    Advance();
  }
}

// A collection is filled afresh: its items are those of the resource, in order.
void Reader::ApplyCollection(TObject* object, const TPropInfo& prop, const Value& value, int line) {
  auto* collection = ObjectAs<TCollection>(GetObjectProp(object, prop));
  if (!collection) Fail(LoadResString(&SInvalidPropertyValue), line);
  collection->BeginUpdate();
  try {
    collection->Clear();
    for (const std::vector<ItemProperty>& properties : value.collectionItems) {
      TCollectionItem* item = collection->Add();
      for (const ItemProperty& p : properties) ApplyProperty(item, p.path, *p.value, p.line);
    }
  } catch (...) {
    collection->EndUpdate();
    throw;
  }
  collection->EndUpdate();
}

void Reader::ApplyProperty(TObject* object, const std::string& path, const Value& value, int line) {
  std::size_t start = 0;
  for (;;) {
    std::size_t dot = path.find('.', start);
    std::string segment = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    bool last = dot == std::string::npos;
    if (last && segment == "Strings" && value.isList) {
      if (auto* strings = ObjectAs<TStrings>(object)) {
        strings->SetLines(value.items);
        return;
      }
    }
    const TPropInfo* prop = GetPropInfo(object, segment);
    if (!prop) Fail(LoadResFmt(&SUnknownProperty, {path}), line);
    if (last) return Assign(object, *prop, value, line);
    if (prop->Kind != TTypeKind::tkClass) Fail(LoadResFmt(&SUnknownProperty, {path}), line);
    object = GetObjectProp(object, *prop);
    if (!object) Fail(LoadResFmt(&SUnknownProperty, {path}), line);
    start = dot + 1;
  }
}

long long ParseInteger(const std::string& text, bool* ok) {
  char* end = nullptr;
  long long n = text[0] == '$' ? std::strtoll(text.c_str() + 1, &end, 16)
                               : std::strtoll(text.c_str(), &end, 10);
  *ok = end && *end == '\0' && text != "$";
  return n;
}

void Reader::Assign(TObject* object, const TPropInfo& prop, const Value& value, int line) {
  try {
    switch (prop.Kind) {
      case TTypeKind::tkInteger: {
        bool ok = false;
        long long n = 0;
        if (value.kind == TokenKind::Integer) {
          n = ParseInteger(value.text, &ok);
        } else if (value.kind == TokenKind::Identifier) {
          auto it = IntegerConstants().find(UpperCase(value.text));
          ok = it != IntegerConstants().end();
          if (ok) n = it->second;
        }
        if (!ok) Fail(LoadResString(&SInvalidPropertyValue), line);
        SetOrdProp(object, prop, n);
        return;
      }
      case TTypeKind::tkEnumeration:
        if (value.kind != TokenKind::Identifier) Fail(LoadResString(&SInvalidPropertyValue), line);
        SetEnumProp(object, prop, value.text);
        return;
      case TTypeKind::tkSet:
        if (!value.isSet) Fail(LoadResString(&SInvalidPropertyValue), line);
        SetSetProp(object, prop, value.items);
        return;
      case TTypeKind::tkFloat:
        if (value.kind != TokenKind::Integer && value.kind != TokenKind::Float)
          Fail(LoadResString(&SInvalidPropertyValue), line);
        SetFloatProp(object, prop, std::strtod(value.text.c_str(), nullptr));
        return;
      case TTypeKind::tkLString:
      case TTypeKind::tkString:
      case TTypeKind::tkWString:
        if (value.kind != TokenKind::String) Fail(LoadResString(&SInvalidPropertyValue), line);
        SetStrProp(object, prop, value.text);
        return;
      case TTypeKind::tkClass:
        if (value.isCollection) return ApplyCollection(object, prop, value, line);
        if (value.kind != TokenKind::Identifier) Fail(LoadResString(&SInvalidPropertyValue), line);
        fixups_.push_back({object, &prop, value.text, line});
        return;
      case TTypeKind::tkMethod: {
        const TPublishedMethod* method =
            value.kind == TokenKind::Identifier ? root_->ClassType().FindMethod(value.text) : nullptr;
        if (!method) Fail(LoadResFmt(&SMethodNotFound, {value.text}), line);
        SetMethodProp(object, prop, method->Bind(root_));
        return;
      }
      default:
        Fail(LoadResString(&SInvalidPropertyValue), line);
    }
  } catch (const EReadError&) {
    throw;
  } catch (const Exception& e) {
    Fail(e.Message(), line);
  }
}

TComponent* FindReference(TComponent* root, const std::string& reference) {
  std::size_t dot = reference.find('.');
  if (dot == std::string::npos)
    return AnsiSameText(reference, root->Name()) ? root : root->FindComponent(reference);
  TComponent* form = Screen ? Screen->FindForm(reference.substr(0, dot)) : nullptr;
  return form ? form->FindComponent(reference.substr(dot + 1)) : nullptr;
}

void Reader::ResolveFixups() {
  for (const Fixup& f : fixups_) {
    TComponent* target = FindReference(root_, f.reference);
    if (!target) Fail(LoadResFmt(&SUnresolvedReference, {f.reference}), f.line);
    try {
      SetObjectProp(f.object, *f.prop, target);
    } catch (const Exception& e) {
      Fail(e.Message(), f.line);
    }
  }
}

}  // namespace

void RegisterIntegerConstant(const std::string& name, long long value) {
  IntegerConstants()[UpperCase(name)] = value;
}

void ReadComponentText(TComponent* root, const std::string& text, const std::string& formName) {
  Reader(root, text, formName).Read();
}
