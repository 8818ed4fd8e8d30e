// The WebAssembly module's exports: the page writes a call's JSON and the
// files' bytes into memory it asks for here, and reads the answer back.
// A reactor: the page runs _initialize once, then calls these at will.
#include <cstddef>
#include <cstdlib>
#include <string>

#include "web/engine/web_boundary.h"

namespace {

korin::WebBoundary& Boundary() {
  static korin::WebBoundary boundary;
  return boundary;
}

std::string& Answer() {
  static std::string answer;
  return answer;
}

}  // namespace

extern "C" {

__attribute__((export_name("korin_alloc"))) char* korin_alloc(std::size_t size) {
  return static_cast<char*>(std::malloc(size == 0 ? 1 : size));
}

__attribute__((export_name("korin_free"))) void korin_free(char* memory) {
  std::free(memory);
}

// Stores `size` bytes at `bytes` as the file `name`; both buffers stay the
// caller's.
__attribute__((export_name("korin_put_file"))) void korin_put_file(const char* name,
                                                                   std::size_t name_size,
                                                                   const char* bytes,
                                                                   std::size_t size) {
  Boundary().PutFile(std::string(name, name_size), std::string(bytes, size));
}

__attribute__((export_name("korin_remove_file"))) void korin_remove_file(const char* name,
                                                                         std::size_t name_size) {
  Boundary().RemoveFile(std::string(name, name_size));
}

// Answers the call; the answer's bytes stay valid until the next call, and
// korin_answer_size gives their number.
__attribute__((export_name("korin_call"))) const char* korin_call(const char* json,
                                                                  std::size_t size) {
  Answer() = Boundary().Call(std::string_view(json, size));
  return Answer().data();
}

__attribute__((export_name("korin_answer_size"))) std::size_t korin_answer_size() {
  return Answer().size();
}

}  // extern "C"
