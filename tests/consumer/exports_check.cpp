// Every plain export, taken through its declaration in the installed headers
// and linked through the installed import library, is the function the DLL
// exports under its plain name: a declaration with the wrong calling
// convention or an import library without its decorated name
// (_imp__PrinterAbortProc@8) fails here, at link time or at run time.
#include <windows.h>

#include <cstdio>

#include <veltra/support.h>

namespace {

struct Export {
  const char* name;
  FARPROC declared;
};

// An address taken in code is read from the import table; one in a table's
// initialiser would be the import library's jump stub instead.
template <class F>
__attribute__((noinline)) FARPROC address(F* f) {
  return reinterpret_cast<FARPROC>(f);
}

}  // namespace

int main() {
  const Export exports[] = {
#include "export_table.inc"
  };
  HMODULE dll = GetModuleHandleA("veltra.dll");
  int wrong = 0;
  for (const Export& e : exports) {
    FARPROC exported = GetProcAddress(dll, e.name);
    if (!exported || exported != e.declared) {
      std::printf("%s: declared %p, exported %p\n", e.name, reinterpret_cast<void*>(e.declared),
                  reinterpret_cast<void*>(exported));
      ++wrong;
    }
  }
  std::printf("%u exports: %d differ from their declarations\n", unsigned(sizeof exports / sizeof *exports),
              wrong);
  return dll && wrong == 0 ? 0 : 1;
}
