// The formula object: configuration, the compile driver and error reporting.
#include <cstring>
#include <new>
#include <vector>

#include "formula/access.h"
#include "formula/code_check.h"
#include "formula/errors.h"
#include "formula/machine.h"
#include "formula/opcodes.h"
#include "formula/prepared.h"
#include "formula/workspace.h"
#include "port/fp_state.h"
#include "port/strings.h"
#include "veltra/ctlcalc.h"

using namespace vt::formula;

namespace {

// A node that lacks an operand its operation needs. The parser can leave
// one behind: "-" or "!" without an operand records error 7 and returns the
// node, and a later successful operand clears the error again («-a + -^b»).
bool has_incomplete_node(tree_node* root) {
  return !walk_tree(&root, [](tree_node** at) {
    const tree_node* n = *at;
    int needs = is_valid_code(n->op) ? kOps[n->op].pops : 0;
    return !((needs >= 1 && !n->left) || (needs >= 2 && !n->right) || (needs == 3 && !n->middle));
  });
}

std::int16_t default_getname(const char*, std::int16_t) { return -1; }
float default_getvalue(std::int16_t, std::int16_t) { return 0.0f; }
void default_setvalue(std::int16_t, std::int16_t, rvalue&) {}

}  // namespace

// The built-in variables are the owner's to set; type and errorpos start
// at 0 so that asking before the first compile reads no stray value.
ctlcalc::ctlcalc()
    : text(nullptr), type(0), errorpos(0), code(nullptr), textsize(0), codesize(0), prepared(nullptr) {
  init();
}

ctlcalc::ctlcalc(char* t, codeentry* c, std::uint32_t tsize, std::uint32_t csize)
    : type(0), errorpos(0), prepared(nullptr) {
  init(t, c, tsize, csize);
  init();
}

ctlcalc::~ctlcalc() { release(prepared); }

ctlcalc::ctlcalc(const ctlcalc& other) : prepared(nullptr) { *this = other; }

ctlcalc& ctlcalc::operator=(const ctlcalc& other) {
  if (this == &other) return *this;
  text = other.text;
  x = other.x, xl = other.xl, xh = other.xh, y = other.y, yl = other.yl, yh = other.yh;
  types = other.types;
  type = other.type;
  cursor = other.cursor;
  codelen = other.codelen;
  error = other.error;
  errorpos = other.errorpos;
  code = other.code;
  textsize = other.textsize;
  codesize = other.codesize;
  owner = other.owner;
  getvalue = other.getvalue;
  getname = other.getname;
  setvalue = other.setvalue;
  // The prepared form stays with each object: this one prepares the shared
  // code again when it first evaluates it.
  release(prepared);
  prepared = nullptr;
  return *this;
}

void ctlcalc::init(char* t, codeentry* c, std::uint32_t tsize, std::uint32_t csize) {
  text = t;
  code = c;
  textsize = tsize;
  codesize = csize;
}

void ctlcalc::init() {
  if (text && textsize) text[0] = '\0';
  if (code && codesize) code[0].op = op_null;
  error = kErrNone;
  owner = nullptr;
  setfunctions(nullptr, nullptr, nullptr);
  types = ctlcalc_float | ctlcalc_boolean;
  cursor = text;
  codelen = 0;
}

char* ctlcalc::gettext(char* buf) {
  if (!buf) return text;
  if (text) std::strcpy(buf, text);
  else buf[0] = '\0';
  return buf;
}

void ctlcalc::settext(const char* t) {
  if (!text || !textsize) return;
  // Always leaves a terminator: a text too long for the buffer is cut one
  // byte short of the end rather than left unterminated.
  std::uint32_t n = 0;
  if (t)
    while (n + 1 < textsize && t[n]) ++n;
  std::memcpy(text, t ? t : "", n);
  std::memset(text + n, 0, textsize - n);
}

void ctlcalc::settext(char* buffer, std::uint32_t size) {
  text = buffer;
  textsize = buffer ? size : 0;
}

void ctlcalc::setcode(codeentry* c, std::uint32_t capacity) {
  code = c;
  codesize = c ? capacity : 0;
}

void ctlcalc::setfunctions(ctlcalc_getname gn, ctlcalc_getvalue gv, ctlcalc_setvalue sv) {
  getname = gn ? gn : default_getname;
  getvalue = gv ? gv : default_getvalue;
  setvalue = sv ? sv : default_setvalue;
}

std::int16_t ctlcalc::gettype() { return type; }
// Machine code is made only for objects that may run it: switched on, an
// object gets it for the code it has prepared.
void ctlcalc::settype(std::int16_t t) {
  types = t;
  ctlcalc_access::make_native(*this);
}
void ctlcalc::setnative(std::int16_t on) {
  types = static_cast<std::int16_t>(on ? types & ~ctlcalc_interpret : types | ctlcalc_interpret);
  if (on) ctlcalc_access::make_native(*this);
}
std::int16_t ctlcalc::isvalidop(operation) { return 1; }
void ctlcalc::setowner(void* o) { owner = o; }
void* ctlcalc::getowner() { return owner; }

std::int16_t ctlcalc::is_valid() { return code && codesize && code[0].op != op_null ? 1 : 0; }

void ctlcalc::invalidate() {
  if (code && codesize) code[0].op = op_null;
}

std::int16_t ctlcalc::geterror() { return error; }

void ctlcalc::seterror(std::int16_t c) {
  if (c >= 0) error = c;
}

std::uint32_t ctlcalc::geterrorpos() { return errorpos; }

// The text goes to a buffer of the calling thread, which stays valid after
// the call (until the thread's next error text): callers on other threads
// read their own. Plain bytes, nothing to clean up when a thread ends.
const char* ctlcalc::geterrorstr() {
  static thread_local char text_of_thread[kScratchSize];
  vt::port::load_string(kErrorTextBase + static_cast<std::uint16_t>(error), text_of_thread, kScratchSize);
  return text_of_thread;
}

// Steps after a parse without error: check, simplify, type, emit, and
// check the emitted code against the stack's size.
std::int16_t ctlcalc::compile_parsed(tree_node* t) {
  if (has_incomplete_node(t)) {
    error = kErrMissingOperand;
    return 0;
  }
  optimize_tree(&t);
  type = tree_art(t);
  // Bit 2 allows floats too: masks written before the Boolean type existed.
  bool float_allowed = (types & (ctlcalc_float | 2)) != 0, boolean_allowed = (types & ctlcalc_boolean) != 0;
  if ((type == ctlcalc_float && !float_allowed) || (type == ctlcalc_boolean && !boolean_allowed) || type == 0) {
    error = kErrResultType;
    return 0;
  }
  if (type == ctlcalc_boolean) t = newnode(&t, op_b2f);  // evaluation always ends with a number
  if (!compile_tree(t)) return 0;
  CodeShape shape = check_code(code, codesize);
  if (!shape.valid) {
    error = shape.max_depth > kStackCells ? kErrTooComplex : kErrMissingOperand;
    return 0;
  }
  // Prepared now, so that the first evaluation does not allocate. A block
  // that cannot be had here is tried again by eval.
  if (prepare(&prepared, code, codesize, shape) == Prepared::ready) ctlcalc_access::make_native_prepared(*this);
  return 1;
}

std::int16_t ctlcalc::compile() {
  vt::port::FpGuard fp;
  if (!code || codesize == 0) {
    // Nowhere to put code, not even the terminator.
    error = kErrTooComplex;
    errorpos = 0;
    codelen = 0;
    return 0;
  }
  std::int16_t result = 1;
  code[0].op = op_null;
  error = kErrNone;
  codelen = 0;
  static char empty_text[1] = {'\0'};
  char* base = text ? text : empty_text;
  cursor = base;
  std::size_t length = 0;
  std::uint32_t bound = (text && textsize) ? textsize : UINT32_MAX;
  while (length < bound && base[length]) ++length;
  reset_stack();
  char* saved_text = text;
  try {
    text = base;
    CompileWorkspace workspace;
    workspace->begin(length);
    if (length == bound) {
      error = kErrSyntax;  // no terminator inside the text buffer
      cursor = base;
    } else if (tree_node* t = build_tree(); t && error == 0) {
      result = compile_parsed(t);
    }
    errorpos = static_cast<std::uint32_t>(workspace->stopped ? workspace->stop_offset : cursor - base);
  } catch (const std::bad_alloc&) {
    error = kErrNoMemory;
    errorpos = 0;
  }
  text = saved_text;
  if (error != kErrNone) {
    result = 0;
    codelen = 0;
    invalidate();
  }
  reset_stack();
  return result;
}
